#pragma once
// What the find and replace dialogs hold: their texts and options. The main window keeps one
// of each for as long as the program runs, so both come back as the user left them.

#include "app/Types.h"
#include "editor/EditorControl.h"

namespace pemrin {

// The dialogs' text buffers hold 256 bytes with the terminating zero.
constexpr int kDialogTextLimit = 255;

// The longest start of text that fits the dialog's buffer, never ending inside a double-byte
// character.
Bytes CutDialogText(const Bytes& text);

struct FindDialogState {
  Bytes findText;
  bool matchCase = false;
  bool wholeWord = false;

  void SetFindText(const Bytes& text) { findText = CutDialogText(text); }
  FindOptions Options() const { return {matchCase, wholeWord}; }
};

// The replace dialog is a find dialog with a replace text besides its find text.
struct ReplaceDialogState : FindDialogState {
  Bytes replaceText;

  void SetReplaceText(const Bytes& text) { replaceText = CutDialogText(text); }
};

// The two replace buttons; each press raises the dialog's replace event with one of them.
enum class ReplaceButton { Replace, ReplaceAll };

}  // namespace pemrin
