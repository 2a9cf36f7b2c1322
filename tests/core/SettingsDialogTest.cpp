// The font and colour settings dialog: what it shows, the apply step, a bad size, and the values
// surviving a close and a new start.

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "ProgramFolder.h"
#include "settings/StrToInt.h"
#include "settings/TForm2.h"

namespace pemrin::testing {
namespace {

TEST(StrToInt, AcceptsSignedDecimalAndHexWithBlanksAround) {
  const struct {
    const char* text;
    int value;
  } cases[] = {
      {"13", 13},
      {"  12\t", 12},
      {"+9", 9},
      {"-4", -4},
      {"007", 7},
      {"$1A", 26},
      {"0x10", 16},
      {"-0X1f", -31},
      {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
}

TEST(StrToInt, RejectsEverythingElseNamingTheTextAsTyped) {
  const char* const cases[] = {"", " ", "12pt", "1 2", "1.5", "--1", "+", "0x", "$", "0xG", "1e3",
                               "2147483648", "-2147483649",
                               // Full-width digits "１２".
                               "\xEF\xBC\x91\xEF\xBC\x92"};
  for (const char* text : cases) {
    try {
      StrToInt(text);
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const PemrinError& error) {
      EXPECT_EQ(std::string(error.what()), "'" + std::string(text) + "' は整数ではありません");
    }
  }
}

// An editor whose formatting raises change events as a rich-edit control's may, and which logs
// the calls the apply step makes, so that both the bracket and the order show.
class LoggingEditor : public MemoryEditor {
 public:
  void SetColor(TColor c) override {
    Log("Color " + std::to_string(c));
    MemoryEditor::SetColor(c);
  }
  void SelectAll() override {
    Log("SelectAll");
    MemoryEditor::SelectAll();
  }
  void SetSelColor(TColor c) override {
    Log("SelColor " + std::to_string(c));
    MemoryEditor::SetSelColor(c);
    RaiseChange();
  }
  void SetFontColor(TColor c) override {
    Log("FontColor " + std::to_string(c));
    MemoryEditor::SetFontColor(c);
  }
  void SetFont(const FontSpec& f) override {
    Log("Font " + f.name + " " + std::to_string(f.size) + (f.italic ? " italic" : "") +
        (f.bold ? " bold" : ""));
    MemoryEditor::SetFont(f);
    RaiseChange();
  }
  void SetSelStart(int pos) override {
    Log("SelStart " + std::to_string(pos));
    MemoryEditor::SetSelStart(pos);
  }
  void SetVisible(bool visible) override {
    Log(visible ? "Show" : "Hide");
    MemoryEditor::SetVisible(visible);
  }
  void Log(const std::string& call) {
    if (logging) log.push_back(call);
  }
  bool logging = false;
  std::vector<std::string> log;
};

// A start of the program's logic in a folder (a second one runs on the same folder as the
// first, as a new start does).
template <class Editor>
struct Program {
  explicit Program(const ProgramFolder& folder, std::vector<std::string> arguments = {}) {
    platform.programPath = folder.platform.programPath;
    platform.arguments = std::move(arguments);
    form.Run([&] { form.FormShow(); });
  }
  FakePlatform platform;
  Editor editor;
  TForm1 form{editor, platform};
};

// The colour dialog: answers from a queue, recording the colour it opened on.
struct ColorDialogStub {
  std::optional<TColor> operator()(TColor current) {
    openedOn.push_back(current);
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  std::vector<std::optional<TColor>> answers;
  std::vector<TColor> openedOn;
};

class SettingsDialog : public ::testing::Test {
 protected:
  TForm2 Dialog(TForm1& form) {
    return TForm2(form, [this](TColor current) { return colorDialog(current); });
  }
  ProgramFolder folder;
  ColorDialogStub colorDialog;
  const std::vector<std::string> fonts = {"IPAGothic", "IPAPGothic", "DejaVu Sans"};
};

TEST_F(SettingsDialog, ShowsTheMainWindowsValuesAndTheStyleFieldsNotTheFont) {
  WriteFileBytes(folder.dir / "pemrin.ini",
                 "[SET]\r\nTAG_COLOR=1\r\nNN_COLOR=2\r\nIE_COLOR=3\r\nBG_COLOR=4\r\n"
                 "TXT_COLOR=5\r\nFONT_NAME=IPAGothic\r\nFONT_SIZE=14\r\nFONT_ITALIC=1\r\n"
                 "COLORING=0\r\n");
  Program<MemoryEditor> program(folder);
  program.editor.SetSelStart(20);
  // A style set behind the fields' back: the boxes show the fields.
  program.editor.SetFont({"IPAGothic", 14, false, true});

  TForm2 dialog = Dialog(program.form);
  dialog.FormShow(fonts);
  EXPECT_EQ(dialog.SavedSelStart, 20);
  EXPECT_EQ(dialog.SwatchColor, (std::array<TColor, 5>{4, 5, 1, 2, 3}));
  EXPECT_EQ(dialog.ComboBox1Items, fonts);
  EXPECT_EQ(dialog.ComboBox1Text, "IPAGothic");
  EXPECT_EQ(dialog.ComboBox2Text, "14");
  EXPECT_TRUE(dialog.CheckBox1Checked);
  EXPECT_FALSE(dialog.CheckBox2Checked);
  EXPECT_FALSE(dialog.CheckBox_ColoringChecked);
  dialog.Label2Click();
  EXPECT_TRUE(dialog.CheckBox_ColoringChecked);
  dialog.Label2Click();
  EXPECT_FALSE(dialog.CheckBox_ColoringChecked);
}

TEST_F(SettingsDialog, TheOneColourDialogOpensOnItsOwnLastColourAndCancelChangesNothing) {
  Program<MemoryEditor> program(folder);
  TForm2 dialog = Dialog(program.form);
  dialog.FormShow(fonts);
  const auto before = dialog.SwatchColor;
  colorDialog.answers = {0x123456, std::nullopt, 0xABCDEF};
  dialog.ButtonClick(TForm2::Tag);
  dialog.ButtonClick(TForm2::NnTag);  // cancelled
  dialog.ButtonClick(TForm2::Background);
  EXPECT_EQ(colorDialog.openedOn, (std::vector<TColor>{0, 0x123456, 0x123456}));
  auto expected = before;
  expected[TForm2::Tag] = 0x123456;
  expected[TForm2::Background] = 0xABCDEF;
  EXPECT_EQ(dialog.SwatchColor, expected);
  // A new opening starts afresh.
  TForm2 again = Dialog(program.form);
  again.ButtonClick(TForm2::IeTag);
  EXPECT_EQ(colorDialog.openedOn.back(), 0u);
}

TEST_F(SettingsDialog, ApplyRunsInOrderAndRecoloursOnlyWhenTheBoxIsTicked) {
  for (bool coloring : {true, false}) {
    Program<LoggingEditor> program(folder);
    program.editor.SetSelStart(8);
    program.editor.SetSel(8, 12);  // a selection: only its start comes back
    TForm2 dialog = Dialog(program.form);
    dialog.FormShow(fonts);
    dialog.SwatchColor = {0x000001, 0x000002, 0x000003, 0x000004, 0x000005};
    dialog.ComboBox1Text = "Typed Name";
    dialog.ComboBox2Text = "13";
    dialog.CheckBox1Checked = true;
    dialog.CheckBox2Checked = true;
    dialog.CheckBox_ColoringChecked = coloring;

    program.editor.logging = true;
    program.form.Run([&] { dialog.Button_SetteiClick(); });
    ASSERT_TRUE(program.platform.errors.empty());

    std::vector<std::string> expected = {"Color 1",
                                         "SelectAll",
                                         "SelColor 2",
                                         "FontColor 2",
                                         "Font Typed Name 10",
                                         "Font Typed Name 13",
                                         "Font Typed Name 13 italic bold",
                                         "SelStart 8"};
    auto& log = program.editor.log;
    ASSERT_GE(log.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + expected.size()), expected);
    // The colouring comes last, when ticked: hidden, then shown again.
    EXPECT_EQ(log.size() > expected.size(), coloring);
    if (coloring) {
      EXPECT_EQ(log.back(), "Show");
    }

    const TForm1& form = program.form;
    EXPECT_EQ(std::make_tuple(form.TagColor, form.NnTagColor, form.IeTagColor),
              std::make_tuple(3u, 4u, 5u));
    EXPECT_TRUE(form.FontItalic);
    EXPECT_TRUE(form.FontBold);
    EXPECT_EQ(form.ColoringOnOpen, coloring);
    EXPECT_EQ(program.editor.Font(), (FontSpec{"Typed Name", 13, true, true}));
    EXPECT_EQ(program.editor.FontColor(), 2u);
    EXPECT_EQ(program.editor.SelStart(), 8);
    EXPECT_EQ(program.editor.SelLength(), 0);
    // "<HTML>": the tag's interior takes the new tag colour only when re-coloured.
    EXPECT_EQ(program.editor.ColorAt(0), 2u);
    EXPECT_EQ(program.editor.ColorAt(1), coloring ? 3u : 2u);
  }
}

TEST_F(SettingsDialog, ApplyLeavesCaptionSaveItemAndModifiedAsTheyWere) {
  WriteFileBytes(folder.dir / "page.html", "<P>x</P>\r\n");
  for (bool editedBefore : {false, true}) {
    Program<LoggingEditor> program(folder, {folder.Path("page.html")});
    if (editedBefore) program.editor.ReplaceSelectionAsUser("y");
    const std::string caption = program.form.Caption();
    TForm2 dialog = Dialog(program.form);
    dialog.FormShow(fonts);
    dialog.SwatchColor[TForm2::Text] = 0x808080;
    program.form.Run([&] { dialog.Button_SetteiClick(); });
    EXPECT_EQ(program.form.Caption(), caption);
    EXPECT_EQ(program.platform.caption, caption);
    EXPECT_EQ(program.form.ItemEnabled(MenuItem::N2), editedBefore);
    EXPECT_EQ(program.form.Modified, editedBefore);
  }
}

TEST_F(SettingsDialog, ABadSizeStopsAfterTheFontNameAndAFixedSizeAppliesTheRest) {
  Program<LoggingEditor> program(folder);
  program.editor.SetSelStart(8);
  TForm2 dialog = Dialog(program.form);
  dialog.FormShow(fonts);
  dialog.SwatchColor = {0x000001, 0x000002, 0x000003, 0x000004, 0x000005};
  dialog.ComboBox1Text = "IPAPGothic";
  dialog.ComboBox2Text = "12pt";
  dialog.CheckBox1Checked = true;
  dialog.CheckBox_ColoringChecked = false;

  bool closes = false;
  program.form.Run([&] {
    dialog.Button_SetteiClick();
    closes = true;
  });
  EXPECT_FALSE(closes);
  EXPECT_EQ(program.platform.errors, (std::vector<std::string>{"'12pt' は整数ではありません"}));
  // In effect: background, tag colours, text colour over the selected text, font name.
  EXPECT_EQ(program.editor.Color(), 1u);
  EXPECT_EQ(
      std::make_tuple(program.form.TagColor, program.form.NnTagColor, program.form.IeTagColor),
      std::make_tuple(3u, 4u, 5u));
  EXPECT_EQ(program.editor.SelLength(), program.editor.TextLength());
  EXPECT_EQ(program.editor.ColorAt(1), 2u);
  EXPECT_EQ(program.editor.FontColor(), 2u);
  EXPECT_EQ(program.editor.Font(), (FontSpec{"IPAPGothic", 10, false, false}));
  // Not run: the fields, the caret, and the end of the bracket.
  EXPECT_FALSE(program.form.FontItalic);
  EXPECT_TRUE(program.form.ColoringOnOpen);
  EXPECT_TRUE(program.form.Modified);

  dialog.ComboBox2Text = "13";
  program.form.Run([&] {
    dialog.Button_SetteiClick();
    closes = true;
  });
  EXPECT_TRUE(closes);
  EXPECT_EQ(program.platform.errors.size(), 1u);
  EXPECT_EQ(program.editor.Font(), (FontSpec{"IPAPGothic", 13, true, false}));
  EXPECT_FALSE(program.form.ColoringOnOpen);
  EXPECT_EQ(program.editor.SelStart(), 8);
}

TEST_F(SettingsDialog, TheMainWindowIsDisabledUntilTheDialogCloses) {
  Program<MemoryEditor> program(folder);
  const TColor tagColor = program.form.TagColor;
  // The user picks a colour and closes the dialog by its close box: nothing is applied.
  program.platform.settingsDialogSession = [&] {
    TForm2 dialog = Dialog(program.form);
    dialog.FormShow(fonts);
    colorDialog.answers = {0x0000FF};
    dialog.ButtonClick(TForm2::Tag);
    dialog.FormClose();
  };
  program.form.Run([&] { program.form.Font1Click(); });
  EXPECT_FALSE(program.platform.windowEnabledWhenSettingsShown);
  EXPECT_TRUE(program.platform.windowEnabled);
  EXPECT_EQ(program.form.TagColor, tagColor);
}

TEST_F(SettingsDialog, AppliedValuesSurviveACloseAndANewStart) {
  {
    Program<MemoryEditor> first(folder);
    TForm2 dialog = Dialog(first.form);
    dialog.FormShow(fonts);
    dialog.SwatchColor = {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0};
    dialog.ComboBox1Text = "IPAPGothic";
    dialog.ComboBox2Text = " 13 ";  // not in the list, with blanks
    dialog.CheckBox1Checked = true;
    dialog.CheckBox2Checked = true;
    dialog.CheckBox_ColoringChecked = false;
    first.form.Run([&] { dialog.Button_SetteiClick(); });
    dialog.FormClose();
    ASSERT_TRUE(first.form.FormClose());
    ASSERT_TRUE(first.platform.errors.empty());
  }
  Program<MemoryEditor> second(folder);
  ASSERT_TRUE(second.platform.errors.empty());
  EXPECT_EQ(second.editor.Font(), (FontSpec{"IPAPGothic", 13, true, true}));
  EXPECT_EQ(second.editor.Color(), 0x102030u);
  EXPECT_EQ(second.editor.FontColor(), 0x405060u);
  EXPECT_FALSE(second.form.ColoringOnOpen);
  TForm2 dialog = Dialog(second.form);
  dialog.FormShow(fonts);
  EXPECT_EQ(dialog.SwatchColor,
            (std::array<TColor, 5>{0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0}));
  EXPECT_EQ(dialog.ComboBox1Text, "IPAPGothic");
  EXPECT_EQ(dialog.ComboBox2Text, "13");
  EXPECT_TRUE(dialog.CheckBox1Checked);
  EXPECT_TRUE(dialog.CheckBox2Checked);
  EXPECT_FALSE(dialog.CheckBox_ColoringChecked);
}

TEST(VersionDialog, TheHelpItemShowsIt) {
  ProgramFolder folder;
  folder.Start();
  folder.form.Run([&] { folder.form.A2Click(); });
  EXPECT_EQ(folder.platform.aboutBoxShowings, 1);
}

}  // namespace
}  // namespace pemrin::testing
