// The main window's logic on MemoryEditor: any document, loaded as a file is, then any sequence
// of keys (characters, Japanese characters, Tab, Shift+Tab, Shift, Esc, Enter, '>', arrows,
// Backspace, Delete) and commands (colour all tags, find, replace, replace all, word wrap, undo,
// delete, cut, paste, select all, colour code, mouse clicks). The keys reach the handlers as the
// Qt editor delivers them. After every key the completion state keeps its invariants; after
// every step the selection lies inside the text on character boundaries, and no handler has
// failed.

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>

#include "../../core/ProgramFolder.h"
#include "FuzzInput.h"
#include "FuzzScratch.h"
#include "FuzzTargets.h"
#include "editor/Sjis.h"
#include "editor/SjisText.h"
#include "tags/CompletionInvariants.h"

namespace pemrin::fuzz {

namespace {

using testing::FakePlatform;

// A program folder with ProgramFolder's small dictionaries, written once.
const std::string& ProgramPath() {
  static const std::string path = [] {
    const std::filesystem::path dir = ScratchDir() / "program";
    std::filesystem::create_directories(dir);
    for (const auto& [name, bytes] : testing::ProgramFolder::DefaultFiles()) {
      testing::WriteFileBytes(dir / name, bytes);
    }
    return (dir / "pemrin").string();
  }();
  return path;
}

// The length of the character (or CR LF) that starts at pos.
int CharLengthAt(const Bytes& text, int pos) {
  if (pos >= static_cast<int>(text.size())) return 0;
  if (text[pos] == '\r' && pos + 1 < static_cast<int>(text.size()) && text[pos + 1] == '\n')
    return 2;
  return static_cast<int>(SjisCharLength(text.data(), text.size(), pos));
}

// The character boundary at or before pos.
int BoundaryBefore(const Bytes& text, int pos) {
  int i = 0;
  while (i < pos) {
    const int next = i + CharLengthAt(text, i);
    if (next > pos) break;
    i = next;
  }
  return i;
}

bool IsBoundary(const Bytes& text, int pos) {
  return BoundaryBefore(text, pos) == pos;
}

class Session {
 public:
  Session(FuzzInput& in, int wrapWidth) : in_(in), editor_(wrapWidth), form_(editor_, platform_) {
    platform_.programPath = ProgramPath();
    form_.Run([&] { form_.FormShow(); });
    Check(platform_.errors.empty(), "start-up failed");
  }

  // The document goes in as a loaded file does: converted, coloured, caret at the start.
  void Load(const Bytes& document) {
    editor_.SetText(document);
    form_.Run([&] { form_.LoadOrSave("Load"); });
    CheckStep("load");
  }

  void Step() {
    const int op = in_.Below(40);
    if (op < 12) return TypeAscii(in_.Byte());
    switch (op) {
      case 12:
        return Type("<");
      case 13:
        return Type(">");
      case 14:
        return Type(" ");
      case 15:
        return TypeJapanese();
      case 16:
        return Key(VK_TAB, "\t");
      case 17:
        return Key(VK_TAB, "\t", {true});
      case 18:
        return Key(VK_ESCAPE, "\x1b");
      case 19:
        return Key(VK_RETURN, "\r");
      case 20:
        return Key(VK_SHIFT, "", {true});
      case 21:
        return Move(VK_LEFT);
      case 22:
        return Move(VK_RIGHT);
      case 23:
        return Move(VK_UP);
      case 24:
        return Move(VK_DOWN);
      case 25:
        return Move(VK_HOME);
      case 26:
        return Move(VK_END);
      case 27:
        return Move(VK_BACK);
      case 28:
        return Move(VK_DELETE);
      case 29:
        return Command([&] { form_.N1Click(); }, "colour all tags");
      case 30:
        return Find();
      case 31:
        return Replace(ReplaceButton::Replace);
      case 32:
        return Replace(ReplaceButton::ReplaceAll);
      case 33:
        return Command([&] { form_.WordWrap1Click(); }, "word wrap");
      case 34:
        return Command([&] { form_.Undo1Click(); }, "undo");
      case 35:
        return Command([&] { form_.Delete1Click(); }, "delete");
      case 36:
        return EditCommand();
      case 37:
        return Click();
      case 38: {
        platform_.colorAnswers.push_back(in_.Byte() * 0x10101u);
        return Command([&] { form_.Color1Click(); }, "colour code");
      }
      default:
        return Command([&] { form_.SelectAll1Click(); }, "select all");
    }
  }

 private:
  // Letters a tag is made of come more often than the rest of ASCII.
  void TypeAscii(std::uint8_t b) {
    static const char kTagLetters[] = "abfopmqlrtkyBFOP!-=\"/";
    const char c =
        b < 128 ? kTagLetters[b % (sizeof kTagLetters - 1)] : static_cast<char>(0x20 + b % 95);
    Type(std::string(1, c));
  }

  // Characters whose second byte looks like ASCII: A a \ [ ] and a plain one.
  void TypeJapanese() {
    static const char* const kChars[] = {"\x83\x41", "\x83\x61", "\x95\x5C", "\x81\x5B",
                                         "\x83\x5D", "\x82\xA0", "\x81\x75", "\xE0\x40"};
    const char* c = kChars[in_.Below(8)];
    Key(0xE5, c);  // the input method's key
  }

  void Type(const std::string& c) {
    const bool shift = std::isupper(static_cast<unsigned char>(c[0])) ||
                       std::string("<>!\"=/").find(c[0]) != std::string::npos;
    if (shift) Key(VK_SHIFT, "", {true});
    const int vk = std::isalnum(static_cast<unsigned char>(c[0]))
                       ? std::toupper(static_cast<unsigned char>(c[0]))
                       : (c[0] == ' ' ? ' ' : 0xBA);
    Key(vk, c, {shift});
  }

  // One key as the Qt editor delivers it: key-down, then each byte of what it types through
  // the key-press handler, what is left inserted as the user's edit, then key-up.
  void Key(int vk, const std::string& typed, ShiftState shift = {}) {
    int key = vk;
    form_.Run([&] { form_.RichEdit1KeyDown(key, shift); });
    Bytes kept;
    for (char byte : typed) {
      char k = byte;
      form_.Run([&] { form_.RichEdit1KeyPress(k); });
      if (k != 0 && k != '\x1b') kept += k;
    }
    if (!kept.empty()) editor_.ReplaceSelectionAsUser(NormalizeLineBreaks(kept));
    form_.Run([&] { form_.RichEdit1KeyUp(vk, shift); });
    CheckKey(vk);
  }

  // A key that moves the caret or deletes: the control's own work after the key-down.
  void Move(int vk) {
    int key = vk;
    form_.Run([&] { form_.RichEdit1KeyDown(key, {}); });
    if (key != 0) ControlKey(vk);
    form_.Run([&] { form_.RichEdit1KeyUp(vk, {}); });
    CheckKey(vk);
  }

  void ControlKey(int vk) {
    const Bytes text = editor_.Text();
    const int start = editor_.SelStart();
    const int end = start + editor_.SelLength();
    const int line = editor_.LineFromChar(start);
    const int column = start - editor_.LineIndex(line);
    switch (vk) {
      case VK_LEFT:
        editor_.SetSelStart(start == end ? BoundaryBefore(text, std::max(0, start - 1)) : start);
        break;
      case VK_RIGHT:
        editor_.SetSelStart(start == end ? start + CharLengthAt(text, start) : end);
        break;
      case VK_UP:
      case VK_DOWN: {
        const int target = line + (vk == VK_UP ? -1 : 1);
        if (target < 0 || target >= editor_.LineCount()) break;
        const int first = editor_.LineIndex(target);
        const int length = static_cast<int>(editor_.Line(target).size());
        editor_.SetSelStart(BoundaryBefore(text, first + std::min(column, length)));
        break;
      }
      case VK_HOME:
        editor_.SetSelStart(editor_.LineIndex(line));
        break;
      case VK_END:
        editor_.SetSelStart(editor_.LineIndex(line) + static_cast<int>(editor_.Line(line).size()));
        break;
      case VK_BACK:
        if (start == end && start > 0) editor_.SetSel(BoundaryBefore(text, start - 1), start);
        if (editor_.SelLength() > 0) editor_.ReplaceSelectionAsUser(Bytes());
        break;
      case VK_DELETE:
        if (start == end) editor_.SetSel(start, start + CharLengthAt(text, start));
        if (editor_.SelLength() > 0) editor_.ReplaceSelectionAsUser(Bytes());
        break;
    }
  }

  // A search text: a piece of the document more often than not, so that searches find.
  Bytes SearchText() {
    const Bytes text = editor_.Text();
    if (in_.Byte() < 160 && !text.empty()) {
      const int from = in_.Below(static_cast<int>(text.size()));
      return text.substr(from, 1 + in_.Below(6));
    }
    return in_.String(6);
  }

  void SetOptions(FindDialogState& dialog) {
    const std::uint8_t b = in_.Byte();
    dialog.matchCase = b & 1;
    dialog.wholeWord = b & 2;
  }

  void Find() {
    form_.FindDialog1.SetFindText(SearchText());
    SetOptions(form_.FindDialog1);
    form_.Run([&] { form_.FindDialog1Show(); });
    Command([&] { form_.FindDialog1Find(); }, "find");
  }

  void Replace(ReplaceButton button) {
    form_.ReplaceDialog1.SetFindText(SearchText());
    form_.ReplaceDialog1.SetReplaceText(in_.Byte() < 200 ? in_.String(6) : SearchText());
    SetOptions(form_.ReplaceDialog1);
    if (in_.Byte() & 1) Command([&] { form_.ReplaceDialog1Find(); }, "find in replace");
    Command([&] { form_.ReplaceDialog1Replace(button); },
            button == ReplaceButton::Replace ? "replace" : "replace all");
  }

  void EditCommand() {
    form_.Run([&] { form_.Edit1Click(); });
    switch (in_.Below(3)) {
      case 0:
        return Command([&] { form_.Cut1Click(); }, "cut");
      case 1:
        return Command([&] { form_.Copy1Click(); }, "copy");
      default:
        return Command([&] { form_.Paste1Click(); }, "paste");
    }
  }

  // A click or a drag of the mouse: the control moves the selection, then the handler runs.
  void Click() {
    const int length = editor_.TextLength() + 1;
    const int a = in_.Below(length);
    const int b = in_.Byte() < 128 ? a : in_.Below(length);
    editor_.SetSel(a, b);
    Command([&] { form_.RichEdit1MouseDown(); }, "mouse");
  }

  void Command(const std::function<void()>& handler, const char* what) {
    form_.Run(handler);
    CheckStep(what);
  }

  void CheckKey(int vk) {
    const std::string broken = BrokenCompletionInvariant(form_);
    Check(broken.empty(), "after key " + std::to_string(vk) + ": " + broken);
    CheckStep("key " + std::to_string(vk));
  }

  void CheckStep(const std::string& what) {
    Check(platform_.errors.empty(), "after " + what + ": error box: " +
                                        (platform_.errors.empty() ? "" : platform_.errors[0]));
    const Bytes text = editor_.Text();
    const int size = static_cast<int>(text.size());
    Check(editor_.TextLength() == size, "after " + what + ": TextLength is not Text's length");
    const int start = editor_.SelStart();
    const int length = editor_.SelLength();
    Check(start >= 0 && length >= 0 && start + length <= size,
          "after " + what + ": the selection lies outside the text");
    Check(IsBoundary(text, start) && IsBoundary(text, start + length),
          "after " + what + ": the selection ends inside a character");
    const int line = editor_.LineFromChar(start);
    Check(line >= 0 && line < editor_.LineCount() && editor_.LineIndex(line) <= start,
          "after " + what + ": the caret's line does not hold the caret");
    Check(text.find('\n') == Bytes::npos || NormalizeLineBreaks(text) == text,
          "after " + what + ": a line break other than CR LF");
  }

  FuzzInput& in_;
  FakePlatform platform_;
  MemoryEditor editor_;
  TForm1 form_;
};

}  // namespace

void FuzzEditing(const std::uint8_t* data, std::size_t size) {
  static ScratchCleanup cleanup;
  FuzzInput in(data, size);
  const std::uint8_t flags = in.Byte();
  Session session(in, flags & 1 ? 8 + flags / 2 % 40 : 0);
  session.Load(in.Take(in.Below(1024)));
  for (int step = 0; step < 200 && !in.Empty(); ++step) session.Step();
}

}  // namespace pemrin::fuzz
