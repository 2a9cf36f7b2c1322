// Where the cross-check fuzzer (tests/fuzz/qt/EditorsFuzz.cpp) found MemoryEditor and
// QtRichEdit disagreeing: each case is the smallest sequence that showed it, with what both
// editors now give. Shift_JIS pairs: a lead byte (0x81-0x9F, 0xE0-0xFC) takes the next byte as
// its trail byte when that is 0x40-0x7E or 0x80-0xFC, so an edit next to a lone lead byte, or
// inside a run of lead bytes, pairs the bytes around it anew.

#include <gtest/gtest.h>

#include <QApplication>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/MemoryEditor.h"
#include "qt/QtRichEdit.h"

namespace pemrin {
namespace {

constexpr TColor kRed = RgbToTColor(255, 0, 0);
constexpr TColor kBlue = RgbToTColor(0, 0, 255);
constexpr TColor kGreen = RgbToTColor(0, 128, 0);

enum class Kind { Memory, Qt };

std::unique_ptr<EditorControl> MakeEditor(Kind kind) {
  if (kind == Kind::Memory) return std::make_unique<MemoryEditor>();
  auto editor = std::make_unique<qt::QtRichEdit>();
  editor->resize(400, 300);
  editor->show();
  QApplication::processEvents();
  return editor;
}

std::vector<TColor> Colors(const EditorControl& e) {
  std::vector<TColor> colors;
  for (int i = 0; i < e.TextLength(); ++i) colors.push_back(e.ColorAt(i));
  return colors;
}

struct AgreeCase {
  const char* name;
  std::function<void(EditorControl&)> check;
};

const std::vector<AgreeCase> kCases = {
    // MemoryEditor kept the text colour of the moment its selection was set.
    {"TypingIntoAnEmptyDocumentTakesTheTextColourAsItIsNow",
     [](EditorControl& e) {
       e.SetFontColor(kRed);
       e.ReplaceSelectionAsUser("<");
       EXPECT_EQ(e.ColorAt(0), kRed);
     }},
    // MemoryEditor recorded an empty replacement of nothing as a step of its own.
    {"ReplacingNothingWithNothingIsNoStepToUndo",
     [](EditorControl& e) {
       e.ReplaceSelectionAsUser("ab");
       e.ReplaceSelectionAsUser("");
       e.Undo();
       EXPECT_EQ(e.Text(), "");
       // The program's replacement still ends the history, even of nothing.
       e.ReplaceSelectionAsUser("ab");
       e.SetSelTextBuf("");
       e.Undo();
       EXPECT_EQ(e.Text(), "ab");
     }},
    // MemoryEditor coloured the two bytes of the new character differently.
    {"ALoneLeadBytePairedByAnEditGivesTheCharacterItsLeadBytesColour",
     [](EditorControl& e) {
       e.SetText("\xE3");  // a lone lead byte
       e.SetSelStart(0);
       e.SetSelColor(kBlue);
       e.SetSelTextBuf("\t\x83");  // 0x83 now pairs with 0xE3
       EXPECT_EQ(Colors(e), (std::vector<TColor>{kBlue, kBlue, kBlue}));

       e.SetText("\x83");
       e.SelectAll();
       e.SetSelColor(kRed);
       e.SetSelStart(-1);
       e.SetSelColor(kBlue);
       e.SetSelTextBuf("A");  // ア
       EXPECT_EQ(e.Text(), "\x83\x41");
       EXPECT_EQ(Colors(e), (std::vector<TColor>{kRed, kRed}));
     }},
    // QtRichEdit gave every character it decoded anew the colour of the first one.
    {"ABrokenPairKeepsTheColourOfEachByteThatStaysACharacter",
     [](EditorControl& e) {
       e.ReplaceSelectionAsUser("\n\t");
       e.SetSelColor(kGreen);
       e.SetSelTextBuf("1");
       e.SetSelTextBuf("\t\x95\x5C\x95\x5C");  // 表表, green
       e.SetSel(6, 2);                         // "\t1\t表"
       e.SetSelTextBuf("\xF7");  // pairs with 0x95: the 0x5C of 表 is a character of its own
       EXPECT_EQ(e.Text(), "\r\n\xF7\x95\x5C");
       EXPECT_EQ(Colors(e), (std::vector<TColor>{0, 0, 0, 0, kGreen}));
     }},
    // QtRichEdit brought text back in the colour of the text before it.
    {"UndoBringsBackTheReplacedTextWithItsColours",
     [](EditorControl& e) {
       e.ReplaceSelectionAsUser("ab");
       e.SelectAll();
       e.SetSelColor(kBlue);
       e.ReplaceSelectionAsUser("xyz");
       e.Undo();
       EXPECT_EQ(e.Text(), "ab");
       EXPECT_EQ(Colors(e), (std::vector<TColor>{kBlue, kBlue}));
       EXPECT_EQ(e.SelStart(), 0);
       EXPECT_EQ(e.SelLength(), 2);
     }},
    // QtRichEdit also selected the lone lead byte that the undone '~' had paired with.
    {"UndoSelectsWhatItPutBackNotTheBytesThatPairedAnew",
     [](EditorControl& e) {
       e.SetSelTextBuf("\xFB\xBB\n\x0C\x89");  // ends in a lone lead byte
       e.ReplaceSelectionAsUser("~");          // 0x89 0x7E is one character
       e.Undo();
       EXPECT_EQ(e.Text(), "\xFB\xBB\r\n\x0C\x89");
       EXPECT_EQ(e.SelStart(), 6);
       EXPECT_EQ(e.SelLength(), 0);
     }},
    // QtRichEdit kept a colour chosen for the next text across an undo that ended where the
    // choice was made.
    {"UndoForgetsTheColourChosenForTheNextText",
     [](EditorControl& e) {
       e.ReplaceSelectionAsUser("\x83");
       e.SetSelStart(0);
       e.SetSelColor(kRed);
       e.Undo();
       e.ReplaceSelectionAsUser("<");
       EXPECT_EQ(e.ColorAt(0), e.FontColor());
     }},
};

class EditorsAgreeTest : public ::testing::TestWithParam<std::tuple<Kind, std::size_t>> {};

TEST_P(EditorsAgreeTest, Holds) {
  const auto [kind, index] = GetParam();
  auto editor = MakeEditor(kind);
  kCases[index].check(*editor);
}

INSTANTIATE_TEST_SUITE_P(
    BothEditors, EditorsAgreeTest,
    ::testing::Combine(::testing::Values(Kind::Memory, Kind::Qt),
                       ::testing::Range<std::size_t>(0, kCases.size())),
    [](const ::testing::TestParamInfo<std::tuple<Kind, std::size_t>>& info) {
      return std::string(std::get<0>(info.param) == Kind::Memory ? "Memory_" : "Qt_") +
             kCases[std::get<1>(info.param)].name;
    });

}  // namespace
}  // namespace pemrin
