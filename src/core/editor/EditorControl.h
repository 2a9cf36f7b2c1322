#pragma once
// The one surface between the program's logic and the document.
//
// Positions are byte offsets into the Shift_JIS text with CR LF line breaks: a line break counts
// 2 and a double-byte character 2. A position that falls between the two bytes of a character,
// or between CR and LF, is taken as the start of that character or line break.

#include <functional>
#include <string>

#include "app/Types.h"

namespace pemrin {

struct FontSpec {
  std::string name;  // UTF-8 family name
  int size = 10;     // points
  bool italic = false;
  bool bold = false;
  bool operator==(const FontSpec&) const = default;
};

struct FindOptions {
  bool matchCase = false;
  bool wholeWord = false;
};

class EditorControl {
 public:
  virtual ~EditorControl() = default;

  // --- Text -------------------------------------------------------------------------------
  // The whole document with CR LF line breaks.
  virtual Bytes Text() const = 0;
  // Length in bytes of Text(), without building it.
  virtual int TextLength() const = 0;
  // Replaces the whole document (line ends CR LF, lone CR or lone LF); the new text takes the
  // default font and colour, and the caret goes to 0. Raises OnChange.
  virtual void SetText(const Bytes& text) = 0;
  // Number of lines; an empty document has one (empty) line. With word wrap on, each wrapped
  // row counts as a line.
  virtual int LineCount() const = 0;
  // The text of line `index` without its line break; empty for an index outside the text.
  virtual Bytes Line(int index) const = 0;

  // --- Selection --------------------------------------------------------------------------
  virtual int SelStart() const = 0;
  // Caret at pos with nothing selected; -1 (or any position past the end) puts it at the end.
  virtual void SetSelStart(int pos) = 0;
  virtual int SelLength() const = 0;
  // Selects from SelStart over length bytes, cut at the end of the text.
  virtual void SetSelLength(int length) = 0;
  // EM_SETSEL: selects from the lower to (not including) the higher of the two positions.
  virtual void SetSel(int start, int end) = 0;
  virtual void SelectAll() = 0;
  virtual Bytes SelText() const = 0;
  // SelText write and SetSelTextBuf: replaces the selection, the caret after the new text;
  // the new text takes the selection's attributes; not recorded for undo. Raises OnChange.
  virtual void SetSelTextBuf(const Bytes& text) = 0;
  // What the control itself does with typed, pasted or dropped text: replace the selection
  // and record the edit for undo. Raises OnChange.
  virtual void ReplaceSelectionAsUser(const Bytes& text) = 0;

  // --- Formatting -------------------------------------------------------------------------
  // SelAttributes: colour of the selection's first character, or of what is typed next.
  virtual TColor SelColor() const = 0;
  virtual void SetSelColor(TColor color) = 0;
  // The colour of the character at pos (for tests and checks).
  virtual TColor ColorAt(int pos) const = 0;
  // The font (name, size, style) is the whole document's: every path that sets a character's
  // font sets it for the whole text. Its colour is the text colour; Color is the background.
  virtual FontSpec Font() const = 0;
  virtual void SetFont(const FontSpec& font) = 0;
  virtual TColor FontColor() const = 0;
  virtual void SetFontColor(TColor color) = 0;
  virtual TColor Color() const = 0;
  virtual void SetColor(TColor color) = 0;

  // --- Lines and scrolling (the EM_ messages) ---------------------------------------------
  // EM_LINEFROMCHAR: line of pos, or of the selection start for -1.
  virtual int LineFromChar(int pos) const = 0;
  // EM_LINEINDEX: first position of a line; -1 for a line past the last.
  virtual int LineIndex(int line) const = 0;
  virtual void ScrollCaret() = 0;
  // EM_SCROLL: 2 one page up, 3 one page down.
  virtual void Scroll(int code) = 0;
  virtual void Undo() = 0;
  virtual bool CanUndo() const = 0;
  virtual void SetTextLimit(int limit) = 0;

  // --- View -------------------------------------------------------------------------------
  // Hidden while a whole-document pass works; also the bracket that lets an editor batch the
  // many changes of such a pass into one.
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual void SetFocus() = 0;
  virtual bool WordWrap() const = 0;
  virtual void SetWordWrap(bool wrap) = 0;
  virtual void SetRightIndent(int indent) = 0;

  // --- Clipboard and search ---------------------------------------------------------------
  virtual void CutToClipboard() = 0;
  virtual void CopyToClipboard() = 0;
  virtual void PasteFromClipboard() = 0;
  virtual bool ClipboardHasText() const = 0;
  // Position of the first occurrence of text within [start, start + length), or -1.
  virtual int FindText(const Bytes& text, int start, int length, FindOptions options) const = 0;

  // --- Events -----------------------------------------------------------------------------
  // OnChange: raised after every change of the text.
  std::function<void()> OnChange;

 protected:
  void RaiseChange() {
    if (OnChange) OnChange();
  }
};

}  // namespace pemrin
