#pragma once
// The editing control of the main window: EditorControl over a QPlainTextEdit, with byte
// positions into the code page 932 text.
//
// - The document holds decoded text (Cp932Codec); Text() encodes it back byte for byte, line
//   breaks as CR LF. Whatever the user types, pastes or drops that code page 932 cannot hold
//   goes in as "&#N;".
// - Byte offsets and document positions translate through the bytes of each line, summed in
//   chunks (LineByteIndex) and kept up to date from the document's changes, and checkpoints
//   inside long lines; what is kept per line is chunked likewise. So a lookup or a new line
//   costs the same anywhere in a large document as in a small one.
// - Colours stay out of the QTextDocument (whose format changes are undoable edits): runs per
//   line are kept beside the text and drawn as the lines' additional formats.
// - The program's selections (EM_SETSEL) do not scroll; they reach the widget when control
//   returns to the event loop. ScrollCaret scrolls.
// - SetVisible(false) starts a batch: colours, the selection, ScrollCaret and SetFocus are only
//   recorded, and are applied once at SetVisible(true); of the ScrollCarets, the last two are
//   made then. The widget itself stays shown.
// - SetFocus makes the editor's window the active one as well (Find Next in the modeless find
//   dialog leaves the keys with the editor).
// - A line longer than 16 K units is held in blocks of 1-2 K units joined by soft breaks, as
//   Qt lays out and paints a block whole; on screen it shows as rows of those blocks. Line
//   numbers, Line and Text know only the real line breaks.
// - SetSelTextBuf is not recorded for undo: it ends the undo history. Undo gives back text in
//   the colour of the text before it, not in the colours it had.
// - The text limit is recorded but not enforced, neither for the program nor for typing.
// - Menu shortcuts win over the editor's own key bindings (the editor does not claim
//   ShortcutOverride), as a window's menu shortcuts do.

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCharFormat>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/TForm1.h"
#include "editor/EditorControl.h"
#include "qt/LineBookkeeping.h"

namespace pemrin::qt {

class QtRichEdit : public QPlainTextEdit, public EditorControl {
  Q_OBJECT

 public:
  explicit QtRichEdit(QWidget* parent = nullptr);
  ~QtRichEdit() override;

  // --- EditorControl ----------------------------------------------------------------------
  Bytes Text() const override;
  int TextLength() const override;
  void SetText(const Bytes& text) override;
  int LineCount() const override;
  Bytes Line(int index) const override;

  int SelStart() const override;
  void SetSelStart(int pos) override;
  int SelLength() const override;
  void SetSelLength(int length) override;
  void SetSel(int start, int end) override;
  void SelectAll() override;
  Bytes SelText() const override;
  void SetSelTextBuf(const Bytes& text) override;
  void ReplaceSelectionAsUser(const Bytes& text) override;

  TColor SelColor() const override;
  void SetSelColor(TColor color) override;
  TColor ColorAt(int pos) const override;
  FontSpec Font() const override { return font_; }
  void SetFont(const FontSpec& font) override;
  TColor FontColor() const override { return fontColor_; }
  void SetFontColor(TColor color) override;
  TColor Color() const override { return background_; }
  void SetColor(TColor color) override;

  int LineFromChar(int pos) const override;
  int LineIndex(int line) const override;
  void ScrollCaret() override;
  void Scroll(int code) override;
  void Undo() override;
  bool CanUndo() const override;
  void SetTextLimit(int limit) override { textLimit_ = limit; }
  int TextLimit() const { return textLimit_; }

  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override;
  void SetFocus() override;
  bool WordWrap() const override { return wordWrap_; }
  void SetWordWrap(bool wrap) override;
  void SetRightIndent(int) override {}

  void CutToClipboard() override;
  void CopyToClipboard() override;
  void PasteFromClipboard() override;
  bool ClipboardHasText() const override;
  int FindText(const Bytes& text, int start, int length, FindOptions options) const override;

  // --- Input, handed to the main window ---------------------------------------------------
  // Every key press, modifier keys included, before anything else; it does not consume the
  // key, but a code set to 0 keeps a key that types nothing from its default action.
  std::function<void(int& vk, ShiftState shift)> onKeyDown;
  // Every typed character byte (Tab 9, Enter 13, Esc 27; Shift+Tab is still 9); setting it to
  // 0 keeps the control from inserting it. Keys with Ctrl or Alt type nothing.
  std::function<void(char& key)> onKeyPress;
  // Every released key (auto-repeat excepted).
  std::function<void(int vk, ShiftState shift)> onKeyUp;
  // Every mouse button press, after the caret has moved.
  std::function<void()> onMouseDown;
  // Local files dropped on the editor; they are not inserted as text.
  std::function<void(const std::vector<std::string>& paths)> onFilesDropped;

 protected:
  bool event(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;
  QMimeData* createMimeDataFromSelection() const override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  class Layout;

  // One block (a line, or a chunk of a long line) as kept beside the document.
  struct LineInfo {
    LineInfo() = default;
    LineInfo(int u, TColor color) : units(u), colors(color) {}
    int units = 0;      // UTF-16 units of the block's text
    bool soft = false;  // the break after it is a soft break inside a long line
    LineColors colors;
    bool formatsDirty = false;     // colours changed since they were given to the layout
    bool hasFormats = false;       // the layout holds additional formats
    std::vector<int> checkpoints;  // bytes before unit k * kCheckpointStep, for long lines
  };

  // Byte offsets and document positions.
  int ByteOfPos(int pos) const;
  int PosOfByte(int byte, bool roundUp) const;
  int ByteInLine(int line, const QString& text, int unit) const;
  int UnitInLine(int line, const QString& text, int byte, bool roundUp) const;
  const std::vector<int>& Checkpoints(int line, const QString& text) const;
  const QString& BlockText(const QTextBlock& block) const;
  // A block with its number and position, the last one found kept while the text stays.
  struct Spot {
    QTextBlock block;
    int number = -1;
    int position = 0;
  };
  const Spot& SpotAt(int pos) const;
  // document()->characterCount(), kept while the text stays.
  int DocLength() const;
  const Spot& SpotOfNumber(int number) const;
  // The text between two document positions, soft breaks left out, line breaks as `lineBreak`.
  QString DocText(int from, int to, QStringView lineBreak) const;

  // Selection in document positions; during a batch it is only recorded.
  std::pair<int, int> SelUnits() const;
  void SetSelUnits(int start, int end);
  void PushSelection();
  // The program's selections (EM_SETSEL) leave the view where it is; ScrollCaret scrolls.
  void SelectWithoutScrolling(int anchor, int pos);
  // MemoryEditor's rule: start snaps down to a character, the end of a non-empty range up.
  void SetSelection(int start, int length);

  // Text changes.
  void ReplaceUnits(int from, int to, const QString& text, TColor color, bool undoable);
  void OnContentsChange(int position, int removed, int added);
  void OnContentsChanged();
  std::optional<std::vector<TColor>> JournalChange(int position, const std::vector<ColorRun>& runs,
                                                   int pre, int removed, int added);
  void RebuildLines();
  void Canonicalize(int from, int to, bool undoable);
  std::vector<TColor> RedecodedColors(int at, const QString& oldText, const QString& newText) const;
  void SetUnitColors(const QTextBlock& block, int from, const std::vector<TColor>& colors);
  int JoinAcrossSoftBreak(int pos, bool undoable);
  void SplitLongBlocks(bool undoable);
  void CanonicalizePending();
  TColor UnitColor(int pos) const;
  void InsertTyped(const QString& text);
  void StepOverSoftBreak(bool backward);
  QString FilterTyped(const QString& text, bool* changed);

  // Colours on screen.
  void ApplyFormats(const QTextBlock& block, LineInfo& line);
  void FlushFormats();
  void MarkAllFormatsDirty();
  const QTextCharFormat& FormatFor(TColor color);
  void ApplyPalette();

  // The keyboard focus, with the editor's window made the active one.
  void TakeFocus();

  // Wrapped rows.
  void EnsureRowsThrough(int blockNumber) const;
  void EnsureRowsThroughRow(int row) const;

  Layout* layout_ = nullptr;
  ChunkedList<LineInfo> lines_;
  LineByteIndex index_;

  // The selection recorded during a batch.
  bool selPending_ = false;
  bool pushQueued_ = false;
  int selAnchor_ = 0, selPos_ = 0;
  // The colour set for what is inserted next at a selection (SelAttributes with nothing
  // selected); it holds while that selection stands.
  struct InsertColor {
    int start, end;
    TColor color;
  };
  std::optional<InsertColor> insertColor_;
  // The colour of the text being inserted by the edit in progress.
  std::optional<TColor> editColor_;

  bool visible_ = true;
  std::vector<std::pair<int, int>> scrollsPending_;  // the last two ScrollCarets of a batch
  bool focusPending_ = false;                        // SetFocus during a batch
  bool wordWrap_ = false;
  bool settingText_ = false;
  bool ownEdit_ = false;
  bool textChanged_ = false;
  bool composing_ = false;
  bool fixing_ = false;  // re-decoding after an edit
  int lastChangePos_ = 0, lastChangeAdded_ = 0;
  // The changes the document can undo, with the colours of the units each removed.
  struct JournalEntry {
    int position;
    std::vector<TColor> removed;
    int added;
    int steps;    // the document's undo steps after the change
    bool fixing;  // re-decoding, not the edit itself
    // For re-decoding: the bytes of each unit before and after it.
    std::vector<std::uint8_t> oldWidths, newWidths;
  };
  std::pair<std::vector<std::uint8_t>, std::vector<std::uint8_t>> fixWidths_;
  std::vector<JournalEntry> undoJournal_;
  bool undoing_ = false;
  std::optional<std::pair<int, int>> undoSelection_;
  int fixFrom_ = -1, fixTo_ = -1;      // a user edit's range to re-decode at its boundaries
  int splitFrom_ = -1, splitTo_ = -1;  // a range holding blocks to cut into chunks
  mutable int rowsLaidOut_ = 0;        // with word wrap, blocks [0, n) have up-to-date rows

  FontSpec font_;
  TColor fontColor_ = 0;
  TColor background_ = 0xFFFFFF;
  int textLimit_ = 64 * 1024;

  mutable QTextBlock cachedBlock_;
  mutable unsigned cachedGeneration_ = 0;
  mutable QString cachedText_;
  mutable Spot spot_;
  mutable unsigned spotGeneration_ = 0;
  mutable int length_ = 1;
  mutable unsigned lengthGeneration_ = 0;
  mutable Bytes findBuffer_;
  // The whole text as FindText encoded it, while generation_ is textCacheGeneration_.
  mutable Bytes textCache_;
  mutable unsigned textCacheGeneration_ = 0;
  unsigned generation_ = 1;
  std::vector<std::pair<TColor, QTextCharFormat>> formats_;
};

}  // namespace pemrin::qt
