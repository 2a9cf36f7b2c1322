// The rules of EditorControl, one table of cases run against both editors: MemoryEditor and
// QtRichEdit (shown on the offscreen platform, so that its layout is real).

#include <gtest/gtest.h>

#include <QApplication>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/EditorControl.h"
#include "editor/MemoryEditor.h"
#include "qt/QtRichEdit.h"

namespace pemrin {
namespace {

using qt::QtRichEdit;

constexpr TColor kRed = RgbToTColor(255, 0, 0);
constexpr TColor kBlue = RgbToTColor(0, 0, 255);

enum class Kind { Memory, Qt };

std::unique_ptr<EditorControl> MakeEditor(Kind kind) {
  if (kind == Kind::Memory) return std::make_unique<MemoryEditor>(16);
  auto editor = std::make_unique<QtRichEdit>();
  editor->resize(480, 320);
  editor->show();
  QApplication::processEvents();
  return editor;
}

struct ContractCase {
  const char* name;
  std::function<void(EditorControl&)> check;
};

// Japanese over three lines: あいう / abc / 漢字テスト (Shift_JIS).
const Bytes kJapanese =
    "\x82\xA0\x82\xA2\x82\xA4\r\nabc\r\n\x8A\xBF\x8E\x9A\x83\x65\x83\x58\x83\x67";
const Bytes kJi = "\x8E\x9A";  // 字

const std::vector<ContractCase> kContract = {
    {"ByteOffsetsSelectTheBytesFoundThere",
     [](EditorControl& e) {
       e.SetText(kJapanese);
       const Bytes text = e.Text();
       ASSERT_EQ(text, kJapanese);
       const int at = static_cast<int>(text.find(kJi));
       e.SetSel(at, at + 2);
       EXPECT_EQ(e.SelStart(), at);
       EXPECT_EQ(e.SelLength(), 2);
       EXPECT_EQ(e.SelText(), kJi);
       // A line's first position plus a byte column.
       const int line = e.LineFromChar(at);
       EXPECT_EQ(line, 2);
       EXPECT_EQ(e.Line(line).substr(at - e.LineIndex(line), 2), kJi);
       e.SetSel(4, 4 + 2);  // う on the first line
       EXPECT_EQ(e.SelText(), "\x82\xA4");
     }},
    {"PositionInsideACharacterIsItsStart",
     [](EditorControl& e) {
       e.SetText(kJapanese);
       e.SetSelStart(3);  // between the bytes of い
       EXPECT_EQ(e.SelStart(), 2);
       e.SetSelStart(7);  // between CR and LF
       EXPECT_EQ(e.SelStart(), 6);
       e.SetSel(1, 3);  // the range ends inside a character: it takes all of it
       EXPECT_EQ(e.SelStart(), 0);
       EXPECT_EQ(e.SelText(), "\x82\xA0");
     }},
    {"SetSelFiveFourSelectsTheCharacterAtFour",
     [](EditorControl& e) {
       e.SetText("abcdefgh");
       e.SetSel(5, 4);
       EXPECT_EQ(e.SelStart(), 4);
       EXPECT_EQ(e.SelLength(), 1);
       EXPECT_EQ(e.SelText(), "e");
       e.SetSel(3, 3);
       EXPECT_EQ(e.SelStart(), 3);
       EXPECT_EQ(e.SelLength(), 0);
     }},
    {"ColourOfAnEmptySelectionGoesToTheNextInsertedCharacter",
     [](EditorControl& e) {
       e.SetFontColor(kBlue);
       e.SetText("abc");
       e.SetSel(1, 1);
       e.SetSelColor(kRed);
       EXPECT_EQ(e.ColorAt(0), kBlue);
       EXPECT_EQ(e.ColorAt(1), kBlue);
       EXPECT_EQ(e.SelColor(), kRed);
       e.SetSelTextBuf("X");
       EXPECT_EQ(e.Text(), "aXbc");
       EXPECT_EQ(e.ColorAt(1), kRed);
       EXPECT_EQ(e.ColorAt(2), kBlue);
     }},
    {"ColouredRangeReplacedKeepsItsColour",
     [](EditorControl& e) {
       e.SetFontColor(kBlue);
       e.SetText("<b>text");
       e.SetSel(1, 2);
       e.SetSelColor(kRed);
       EXPECT_EQ(e.ColorAt(0), kBlue);
       EXPECT_EQ(e.ColorAt(1), kRed);
       e.SetSelTextBuf("B");
       EXPECT_EQ(e.Text(), "<B>text");
       EXPECT_EQ(e.ColorAt(1), kRed);
       EXPECT_EQ(e.ColorAt(2), kBlue);
       // Typed next to it, text takes the colour of the character before the caret.
       e.SetSel(3, 3);
       e.ReplaceSelectionAsUser("x");
       EXPECT_EQ(e.ColorAt(3), kBlue);
       e.SetSel(2, 2);
       EXPECT_EQ(e.SelColor(), kRed);
     }},
    {"CaretAfterSetSelTextBufStandsAfterTheNewText",
     [](EditorControl& e) {
       e.SetText("\x82\xA0\x82\xA2\x82\xA4\x82\xA6\x82\xA8");  // あいうえお
       e.SetSel(2, 6);
       const Bytes inserted = "xyz\r\n\x82\xA9";  // n = 7
       e.SetSelTextBuf(inserted);
       EXPECT_EQ(e.SelStart(), 2 + 7);
       EXPECT_EQ(e.SelLength(), 0);
       EXPECT_EQ(e.Text(), "\x82\xA0xyz\r\n\x82\xA9\x82\xA6\x82\xA8");
       EXPECT_EQ(e.LineCount(), 2);
     }},
    {"SelStartMinusOneThenSelLengthThree",
     [](EditorControl& e) {
       e.SetText(kJapanese);
       e.SetSelStart(-1);
       e.SetSelLength(3);
       EXPECT_EQ(e.SelStart(), e.TextLength());
       EXPECT_EQ(e.SelLength(), 0);
     }},
    {"SelectionIsCutAtTheEnd",
     [](EditorControl& e) {
       e.SetText("abc\r\nde");
       e.SetSel(5, 100);
       EXPECT_EQ(e.SelText(), "de");
       e.SetSelStart(1);
       e.SetSelLength(100);
       EXPECT_EQ(e.SelLength(), 6);
       e.SelectAll();
       EXPECT_EQ(e.SelText(), "abc\r\nde");
       e.SetSel(-1, 2);
       EXPECT_EQ(e.SelStart(), 2);
       EXPECT_EQ(e.SelText(), "c\r\nde");
     }},
    {"SelTextAcrossCrLf",
     [](EditorControl& e) {
       e.SetText("ab\r\ncd");
       e.SetSel(1, 5);
       EXPECT_EQ(e.SelText(), "b\r\nc");
       e.SetSel(2, 3);  // from CR to inside the break: the whole break
       EXPECT_EQ(e.SelText(), "\r\n");
       e.SetSel(3, 3);
       EXPECT_EQ(e.SelStart(), 2);
     }},
    {"LinesOfTheText",
     [](EditorControl& e) {
       e.SetText("");
       EXPECT_EQ(e.LineCount(), 1);
       EXPECT_EQ(e.Line(0), "");
       EXPECT_EQ(e.Text(), "");
       e.SetText("a\r\n\r\nb\r\n");
       EXPECT_EQ(e.LineCount(), 4);
       EXPECT_EQ(e.Line(0), "a");
       EXPECT_EQ(e.Line(1), "");
       EXPECT_EQ(e.Line(2), "b");
       EXPECT_EQ(e.Line(3), "");
       EXPECT_EQ(e.Line(4), "");
       EXPECT_EQ(e.Line(-1), "");
       // Lone LF and lone CR are line breaks too, kept as CR LF.
       e.SetText("x\ny\rz");
       EXPECT_EQ(e.Text(), "x\r\ny\r\nz");
       EXPECT_EQ(e.TextLength(), 7);
       EXPECT_EQ(e.Line(2), "z");
     }},
    {"LineFromCharAndLineIndexAtLineEnds",
     [](EditorControl& e) {
       e.SetText("ab\r\ncd");
       EXPECT_EQ(e.LineFromChar(2), 0);  // at CR
       EXPECT_EQ(e.LineFromChar(3), 0);  // between CR and LF
       EXPECT_EQ(e.LineFromChar(4), 1);
       EXPECT_EQ(e.LineFromChar(6), 1);  // the end of the text
       EXPECT_EQ(e.LineFromChar(60), 1);
       EXPECT_EQ(e.LineIndex(0), 0);
       EXPECT_EQ(e.LineIndex(1), 4);
       EXPECT_EQ(e.LineIndex(2), -1);
       e.SetSelStart(5);
       EXPECT_EQ(e.LineFromChar(-1), 1);
       e.SetText("ab\r\n");
       EXPECT_EQ(e.LineFromChar(4), 1);
       EXPECT_EQ(e.LineIndex(1), 4);
     }},
    {"FindTextAtTheEndsOfTheRange",
     [](EditorControl& e) {
       e.SetText("abcabc");
       const FindOptions none;
       EXPECT_EQ(e.FindText("abc", 0, 3, none), 0);
       EXPECT_EQ(e.FindText("abc", 1, 5, none), 3);   // ends at the range's end
       EXPECT_EQ(e.FindText("abc", 1, 4, none), -1);  // would end past it
       EXPECT_EQ(e.FindText("c", 5, 1, none), 5);
       EXPECT_EQ(e.FindText("c", 6, 10, none), -1);
       EXPECT_EQ(e.FindText("", 0, 6, none), -1);
     }},
    {"FindTextWholeCharactersAndCase",
     [](EditorControl& e) {
       e.SetText("\x83\x41 A x\x82\x60");  // ア A xＡ
       const FindOptions none;
       EXPECT_EQ(e.FindText("A", 0, 100, none), 3);  // never inside ア (0x83 0x41)
       EXPECT_EQ(e.FindText("a", 0, 100, none), 3);
       EXPECT_EQ(e.FindText("a", 0, 100, {.matchCase = true}), -1);
       EXPECT_EQ(e.FindText("\x82\x81", 0, 100, none), 6);  // ａ finds Ａ
       e.SetText("concat cat\r\nscat cat");
       EXPECT_EQ(e.FindText("cat", 0, 100, {.wholeWord = true}), 7);
       EXPECT_EQ(e.FindText("cat", 8, 100, {.wholeWord = true}), 17);
       EXPECT_EQ(e.FindText("t\r\nsc", 0, 100, none), 9);  // across a line break
     }},
    {"WrappedRowsCountAsLines",
     [](EditorControl& e) {
       const Bytes longLine(200, 'a');
       e.SetText(longLine + "\r\nxyz");
       e.SetWordWrap(true);
       QApplication::processEvents();
       const int rows = e.LineCount() - 1;  // of the long line
       ASSERT_GE(rows, 2);
       const int second = e.LineIndex(1);
       EXPECT_GT(second, 0);
       EXPECT_LT(second, 200);
       EXPECT_EQ(e.LineFromChar(second), 1);
       EXPECT_EQ(e.LineFromChar(second - 1), 0);
       Bytes joined;
       for (int row = 0; row < rows; ++row) joined += e.Line(row);
       EXPECT_EQ(joined, longLine);
       EXPECT_EQ(e.LineIndex(rows), 202);
       EXPECT_EQ(e.Line(rows), "xyz");
       EXPECT_EQ(e.LineFromChar(e.TextLength()), rows);
       EXPECT_EQ(e.LineIndex(rows + 1), -1);
       e.SetWordWrap(false);
       EXPECT_EQ(e.LineCount(), 2);
       EXPECT_EQ(e.LineFromChar(second), 0);
     }},
    {"WrappedRowsNeverSplitACharacter",
     [](EditorControl& e) {
       Bytes line;
       for (int i = 0; i < 100; ++i) line += "\x82\xA0";  // あ
       e.SetText(line);
       e.SetWordWrap(true);
       QApplication::processEvents();
       ASSERT_GE(e.LineCount(), 2);
       for (int row = 0; row < e.LineCount(); ++row) {
         EXPECT_EQ(e.LineIndex(row) % 2, 0);
         EXPECT_EQ(e.Line(row).size() % 2, 0u);
       }
     }},
    {"UserEditsUndoProgramEditsDoNot",
     [](EditorControl& e) {
       e.SetText("abc");
       EXPECT_FALSE(e.CanUndo());
       e.SetSel(1, 2);
       e.ReplaceSelectionAsUser("XY");
       EXPECT_EQ(e.Text(), "aXYc");
       EXPECT_TRUE(e.CanUndo());
       e.Undo();
       EXPECT_EQ(e.Text(), "abc");
       EXPECT_EQ(e.SelText(), "b");  // what came back is selected
       e.SetSel(0, 1);
       e.ReplaceSelectionAsUser("Z");
       e.SetSel(2, 2);
       e.SetSelTextBuf("!");
       EXPECT_EQ(e.Text(), "Zb!c");
       EXPECT_FALSE(e.CanUndo());
     }},
    {"OnChangeAfterEveryChangeOfTheText",
     [](EditorControl& e) {
       int changes = 0;
       e.OnChange = [&] { ++changes; };
       e.SetText("abc");
       EXPECT_EQ(changes, 1);
       e.SetSel(0, 1);
       e.SetSelTextBuf("x");
       EXPECT_EQ(changes, 2);
       e.ReplaceSelectionAsUser("y");
       EXPECT_EQ(changes, 3);
       e.Undo();
       EXPECT_EQ(changes, 4);
       e.SetSel(0, 2);
       e.SetSelTextBuf("");
       EXPECT_EQ(changes, 5);
       e.OnChange = nullptr;
     }},
    {"LoneLeadByteJoinsTheByteAfterIt",
     [](EditorControl& e) {
       e.SetText("\x81\r\nA");  // a lead byte alone at a line's end
       EXPECT_EQ(e.LineCount(), 2);
       e.SetSel(1, 3);
       e.SetSelTextBuf("");
       EXPECT_EQ(e.Text(),
                 "\x81"
                 "A");  // now one character, 、
       EXPECT_EQ(e.LineCount(), 1);
       e.SetSel(1, 1);
       EXPECT_EQ(e.SelStart(), 0);
       e.SetSel(0, 1);
       EXPECT_EQ(e.SelText(),
                 "\x81"
                 "A");
     }},
    {"TextLargerThanTheLimitLoadsWhole",
     [](EditorControl& e) {
       e.SetTextLimit(10);
       const Bytes big(5000, 'q');
       e.SetText(big);
       EXPECT_EQ(e.Text(), big);
       e.SetSelStart(-1);
       e.SetSelTextBuf("r");
       EXPECT_EQ(e.TextLength(), 5001);
     }},
};

class EditorContractTest : public ::testing::TestWithParam<std::tuple<Kind, std::size_t>> {};

TEST_P(EditorContractTest, Holds) {
  const auto [kind, index] = GetParam();
  std::unique_ptr<EditorControl> editor = MakeEditor(kind);
  kContract[index].check(*editor);
}

INSTANTIATE_TEST_SUITE_P(BothEditors, EditorContractTest,
                         ::testing::Combine(::testing::Values(Kind::Memory, Kind::Qt),
                                            ::testing::Range<std::size_t>(0, kContract.size())),
                         [](const ::testing::TestParamInfo<EditorContractTest::ParamType>& info) {
                           const bool memory = std::get<0>(info.param) == Kind::Memory;
                           return std::string(memory ? "Memory_" : "Qt_") +
                                  kContract[std::get<1>(info.param)].name;
                         });

}  // namespace
}  // namespace pemrin
