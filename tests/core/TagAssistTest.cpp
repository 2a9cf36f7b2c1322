// The tag assistance on the in-memory editor: Tab completion, '>' and Enter while typing, the
// colouring of every tag and the colour code. Dictionaries are ProgramFolder's small ones:
//   fronttag  !-- A B BODY FONT FORM MARQUEE BLINK P
//   backtag   /A /B /BODY /FONT /FORM /MARQUEE /BLINK /P
//   frontop   [!--] [A] HREF NAME [B] [BODY] BGCOLOR [FONT] COLOR COLOR2 FACE SIZE [FORM] ACTION
//             [MARQUEE] [BLINK] [P] ALIGN
//   ietag     MARQUEE /MARQUEE        nntag  BLINK /BLINK
// Colours are written one letter per byte (see ColorLetters): t text, g tag, i IE, n NN.

#include <gtest/gtest.h>

#include <filesystem>

#include "KeyTyping.h"
#include "ProgramFolder.h"
#include "tags/ColorCode.h"

namespace pemrin::testing {
namespace {

// ヂ is 0x83 0x61: its second byte is the letter 'a'.
const std::string kDi = "\x83\x61";
// ア is 0x83 0x41: its second byte is 'A'.
const std::string kA = "\x83\x41";

class TagAssist : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.Start();
    ASSERT_TRUE(folder.platform.errors.empty());
  }
  // The document `before`, then `keys` typed.
  void TypeInto(const std::string& before, const std::string& keys) {
    PutMarked(folder.editor, before);
    keyboard.Type(keys);
  }
  std::string Doc() const { return Marked(folder.editor); }
  std::string Colors() { return ColorLetters(folder.form); }

  ProgramFolder folder;
  TForm1& form = folder.form;
  MemoryEditor& editor = folder.editor;
  Keyboard keyboard{folder.form, folder.editor};
};

struct KeyCase {
  const char* before;
  const char* keys;
  const char* after;
  const char* colors = nullptr;  // checked when given
};

void PrintTo(const KeyCase& c, std::ostream* os) {
  *os << ::testing::PrintToString(std::string(c.before)) << " + "
      << ::testing::PrintToString(std::string(c.keys));
}

class KeyTable : public TagAssist, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyTable, GivesTheTextSelectionAndColours) {
  const KeyCase& c = GetParam();
  TypeInto(c.before, c.keys);
  EXPECT_EQ(Doc(), c.after);
  if (c.colors) {
    EXPECT_EQ(Colors(), c.colors);
  }
  EXPECT_TRUE(folder.platform.errors.empty());
}

const KeyCase kTagNameCases[] = {
    {"<fo|", "\t", "<[FONT]"},
    {"<fo|", "\t\t", "<[FORM]"},
    {"<fo|", "\t\t\t", "<[FONT]"},
    {"<fo|", "\t\t\x1b", "<[FONT]"},
    {"<fo|", "\t\t\x1b\r", "<FONT|>", "tggggt"},
    // Three candidates go round both ways.
    {"<b|", "\t\t\t\t", "<[B]"},
    {"<b|", "\t\t\t", "<[BLINK]"},
    {"<b|", "\t\x1b", "<[BLINK]"},
    // Every tag name, then every closing one.
    {"<|", "\t", "<[!--]"},
    {"<|", "\t\t\t\t\t\t\t\t\t\t", "<[/A]"},
    {"</b|", "\t\t", "<[/BODY]"},
    {"<!|", "\t\r", "<!--|", "tggg"},
    // Only the text before the caret is the prefix; a selection is dropped.
    {"<F|O", "\t", "<[FONT]O"},
    {"<b[cd]", "\t", "<[B]cd"},
    // Any other key puts the prefix back upper-cased and then does its own work.
    {"<b|", "\t\tx", "<Bx|"},
    {"<b|", "\tX", "<BX|"},
    {"<fo|", "\t ", "<FO |"},
    // The accepted name takes its colour; what is typed next the text colour.
    {"<fo|", "\t\rx", "<FONTx|>", "tggggtt"},
    {"<marq|", "\t\r", "<MARQUEE|>", "tiiiiiiit"},
    {"<bli|", "\t\r", "<BLINK|>", "tnnnnnt"},
    {"</marq|", "\t\r", "</MARQUEE|>", "tiiiiiiiit"},
    {"</fo|", "\t\r", "</FONT|>", "tgggggt"},
};
INSTANTIATE_TEST_SUITE_P(TagNameCompletion, KeyTable, ::testing::ValuesIn(kTagNameCases));

const KeyCase kAttributeCases[] = {
    {"<FONT co|", "\t", "<FONT [COLOR]"},
    {"<FONT co|", "\t\t", "<FONT [COLOR2]"},
    {"<FONT co|", "\t\r", "<FONT COLOR|", "ttttttggggg"},
    {"<font |", "\t\t\t\t", "<font [SIZE]"},
    {"<font |", "\t\t\t\t\t", "<font [COLOR]"},
    {"<font |>", "\t\r", "<font COLOR|>"},
    {"<A href=x n|", "\t", "<A href=x [NAME]"},
    {"<FONT co|", "\tL", "<FONT COL|"},
    // The last tag of fronttag.dic: its section runs to the end of frontop.dic.
    {"<P |", "\t", "<P [ALIGN]"},
    // An empty section, and a tag fronttag.dic does not know.
    {"<B |", "\t", "<B \t|"},
    {"<XYZ |", "\t", "<XYZ \t|"},
};
INSTANTIATE_TEST_SUITE_P(AttributeCompletion, KeyTable, ::testing::ValuesIn(kAttributeCases));

const KeyCase kNothingToCompleteCases[] = {
    {"<B>text|", "\t", "<B>text\t|"},
    {"|<b", "\t", "\t|<b"},
    {"abc|", "\t", "abc\t|"},
    {"<b\r\nx|", "\t", "<b\r\nx\t|"},
    {"ab[cd]", "\t", "ab\t|cd"},
    // No entry matches: the prefix stays as typed.
    {"<zz|", "\t", "<zz\t|", "tttt"},
    {"x|", "\x1b", "x|"},
};
INSTANTIATE_TEST_SUITE_P(NothingToComplete, KeyTable, ::testing::ValuesIn(kNothingToCompleteCases));

const KeyCase kClosingCases[] = {
    {"<font|", ">", "<FONT>|", "tggggt"},
    {"<font color=red|", ">", "<FONT color=red>|", "tggggggggggggggt"},
    {"<marquee|", ">", "<MARQUEE>|", "tiiiiiiit"},
    {"<blink x|", ">", "<BLINK x>|", "tnnnnnggt"},
    {"</b|", ">", "</B>|", "tggt"},
    {"</marquee|", ">", "</MARQUEE>|", "tiiiiiiiit"},
    {"<fo|nt", ">", "<FO>|nt", "tggttt"},
    {"<b[cd]", ">", "<B>|cd", "tgttt"},
    {"<|", ">", "<>|", "tt"},
    // No tag open before the caret on its line.
    {"a |", ">", "a >|", "ttt"},
    {"<font\r\ncolor|", ">", "<font\r\ncolor>|", "ttttttttttttt"},
    {"<b>x|", ">", "<b>x>|", "ttttt"},
    {"<b>x<i|", ">", "<b>x<I>|", "tttttgt"},
};
INSTANTIATE_TEST_SUITE_P(ClosingATag, KeyTable, ::testing::ValuesIn(kClosingCases));

const KeyCase kLineBreakCases[] = {
    {"x|", "\r", "x\r\n|"},
    // Every tab of the line counts, wherever it stands.
    {"\t\ta\tb|", "\r", "\t\ta\tb\r\n\t\t\t|"},
    {"\tab|cd\t", "\r", "\tab\r\n\t\t|cd\t"},
    {"\ta[bc]d", "\r", "\ta\r\n\t|d"},
    {"\t\r\nx|", "\r", "\t\r\nx\r\n|"},
    // Enter accepts a shown candidate and breaks no line.
    {"\t<b|", "\t\t\r", "\t<BODY|>"},
};
INSTANTIATE_TEST_SUITE_P(LineBreak, KeyTable, ::testing::ValuesIn(kLineBreakCases));

TEST_F(TagAssist, ShiftTabWhileCyclingStartsAgainFromTheFirstCandidate) {
  TypeInto("<b|", "\t\t");
  ASSERT_EQ(Doc(), "<[BODY]");
  keyboard.ShiftTab();
  EXPECT_EQ(Doc(), "<[B]");
  EXPECT_EQ(form.CandidateIndex, 1);
}

TEST_F(TagAssist, AKeyThatTypesNothingCancelsToo) {
  TypeInto("x <fo|", "\t");
  keyboard.Press(VK_LEFT);
  EXPECT_EQ(Doc(), "x <FO|");
  EXPECT_FALSE(form.CandidateMode);
  EXPECT_EQ(form.CandidateList.Count(), 0);
  keyboard.Type("\t");
  EXPECT_EQ(Doc(), "x <[FONT]");
}

TEST_F(TagAssist, AttributeSectionsFollowTheOrderOfFronttag) {
  form.FrontTagList.LoadFromBytes("A\r\nB\r\nC\r\n");
  struct Case {
    const char* frontop;
    const char* before;
    const char* after;
  } cases[] = {
      // Out of order: B's section lies after C's head, so A's runs to B's head.
      {"[A]\r\nX1\r\n[C]\r\nX3\r\n[B]\r\nX2\r\n", "<a |", "<a [X1]"},
      {"[B]\r\nX2\r\n[A]\r\nX1\r\n", "<a |", "<a \t|"},
      // A's head is missing: from the top of the file.
      {"X0\r\n[B]\r\nX2\r\n", "<a |", "<a [X0]"},
      // The head of a name found without regard to case; head lines are offered too.
      {"[a]\r\n[Q]\r\n[b]\r\n", "<A |", "<A [[Q]]"},
  };
  for (const Case& c : cases) {
    form.FrontOpList.LoadFromBytes(c.frontop);
    TypeInto(c.before, "\t");
    EXPECT_EQ(Doc(), c.after) << c.frontop;
    keyboard.Type("\x1b x");  // leave any cycle
  }
}

TEST_F(TagAssist, WithoutTagNamesThereAreNoAttributes) {
  form.FrontTagList.Clear();
  TypeInto("<FONT |", "\t");
  EXPECT_EQ(Doc(), "<FONT \t|");
  TypeInto("<|", "\t");
  EXPECT_EQ(Doc(), "<[/A]");
}

TEST_F(TagAssist, DuplicatesAndEmptyEntriesAreCandidatesLowerCaseOnesNot) {
  form.FrontTagList.LoadFromBytes("B\r\n\r\nB\r\nfont\r\n");
  form.BackTagList.Clear();
  TypeInto("<b|", "\t\t\t");
  EXPECT_EQ(Doc(), "<[B]");
  EXPECT_EQ(form.CandidateCount, 3);
  keyboard.Type(" ");  // ends the cycle
  TypeInto("<|", "\t\t");
  EXPECT_EQ(Doc(), "<|");  // the empty entry, shown as nothing
  EXPECT_EQ(form.CandidateIndex, 2);
  keyboard.Type(" ");
  // A lower-case entry is found by the exact lookup but never offered.
  TypeInto("<fo|", "\t");
  EXPECT_EQ(Doc(), "<fo\t|");
  EXPECT_EQ(form.FrontTagList.IndexOf("FONT"), 3);
}

TEST_F(TagAssist, ClosingTagsTakeAnIeColourOnlyWhenTheirSlashFormIsListed) {
  form.IeTagList.LoadFromBytes("marquee\r\n");
  TypeInto("</marq|", "\t\r");
  EXPECT_EQ(Colors(), "tggggggggt");
  TypeInto("<marq|", "\t\r");
  EXPECT_EQ(Colors(), "tiiiiiiit");
}

TEST_F(TagAssist, JapaneseTextInATagComesOutIntact) {
  // The trail byte 'a' of ヂ is neither upper-cased nor matched as a letter.
  TypeInto("<b" + kDi + " " + kDi + "|", ">");
  EXPECT_EQ(Doc(), "<B" + kDi + " " + kDi + ">|");

  form.IeTagList.LoadFromBytes("X" + kA + "\r\nX" + kDi + "\r\n");
  TypeInto("<x" + kDi + "|", ">");
  EXPECT_EQ(Doc(), "<X" + kDi + ">|");
  EXPECT_EQ(Colors(), "tiiit");

  form.FrontTagList.Add("B" + kDi + "Q");
  TypeInto("<b" + kDi + "|", "\t");
  EXPECT_EQ(Doc(), "<[B" + kDi + "Q]");
  keyboard.Type("z");
  EXPECT_EQ(Doc(), "<B" + kDi + "z|");
}

// The cycle is also left standing by the mouse: the next key must not overwrite text that the
// candidate's old place now holds.
TEST_F(TagAssist, KeysAfterTheMouseMovedTheCandidateLeaveTheUsersTextAlone) {
  TypeInto("<b|", "\t");
  editor.SetSelStart(0);  // a click at the start of the line
  keyboard.Type("\t");
  EXPECT_EQ(Doc(), "\t|<B");

  TypeInto("<b|", "\t");
  editor.SetSelStart(0);
  editor.ReplaceSelectionAsUser("xy");  // pasted from the Edit menu with the mouse
  keyboard.Type("z");
  EXPECT_EQ(Doc(), "xyz|<B");

  TypeInto("ab <b|", "\t");
  editor.SetSel(0, 2);  // a word selected with the mouse
  keyboard.Type("\r");
  EXPECT_EQ(Doc(), "\r\n| <B");
}

TEST_F(TagAssist, ANewDocumentEndsTheCycleAndTheTabAfterItIsATab) {
  TypeInto("<b|", "\t\t");
  form.ResetCompletion();
  PutMarked(editor, "<fo|");
  keyboard.Type("\t");
  EXPECT_EQ(Doc(), "<fo\t|");
  EXPECT_EQ(form.CandidateIndex, 0);
  PutMarked(editor, "<fo|");
  keyboard.Type("\t");
  EXPECT_EQ(Doc(), "<[FONT]");
}

TEST_F(TagAssist, SearchBackwardLooksOnlyBeforeTheCaretOnItsLine) {
  struct Case {
    const char* doc;
    char delimiter;
    bool found;
    int start;
    int length;
  } cases[] = {
      {"ab<cd|", '<', true, 3, 2},  {"<ab|c", '<', true, 1, 2},
      {"|<", '<', false, 0, 0},     {"<a\r\nb|", '<', false, 0, 0},
      {"x<a>b|", '>', true, 4, 1},  {"a<b[cd]", '<', true, 2, 1},
      {"<a b c|", ' ', true, 5, 1}, {"\r\nq<\x83\x61|", '<', true, 4, 2},
  };
  for (const Case& c : cases) {
    PutMarked(editor, c.doc);
    const TForm1::BackwardMatch m = form.SearchBackward(c.delimiter);
    EXPECT_EQ(m.found, c.found) << c.doc;
    EXPECT_EQ(m.start, c.start) << c.doc;
    EXPECT_EQ(m.length, c.length) << c.doc;
    EXPECT_EQ(m.caret, editor.SelStart()) << c.doc;
    EXPECT_EQ(Doc(), c.doc);  // the selection is left alone
  }
}

// --- Colouring every tag --------------------------------------------------------------------

TEST_F(TagAssist, ColorAllTagsColoursTheInsideOfEveryTag) {
  struct Case {
    const char* text;
    const char* colors;
  } cases[] = {
      {"a<b>c", "ttgtt"},   {"<>", "tt"},           {"x<y", "tgt"}, {"<a<b>", "tgggt"},
      {"a>b<c>", "ttttgt"}, {"<a\r\nb>", "tggggt"}, {"", ""},       {"<a>\x83\x61<b", "tgtttgt"},
  };
  for (const Case& c : cases) {
    editor.SetText(c.text);
    editor.SelectAll();
    editor.SetSelColor(form.IeTagColor);  // earlier colours are all repainted
    editor.SetSelStart(0);
    form.ColorAllTags();
    EXPECT_EQ(Colors(), c.colors) << c.text;
    EXPECT_EQ(editor.Text(), c.text);
  }
}

TEST_F(TagAssist, ColorAllTagsLeavesTheCaretAtTheOldSelectionStart) {
  PutMarked(editor, "<a>b[cd]e");
  form.ColorAllTags();
  EXPECT_EQ(Doc(), "<a>b|cde");
  EXPECT_TRUE(editor.Visible());
}

// An editor whose colour changes count as changes of the text, as a rich-edit control's may.
class ColourChangeEditor : public MemoryEditor {
 public:
  void SetSelColor(TColor color) override {
    MemoryEditor::SetSelColor(color);
    RaiseChange();
  }
};

TEST(ColorAllTagsCommand, LeavesCaptionSaveItemAndModifiedAsTheyWere) {
  for (bool modified : {false, true}) {
    ColourChangeEditor editor;
    FakePlatform platform;
    TForm1 form(editor, platform);
    editor.SetText("<a>");
    form.SetCaption("Pemrin v1.37 a.html");
    form.SetItemEnabled(MenuItem::N2, modified);
    form.Modified = modified;

    form.N1Click();
    EXPECT_EQ(form.Caption(), "Pemrin v1.37 a.html");
    EXPECT_EQ(form.ItemEnabled(MenuItem::N2), modified);
    EXPECT_EQ(form.Modified, modified);
    EXPECT_TRUE(editor.HasFocus());
    EXPECT_EQ(editor.ColorAt(1), form.TagColor);
  }
}

// --- Colour code ------------------------------------------------------------------------------

TEST_F(TagAssist, ColourCodeReplacesTheSelectionWithRedGreenBlue) {
  struct Case {
    TColor color;
    const char* code;
  } cases[] = {
      {RgbToTColor(0, 0, 0), "#000000"},          {RgbToTColor(255, 255, 255), "#FFFFFF"},
      {RgbToTColor(255, 0, 0), "#FF0000"},        {RgbToTColor(0, 255, 0), "#00FF00"},
      {RgbToTColor(0, 0, 255), "#0000FF"},        {RgbToTColor(0x56, 0x34, 0x12), "#563412"},
      {RgbToTColor(0xAB, 0xCD, 0xEF), "#ABCDEF"},
  };
  for (const Case& c : cases) {
    PutMarked(editor, "a[bc]d");
    folder.platform.colorAnswers.push_back(c.color);
    form.Run([&] { form.Color1Click(); });
    EXPECT_EQ(Doc(), std::string("a") + c.code + "|d");
  }
}

TEST_F(TagAssist, CancellingTheColourDialogChangesNothing) {
  PutMarked(editor, "a[bc]d");
  form.Modified = false;
  form.Run([&] { form.Color1Click(); });
  EXPECT_EQ(folder.platform.colorDialogCount, 1);
  EXPECT_EQ(Doc(), "a[bc]d");
  EXPECT_FALSE(form.Modified);
}

// --- The whole way through, on the shipped dictionaries ----------------------------------------

TEST(TagAssistSession, TypingATaggedLineIntoTheDefaultDocument) {
  ProgramFolder folder;
  const std::filesystem::path data = std::filesystem::path(PEMRIN_SOURCE_DIR) / "data";
  for (const char* name :
       {"fronttag.dic", "backtag.dic", "frontop.dic", "ietag.dic", "nntag.dic", "new.tlt"}) {
    std::filesystem::copy_file(data / name, folder.dir / name,
                               std::filesystem::copy_options::overwrite_existing);
  }
  folder.Start();
  ASSERT_TRUE(folder.platform.errors.empty());
  TForm1& form = folder.form;
  MemoryEditor& editor = folder.editor;
  Keyboard keyboard(form, editor);

  const Bytes before = editor.Text();
  const int lineStart = editor.LineIndex(7);  // the empty line after <BODY>
  ASSERT_EQ(editor.Line(6), "<BODY>");
  editor.SetSelStart(lineStart);

  keyboard.Type("<fo\t\t\x1b\r");
  EXPECT_EQ(editor.Line(7), "<FONT>");
  keyboard.Type(" co\t\r=red");
  keyboard.Press(VK_END);
  editor.SetSelStart(lineStart + static_cast<int>(editor.Line(7).size()));
  keyboard.Type("x<marquee>\r\ttext\r");

  const Bytes typed = "<FONT COLOR=red>x<MARQUEE>\r\n\ttext\r\n\t";
  EXPECT_EQ(editor.Text(), before.substr(0, lineStart) + typed + before.substr(lineStart));
  EXPECT_EQ(editor.SelStart(), lineStart + static_cast<int>(typed.size()));
  EXPECT_EQ(ColorLetters(form, lineStart, lineStart + 26), "tggggtgggggtttttttiiiiiiit");
  EXPECT_TRUE(folder.platform.errors.empty());
  EXPECT_TRUE(form.Modified);
}

}  // namespace
}  // namespace pemrin::testing
