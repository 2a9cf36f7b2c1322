// QtRichEdit beyond the shared contract: byte-exact storage of any file, random edits checked
// against MemoryEditor, colours kept out of the document, and the input the user gives it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QUrl>
#include <random>
#include <string>
#include <vector>

#include "editor/MemoryEditor.h"
#include "editor/Sjis.h"
#include "editor/SjisText.h"
#include "qt/QtRichEdit.h"

namespace pemrin::qt {
namespace {

constexpr TColor kRed = RgbToTColor(255, 0, 0);
constexpr TColor kGreen = RgbToTColor(0, 128, 0);
constexpr TColor kBlue = RgbToTColor(0, 0, 255);

class QtRichEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    editor.resize(600, 400);
    editor.show();
    QApplication::processEvents();
  }

  void Key(Qt::Key key, const QString& text = QString(),
           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&editor, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(&editor, &release);
  }

  QtRichEdit editor;
};

// --- Storage ----------------------------------------------------------------------------------

TEST_F(QtRichEditTest, AnyBytesComeBackExceptLineEnds) {
  Bytes file;
  for (int a = 0; a < 256; ++a)
    for (int b = 0; b < 256; ++b) file += {static_cast<char>(a), static_cast<char>(b)};
  editor.SetText(file);
  const Bytes expected = NormalizeLineBreaks(file);
  const Bytes text = editor.Text();
  ASSERT_EQ(text.size(), expected.size());
  EXPECT_TRUE(text == expected);
  EXPECT_EQ(editor.TextLength(), static_cast<int>(expected.size()));
  // Each line is where the bytes put it.
  int line = 0;
  for (std::size_t at = 0; at <= expected.size(); ++line) {
    std::size_t end = expected.find("\r\n", at);
    if (end == Bytes::npos) end = expected.size();
    ASSERT_EQ(editor.LineIndex(line), static_cast<int>(at)) << "line " << line;
    ASSERT_TRUE(editor.Line(line) == expected.substr(at, end - at)) << "line " << line;
    at = end + 2;
  }
  EXPECT_EQ(editor.LineCount(), line);
}

TEST_F(QtRichEditTest, LongSingleLineFindsItsPositions) {
  Bytes line;
  for (int i = 0; i < 30000; ++i) line += (i % 3 == 0) ? "\x82\xA0" : "b";  // あbb...
  editor.SetText(line);
  for (int at : {0, 1, 2, 40000, 40001, 39999, static_cast<int>(line.size()) - 1}) {
    editor.SetSel(at, at + 2);
    const int start = editor.SelStart();
    EXPECT_EQ(start, at - (at % 4 == 1 ? 1 : 0)) << at;  // あ sits at multiples of 4
    EXPECT_TRUE(editor.SelText() == line.substr(start, editor.SelLength())) << at;
  }
  editor.SetSelStart(-1);
  editor.ReplaceSelectionAsUser("\x82\xA2");
  EXPECT_EQ(editor.SelStart(), static_cast<int>(line.size()) + 2);
  EXPECT_EQ(editor.FindText("\x82\xA2", 0, editor.TextLength(), {}), static_cast<int>(line.size()));
}

// A search that reads far keeps the text it encoded for the searches after it: each of them
// must see every change made since, by the program, the user or Undo.
TEST_F(QtRichEditTest, FarSearchesSeeEveryChangeOfTheText) {
  Bytes text;
  while (text.size() < 200000) text += "<P>\x93\xfa\x96\x7b text</P>\r\n";
  editor.SetText(text + "cat");
  const int end = static_cast<int>(text.size());
  auto find = [&](FindOptions options) {
    return editor.FindText("cat", 0, editor.TextLength(), options);
  };
  EXPECT_EQ(find({}), end);
  EXPECT_EQ(find({}), end);
  editor.SetSel(0, 0);
  editor.SetSelTextBuf("ab");
  EXPECT_EQ(find({}), end + 2);
  editor.SetSelStart(-1);
  editor.ReplaceSelectionAsUser("s");  // "cats": no whole word any more
  EXPECT_EQ(find({.wholeWord = true}), -1);
  EXPECT_EQ(find({}), end + 2);
  editor.Undo();
  EXPECT_EQ(find({.wholeWord = true}), end + 2);
  editor.SetText(text);
  EXPECT_EQ(find({}), -1);
}

TEST_F(QtRichEditTest, LongLineIsHeldInChunksAndStaysOneLine) {
  Bytes line;
  for (int i = 0; i < 100000; ++i) line += "<ab>"[i % 4];
  const Bytes text = line + "\r\nend";
  editor.SetText(text);
  ASSERT_GT(editor.document()->blockCount(), 10);
  EXPECT_EQ(editor.LineCount(), 2);
  EXPECT_TRUE(editor.Line(0) == line);
  EXPECT_EQ(editor.LineIndex(1), static_cast<int>(line.size()) + 2);
  EXPECT_EQ(editor.LineFromChar(static_cast<int>(line.size())), 0);
  const int boundary = editor.document()->firstBlock().length() - 1;

  // Copied across a chunk's end, the text has no line break.
  editor.SetSel(boundary - 3, boundary + 3);
  EXPECT_EQ(editor.SelText(), line.substr(boundary - 3, 6));
  editor.CopyToClipboard();
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), line.substr(boundary - 3, 6));

  // Backspace at a chunk's start takes the character before it.
  editor.SetSelStart(boundary);
  Key(Qt::Key_Backspace);
  const Bytes shorter = line.substr(0, boundary - 1) + line.substr(boundary) + "\r\nend";
  EXPECT_TRUE(editor.Text() == shorter);
  EXPECT_EQ(editor.SelStart(), boundary - 1);

  // A cut across chunks comes back whole with Undo.
  editor.SetSel(boundary - 10, boundary + 10);
  editor.CutToClipboard();
  editor.Undo();
  EXPECT_TRUE(editor.Text() == shorter);

  // Typing a lot into the line cuts it into more chunks and keeps it one line.
  const int blocks = editor.document()->blockCount();
  editor.SetSelStart(boundary);
  editor.ReplaceSelectionAsUser(Bytes(20000, 'z'));
  EXPECT_GT(editor.document()->blockCount(), blocks);
  EXPECT_EQ(editor.LineCount(), 2);
  EXPECT_EQ(editor.TextLength(), static_cast<int>(shorter.size()) + 20000);
  const Bytes across = editor.Text().substr(boundary + 19990, 20);  // the z's end, and after
  EXPECT_EQ(editor.FindText(across, 0, editor.TextLength(), {}), boundary + 19990);
}

// --- Random edits against the in-memory model -----------------------------------------------

// Pieces of Shift_JIS the random texts are made of: ASCII, line breaks, double-byte characters
// (one of them with a trail byte that looks like 'A'), duplicate codes, undecodable bytes.
const std::vector<Bytes> kPieces = {
    "a",        "Z",        " ",        "<",        ">",        "\r\n",     "\t",
    "\x82\xA0", "\x83\x41", "\x82\x60", "\x82\x81", "\xED\x40", "\xFA\x5C", "\x87\x90",
    "\xB1",     "\x80",     "\xA0",     "\xFF",     "\x85\x40", "\x81\x5C", "A"};
const Bytes kLoneLead = "\x81";

Bytes RandomText(std::mt19937& rng, int pieces, bool loneLeads) {
  Bytes text;
  for (int i = 0; i < pieces; ++i) {
    if (loneLeads && rng() % 15 == 0)
      text += kLoneLead;
    else
      text += kPieces[rng() % kPieces.size()];
  }
  return text;
}

bool IsCharStart(const Bytes& text, int pos) {
  for (std::size_t i = 0; i < text.size(); i += SjisCharLength(text.data(), text.size(), i))
    if (static_cast<int>(i) >= pos) return static_cast<int>(i) == pos;
  return pos == static_cast<int>(text.size());
}

void CheckSame(const MemoryEditor& m, QtRichEdit& q, std::mt19937& rng, bool colors,
               const std::string& step) {
  const Bytes text = m.Text();
  ASSERT_TRUE(q.Text() == text) << step;
  ASSERT_EQ(q.TextLength(), m.TextLength()) << step;
  ASSERT_EQ(q.SelStart(), m.SelStart()) << step;
  ASSERT_EQ(q.SelLength(), m.SelLength()) << step;
  ASSERT_EQ(q.LineCount(), m.LineCount()) << step;
  if (colors) {
    ASSERT_EQ(q.SelColor(), m.SelColor()) << step;
  }
  const int size = m.TextLength();
  for (int k = 0; k < 6; ++k) {
    const int pos = static_cast<int>(rng() % (size + 3)) - 1;
    ASSERT_EQ(q.LineFromChar(pos), m.LineFromChar(pos)) << step << " pos " << pos;
    if (colors && pos >= 0 && IsCharStart(text, pos)) {
      ASSERT_EQ(q.ColorAt(pos), m.ColorAt(pos)) << step << " pos " << pos;
    }
    const int line = static_cast<int>(rng() % (m.LineCount() + 1));
    ASSERT_EQ(q.LineIndex(line), m.LineIndex(line)) << step << " line " << line;
    ASSERT_TRUE(q.Line(line) == m.Line(line)) << step << " line " << line;
    const Bytes needle = kPieces[rng() % kPieces.size()] + kPieces[rng() % kPieces.size()];
    const int start = static_cast<int>(rng() % (size + 2));
    const int length = static_cast<int>(rng() % (size + 2));
    const FindOptions options{rng() % 2 == 0, rng() % 2 == 0};
    ASSERT_EQ(q.FindText(needle, start, length, options),
              m.FindText(needle, start, length, options))
        << step << " needle at " << start << "+" << length;
  }
}

void RunRandomEdits(QtRichEdit& q, unsigned seed, bool loneLeads) {
  std::mt19937 rng(seed);
  MemoryEditor m;
  const bool colors = !loneLeads;  // a lone lead byte that joins two colours is one character
  m.SetFontColor(kBlue);
  q.SetFontColor(kBlue);
  // One long line, held in chunks, so that positions inside it go through its checkpoints.
  const Bytes start = RandomText(rng, 200, loneLeads) + Bytes(20000, 'x') +
                      RandomText(rng, 1500, false) + RandomText(rng, 200, loneLeads);
  m.SetText(start);
  q.SetText(start);
  CheckSame(m, q, rng, colors, "load");
  for (int step = 0; step < 600; ++step) {
    const int size = m.TextLength();
    const int a = static_cast<int>(rng() % (size + 5)) - 2;
    const int b = static_cast<int>(rng() % 12) == 0 ? static_cast<int>(rng() % (size + 5)) - 2
                                                    : a + static_cast<int>(rng() % 9) - 2;
    std::string what;
    switch (rng() % 9) {
      case 0:
      case 1:
        what = "SetSel";
        m.SetSel(a, b);
        q.SetSel(a, b);
        break;
      case 2:
        what = "SetSelStart+Length";
        m.SetSelStart(a);
        q.SetSelStart(a);
        m.SetSelLength(b - a);
        q.SetSelLength(b - a);
        break;
      case 3:
      case 4: {
        // Inserted text never ends with a lone lead byte: what it would join is the caret's.
        const Bytes inserted = RandomText(rng, static_cast<int>(rng() % 4), false);
        const bool leadFirst = loneLeads && rng() % 3 == 0;
        what = "SetSelTextBuf";
        m.SetSelTextBuf((leadFirst ? kLoneLead : "") + inserted);
        q.SetSelTextBuf((leadFirst ? kLoneLead : "") + inserted);
        break;
      }
      case 5: {
        const Bytes typed = RandomText(rng, 1 + static_cast<int>(rng() % 2), false);
        what = "ReplaceSelectionAsUser";
        m.ReplaceSelectionAsUser(typed);
        q.ReplaceSelectionAsUser(typed);
        break;
      }
      case 6: {
        if (!colors) break;
        const TColor color = std::vector<TColor>{kRed, kGreen, kBlue}[rng() % 3];
        what = "SetSelColor";
        m.SetSelColor(color);
        q.SetSelColor(color);
        break;
      }
      case 7:
        what = "SetVisible";
        m.SetVisible(!m.Visible());
        q.SetVisible(!q.Visible());
        break;
      case 8:
        what = "SelectAll";
        m.SelectAll();
        q.SelectAll();
        break;
    }
    CheckSame(m, q, rng, colors, "step " + std::to_string(step) + " " + what);
    if (::testing::Test::HasFatalFailure()) return;
  }
  q.SetVisible(true);
}

// Searches of a large text (found in blocks near the start, then in slices of the whole text)
// find what MemoryEditor finds, at the ends of the range and across long lines' chunks.
TEST_F(QtRichEditTest, FindTextAgreesWithMemoryEditorOverALargeText) {
  std::mt19937 rng(5);
  Bytes text = RandomText(rng, 60000, false) + Bytes(40000, 'a') + RandomText(rng, 30000, false);
  MemoryEditor m;
  m.SetText(text);
  editor.SetText(text);
  text = m.Text();
  const int size = m.TextLength();
  for (int k = 0; k < 300; ++k) {
    // A needle taken from the text itself, so that most searches find something.
    const int at = static_cast<int>(rng() % (size - 8));
    const Bytes needle = text.substr(at, 1 + rng() % 6);
    const int start = static_cast<int>(rng() % size);
    const int length = rng() % 3 == 0 ? size : static_cast<int>(rng() % 200000);
    const FindOptions options{rng() % 2 == 0, rng() % 2 == 0};
    ASSERT_EQ(editor.FindText(needle, start, length, options),
              m.FindText(needle, start, length, options))
        << "needle from " << at << ", search " << start << "+" << length;
  }
}

TEST_F(QtRichEditTest, RandomEditsAgreeWithMemoryEditor) {
  RunRandomEdits(editor, 7, false);
}

TEST_F(QtRichEditTest, RandomEditsWithLoneLeadBytesAgreeWithMemoryEditor) {
  RunRandomEdits(editor, 11, true);
}

// --- Colours ----------------------------------------------------------------------------------

// The additional formats a line is drawn with.
QList<QTextLayout::FormatRange> DrawnFormats(QtRichEdit& editor, int line) {
  return editor.document()->findBlockByNumber(line).layout()->formats();
}

TEST_F(QtRichEditTest, ColoursStayOutOfTheDocumentAndItsUndo) {
  int changes = 0;
  editor.OnChange = [&] { ++changes; };
  editor.SetText("<p>x</p>\r\n<b>y</b>");
  changes = 0;
  editor.SetSel(1, 2);
  editor.SetSelColor(kRed);
  EXPECT_EQ(changes, 0);
  EXPECT_FALSE(editor.CanUndo());
  EXPECT_FALSE(editor.document()->isModified());
  const auto formats = DrawnFormats(editor, 0);
  ASSERT_EQ(formats.size(), 1);
  EXPECT_EQ(formats[0].start, 1);
  EXPECT_EQ(formats[0].length, 1);
  EXPECT_EQ(formats[0].format.foreground().color(), QColor(255, 0, 0));
  // Typing before the colour moves it along with its text.
  editor.SetSelStart(0);
  editor.ReplaceSelectionAsUser("ab");
  EXPECT_EQ(editor.ColorAt(3), kRed);
  EXPECT_EQ(DrawnFormats(editor, 0)[0].start, 3);
  editor.OnChange = nullptr;
}

TEST_F(QtRichEditTest, HiddenEditorAppliesColoursWhenShownAgain) {
  editor.SetText("<a>\r\n<b>\r\n<c>");
  editor.SetVisible(false);
  for (int line = 0; line < 3; ++line) {
    editor.SetSel(line * 5 + 1, line * 5 + 2);
    editor.SetSelColor(kGreen);
  }
  editor.SetSelStart(0);
  EXPECT_TRUE(DrawnFormats(editor, 1).isEmpty());  // recorded, not applied
  EXPECT_EQ(editor.ColorAt(6), kGreen);
  editor.SetVisible(true);
  for (int line = 0; line < 3; ++line) EXPECT_EQ(DrawnFormats(editor, line).size(), 1);
  EXPECT_EQ(editor.textCursor().position(), 0);
}

// Pixels of the painted editor that are clearly red, in the left and right half of its text.
std::pair<int, int> RedPixels(QtRichEdit& editor) {
  QApplication::processEvents();
  const QImage image = editor.viewport()->grab().toImage();
  int left = 0, right = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 200; ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 150 && c.green() < 100 && c.blue() < 100) ++(x < 100 ? left : right);
    }
  return {left, right};
}

TEST_F(QtRichEditTest, ColoursAreDrawnOnScreen) {
  QFont font = editor.font();
  font.setPixelSize(20);
  editor.setFont(font);
  editor.SetText("WWWWWWWWWWWWWWWWWWWWWWWW");
  EXPECT_EQ(RedPixels(editor), std::make_pair(0, 0));
  const int half = editor.cursorForPosition(QPoint(100, 10)).position();
  editor.SetSel(0, half - 1);
  editor.SetSelColor(kRed);
  editor.SetSelStart(-1);
  auto [left, right] = RedPixels(editor);
  EXPECT_GT(left, 20);
  EXPECT_EQ(right, 0);
  // Coloured while hidden, drawn once shown.
  editor.SetVisible(false);
  editor.SetSel(half + 1, editor.TextLength());
  editor.SetSelColor(kRed);
  editor.SetSelStart(0);
  editor.SetVisible(true);
  std::tie(left, right) = RedPixels(editor);
  EXPECT_GT(right, 20);
}

TEST_F(QtRichEditTest, FontColourRedrawsTextOfTheOldDefault) {
  editor.SetFontColor(kBlue);
  editor.SetText("abc");
  EXPECT_TRUE(DrawnFormats(editor, 0).isEmpty());  // the default colour needs no format
  editor.SetFontColor(kRed);
  EXPECT_EQ(editor.palette().color(QPalette::Text), QColor(255, 0, 0));
  ASSERT_EQ(DrawnFormats(editor, 0).size(), 1);  // the text is still blue
  EXPECT_EQ(editor.ColorAt(0), kBlue);
}

// --- Scrolling ------------------------------------------------------------------------------

// The line shown at the top of the editor.
int TopLine(QtRichEdit& editor) {
  return editor.cursorForPosition(QPoint(2, 2)).blockNumber();
}

TEST_F(QtRichEditTest, ProgramSelectionsDoNotScrollScrollCaretAndPagesDo) {
  Bytes text;
  for (int i = 0; i < 300; ++i) text += "line " + std::to_string(i) + "\r\n";
  editor.SetText(text);
  QApplication::processEvents();
  const int far = editor.LineIndex(250);
  editor.SetSel(far, far + 4);
  QApplication::processEvents();
  EXPECT_EQ(TopLine(editor), 0);
  EXPECT_EQ(editor.textCursor().selectionStart(),
            editor.document()->findBlockByNumber(250).position());
  editor.ScrollCaret();
  QApplication::processEvents();
  EXPECT_GT(TopLine(editor), 200);

  editor.SetSelStart(0);
  editor.ScrollCaret();
  editor.Scroll(3);  // a page down; the caret stays
  QApplication::processEvents();
  const int top = TopLine(editor);
  EXPECT_GT(top, 10);
  EXPECT_EQ(editor.SelStart(), 0);
  editor.Scroll(2);
  QApplication::processEvents();
  EXPECT_LT(TopLine(editor), top);
}

// A batch scrolls when it ends, as its last two ScrollCarets would have scrolled: a pass that
// scrolls to the end of the text and back to the caret leaves the caret's line at the top.
TEST_F(QtRichEditTest, ABatchEndsScrolledAsItsLastScrollCaretsLeaveTheView) {
  Bytes text;
  for (int i = 0; i < 300; ++i) text += "line " + std::to_string(i) + "\r\n";
  QtRichEdit unbatched;
  unbatched.resize(editor.size());
  unbatched.show();
  const std::vector<std::vector<int>> cases = {
      {300, 5},           // Color All: the end, then the caret
      {40, 41, 42, 300},  // Replace All: the matches, then the end
      {120}};
  for (const std::vector<int>& lines : cases) {
    for (QtRichEdit* e : {&editor, &unbatched}) {
      e->SetText(text);
      e->SetSelStart(e->LineIndex(5));
    }
    QApplication::processEvents();
    editor.SetVisible(false);
    for (int line : lines) {
      for (QtRichEdit* e : {&editor, &unbatched}) {
        e->SetSelStart(line == 300 ? -1 : e->LineIndex(line));
        e->ScrollCaret();
      }
    }
    EXPECT_EQ(TopLine(editor), 0) << lines.size();
    editor.SetVisible(true);
    QApplication::processEvents();
    EXPECT_EQ(TopLine(editor), TopLine(unbatched)) << lines.size();
    EXPECT_EQ(editor.SelStart(), unbatched.SelStart()) << lines.size();
    if (lines == cases.front()) {
      EXPECT_EQ(TopLine(editor), 5);
    }
  }
}

// --- What the user types, pastes and drops ----------------------------------------------------

TEST_F(QtRichEditTest, TypedTextThatShiftJisCannotHoldBecomesReferences) {
  editor.SetText("");
  Key(Qt::Key_A, "a");
  Key(Qt::Key_unknown, QString::fromUtf16(u"\U0001F600"));  // an emoji
  Key(Qt::Key_unknown, QString::fromUtf16(u"\uD55C"));      // 한
  Key(Qt::Key_unknown, QString::fromUtf16(u"\u301C"));      // 〜 as a Linux input method gives it
  EXPECT_EQ(editor.Text(), "a&#128512;&#54620;\x81\x60");
  EXPECT_TRUE(editor.CanUndo());
}

TEST_F(QtRichEditTest, InputMethodOwnsItsKeysAndItsTextIsStoredAsShiftJis) {
  std::vector<int> down;
  editor.onKeyDown = [&](int& vk, ShiftState) { down.push_back(vk); };
  editor.SetText("");
  QInputMethodEvent compose(QStringLiteral("kanji"), {});
  QApplication::sendEvent(&editor, &compose);
  Key(Qt::Key_Henkan);
  EXPECT_TRUE(down.empty());
  EXPECT_EQ(editor.Text(), "");
  QInputMethodEvent commit;
  commit.setCommitString(QString::fromUtf16(u"\u6F22\u301C\uD55C"));  // 漢〜한
  QApplication::sendEvent(&editor, &commit);
  EXPECT_EQ(editor.Text(), "\x8A\xBF\x81\x60&#54620;");
  Key(Qt::Key_B, "b");
  EXPECT_EQ(down, std::vector<int>{'B'});
}

TEST_F(QtRichEditTest, PastedTextIsStoredAsShiftJis) {
  editor.SetText("[]");
  editor.SetSel(1, 1);
  QGuiApplication::clipboard()->setText(QString::fromUtf16(u"x\U0001F600\u2212\r\ny"));
  ASSERT_TRUE(editor.ClipboardHasText());
  editor.PasteFromClipboard();
  EXPECT_EQ(editor.Text(), "[x&#128512;\x81\x7C\r\ny]");
  EXPECT_EQ(editor.SelStart(), 16);
  editor.SetSel(1, 3);
  editor.CutToClipboard();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("x&"));
  EXPECT_TRUE(editor.CanUndo());
}

TEST_F(QtRichEditTest, KeysReachTheHandlersAsVirtualKeysAndCharacters) {
  struct Down {
    int vk;
    bool shift, ctrl;
    bool operator==(const Down&) const = default;
  };
  std::vector<Down> down;
  std::vector<int> pressed, up;
  editor.onKeyDown = [&](int& vk, ShiftState s) { down.push_back({vk, s.shift, s.ctrl}); };
  editor.onKeyPress = [&](char& key) {
    pressed.push_back(static_cast<unsigned char>(key));
    if (key == 'q') key = 0;  // the handler keeps q out
  };
  editor.onKeyUp = [&](int vk, ShiftState) { up.push_back(vk); };
  editor.SetText("");

  Key(Qt::Key_A, "a");
  Key(Qt::Key_Q, "q");
  Key(Qt::Key_Tab, "\t");
  Key(Qt::Key_Backtab, QString(), Qt::ShiftModifier);
  Key(Qt::Key_Return, "\r");
  Key(Qt::Key_Escape, QString(QChar(27)));
  Key(Qt::Key_Shift);  // Qt reports the state after the press: Shift down
  Key(Qt::Key_A, QString(QChar(1)), Qt::ControlModifier);
  Key(Qt::Key_F5);

  EXPECT_EQ(editor.Text(), "a\t\t\r\n");
  EXPECT_EQ(pressed, (std::vector<int>{'a', 'q', 9, 9, 13, 27}));
  EXPECT_EQ(down, (std::vector<Down>{{65, false, false},
                                     {81, false, false},
                                     {9, false, false},
                                     {9, true, false},
                                     {13, false, false},
                                     {27, false, false},
                                     {16, true, false},
                                     {65, false, true},
                                     {116, false, false}}));
  EXPECT_EQ(up, (std::vector<int>{65, 81, 9, 9, 13, 27, 16, 65, 116}));
}

TEST_F(QtRichEditTest, MouseDownComesAfterTheCaretMoved) {
  editor.SetText("abcdefghijklmnopqrstuvwxyz");
  editor.SetSelStart(-1);
  int caretAtMouseDown = -1;
  editor.onMouseDown = [&] { caretAtMouseDown = editor.SelStart(); };
  QTest::mouseClick(editor.viewport(), Qt::LeftButton, {}, QPoint(2, 8));
  EXPECT_EQ(caretAtMouseDown, 0);
}

TEST_F(QtRichEditTest, DroppedFilesGoToTheHandlerAndAreNotInserted) {
  std::vector<std::string> dropped;
  editor.onFilesDropped = [&](const std::vector<std::string>& paths) { dropped = paths; };
  editor.SetText("text");
  QMimeData files;
  files.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a b.html")),
                 QUrl::fromLocalFile(QStringLiteral("/tmp/c.txt"))});
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &files, Qt::LeftButton, {});
  QApplication::sendEvent(editor.viewport(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &files, Qt::LeftButton, {});
  QApplication::sendEvent(editor.viewport(), &drop);
  EXPECT_EQ(dropped, (std::vector<std::string>{"/tmp/a b.html", "/tmp/c.txt"}));
  EXPECT_EQ(editor.Text(), "text");

  QMimeData text;
  text.setText(QString::fromUtf16(u"\U0001F600"));
  editor.SetSelStart(0);
  QDropEvent textDrop(QPointF(2, 8), Qt::CopyAction, &text, Qt::LeftButton, {});
  QDragEnterEvent textEnter(QPoint(2, 8), Qt::CopyAction, &text, Qt::LeftButton, {});
  QApplication::sendEvent(editor.viewport(), &textEnter);
  QApplication::sendEvent(editor.viewport(), &textDrop);
  EXPECT_EQ(editor.Text(), "&#128512;text");
}

}  // namespace
}  // namespace pemrin::qt
