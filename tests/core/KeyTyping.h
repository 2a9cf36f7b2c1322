#pragma once
// Key events as the editing control delivers them to the main window, and a compact notation
// for a document with its selection: "[" and "]" around the selected bytes, or "|" at the caret.

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>

#include "app/TForm1.h"
#include "editor/MemoryEditor.h"
#include "tags/CompletionInvariants.h"

namespace pemrin::testing {

// Puts `marked` into the editor, the selection where its markers are.
inline void PutMarked(EditorControl& editor, const std::string& marked) {
  std::string text;
  int start = -1;
  int end = -1;
  for (char c : marked) {
    if (c == '[' || c == '|') {
      start = static_cast<int>(text.size());
    } else if (c == ']') {
      end = static_cast<int>(text.size());
    } else {
      text += c;
    }
  }
  editor.SetText(text);
  if (start < 0) start = static_cast<int>(text.size());
  editor.SetSel(start, end < 0 ? start : end);
}

// The editor's text with its selection marked.
inline std::string Marked(const EditorControl& editor) {
  std::string text = editor.Text();
  const int start = editor.SelStart();
  if (editor.SelLength() == 0) return text.insert(start, "|");
  text.insert(start + editor.SelLength(), "]");
  return text.insert(start, "[");
}

// One letter per byte of [from, to) for its colour: t the text colour, g the tag colour,
// i and n the IE-only and NN-only tag colours, ? any other.
inline std::string ColorLetters(TForm1& form, int from = 0, int to = -1) {
  EditorControl& editor = form.RichEdit1();
  if (to < 0) to = editor.TextLength();
  std::string letters;
  for (int i = from; i < to; ++i) {
    const TColor c = editor.ColorAt(i);
    letters += c == editor.FontColor() ? 't'
               : c == form.TagColor    ? 'g'
               : c == form.IeTagColor  ? 'i'
               : c == form.NnTagColor  ? 'n'
                                       : '?';
  }
  return letters;
}

// Types into the main window the way a keyboard does: every key reaches RichEdit1KeyDown,
// every character RichEdit1KeyPress, and what it leaves the control inserts (Enter as CR LF,
// Esc nothing); upper-case letters and shifted signs come after a Shift key-down of their own.
// After each key the completion state must keep its invariants.
class Keyboard {
 public:
  Keyboard(TForm1& form, EditorControl& editor) : form_(form), editor_(editor) {}

  // '\t' Tab, '\x1b' Esc, '\r' Enter, anything else the character itself.
  void Type(const std::string& keys) {
    bool shiftHeld = false;
    for (char c : keys) {
      const bool shift = NeedsShift(c);
      if (shift && !shiftHeld) Press(VK_SHIFT, {true});
      if (!shift && shiftHeld) KeyUp(VK_SHIFT, {});
      shiftHeld = shift;
      Character(VirtualKeyOf(c), c, {shift});
    }
    if (shiftHeld) KeyUp(VK_SHIFT, {});
  }

  // Shift+Tab: Shift goes down first, as on a real keyboard.
  void ShiftTab() {
    Press(VK_SHIFT, {true});
    Character(VK_TAB, '\t', {true});
    KeyUp(VK_SHIFT, {});
  }

  // A key that types no character (Shift, an arrow): its key-down only; what it does to the
  // caret the test does itself.
  void Press(int vk, ShiftState shift = {}) {
    form_.Run([&] {
      int key = vk;
      form_.RichEdit1KeyDown(key, shift);
    });
    CheckInvariants(vk);
  }

 private:
  static bool NeedsShift(char c) {
    return std::isupper(static_cast<unsigned char>(c)) || std::strchr("<>!\"#$%&'()=~|`{}+*?_", c);
  }
  static int VirtualKeyOf(char c) {
    if (c == '\t' || c == '\r' || c == '\x1b' || c == ' ') return c;
    if (std::isalnum(static_cast<unsigned char>(c))) return std::toupper(c);
    return 0xBA;  // one of the punctuation keys
  }

  void Character(int vk, char c, ShiftState shift) {
    form_.Run([&] {
      int key = vk;
      form_.RichEdit1KeyDown(key, shift);
    });
    char key = c;
    form_.Run([&] { form_.RichEdit1KeyPress(key); });
    if (key == '\r') {
      editor_.ReplaceSelectionAsUser("\r\n");
    } else if (key != 0 && key != '\x1b') {
      editor_.ReplaceSelectionAsUser(std::string(1, key));
    }
    KeyUp(vk, shift);
    CheckInvariants(vk);
  }

  void KeyUp(int vk, ShiftState shift) {
    form_.Run([&] { form_.RichEdit1KeyUp(vk, shift); });
  }

  void CheckInvariants(int vk) {
    const std::string broken = BrokenCompletionInvariant(form_);
    EXPECT_EQ(broken, "") << "after key " << vk << " in " << Marked(editor_);
  }

  TForm1& form_;
  EditorControl& editor_;
};

}  // namespace pemrin::testing
