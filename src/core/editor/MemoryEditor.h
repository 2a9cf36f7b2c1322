#pragma once
// An editing control held in memory: the text as bytes, a colour per byte, a selection, lines
// (with an optional wrap width in bytes) and an undo history. Used by tests and benchmarks.

#include <vector>

#include "editor/EditorControl.h"

namespace pemrin {

class MemoryEditor : public EditorControl {
 public:
  // wrapWidth: with word wrap on, a line breaks into rows of at most this many bytes (a
  // double-byte character is never split); 0 means no row is ever wrapped.
  explicit MemoryEditor(int wrapWidth = 0);

  Bytes Text() const override { return text_; }
  int TextLength() const override { return static_cast<int>(text_.size()); }
  void SetText(const Bytes& text) override;
  int LineCount() const override;
  Bytes Line(int index) const override;

  int SelStart() const override { return selStart_; }
  void SetSelStart(int pos) override;
  int SelLength() const override { return selLength_; }
  void SetSelLength(int length) override;
  void SetSel(int start, int end) override;
  void SelectAll() override;
  Bytes SelText() const override { return text_.substr(selStart_, selLength_); }
  void SetSelTextBuf(const Bytes& text) override;
  void ReplaceSelectionAsUser(const Bytes& text) override;

  // In an empty document, what is typed takes the text colour as it is now, unless a colour
  // was chosen for it.
  TColor SelColor() const override {
    return text_.empty() && !insertColorChosen_ ? fontColor_ : insertColor_;
  }
  void SetSelColor(TColor color) override;
  TColor ColorAt(int pos) const override;
  FontSpec Font() const override { return font_; }
  void SetFont(const FontSpec& font) override { font_ = font; }
  TColor FontColor() const override { return fontColor_; }
  void SetFontColor(TColor color) override { fontColor_ = color; }
  TColor Color() const override { return background_; }
  void SetColor(TColor color) override { background_ = color; }

  int LineFromChar(int pos) const override;
  int LineIndex(int line) const override;
  void ScrollCaret() override {}
  void Scroll(int) override {}
  void Undo() override;
  bool CanUndo() const override { return !undo_.empty(); }
  void SetTextLimit(int limit) override { textLimit_ = limit; }

  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override { visible_ = visible; }
  void SetFocus() override { focused_ = true; }
  bool HasFocus() const { return focused_; }
  bool WordWrap() const override { return wordWrap_; }
  void SetWordWrap(bool wrap) override;
  void SetRightIndent(int) override {}

  void CutToClipboard() override;
  void CopyToClipboard() override;
  void PasteFromClipboard() override;
  bool ClipboardHasText() const override { return !clipboard_.empty(); }
  int FindText(const Bytes& text, int start, int length, FindOptions options) const override;

  // The in-memory clipboard (each MemoryEditor has its own).
  const Bytes& Clipboard() const { return clipboard_; }
  void SetClipboard(const Bytes& text) { clipboard_ = text; }

 private:
  struct UndoStep {
    int pos;
    Bytes removed;
    std::vector<TColor> removedColors;
    int insertedLength;
  };

  int Snap(int pos) const;
  bool IsInsideCharacter(int pos) const;
  void Replace(const Bytes& text, bool recordUndo);
  void UnifyCharacterColors(int from, int to);
  void SetSelection(int start, int length);
  void EnsureRows() const;

  Bytes text_;
  std::vector<TColor> colors_;
  int selStart_ = 0;
  int selLength_ = 0;
  TColor insertColor_ = 0;
  bool insertColorChosen_ = false;  // by SetSelColor or an edit, since the selection was set
  FontSpec font_;
  TColor fontColor_ = 0;
  TColor background_ = 0xFFFFFF;
  bool visible_ = true;
  bool focused_ = false;
  bool wordWrap_ = false;
  int wrapWidth_;
  int textLimit_ = 64 * 1024;
  std::vector<UndoStep> undo_;
  Bytes clipboard_;
  mutable std::vector<int> rowStarts_;
  mutable bool rowsDirty_ = true;
};

}  // namespace pemrin
