#include "editor/MemoryEditor.h"

#include <algorithm>

#include "editor/Sjis.h"
#include "editor/SjisText.h"

namespace pemrin {

namespace {
constexpr std::size_t kMaxUndoSteps = 100;
}

MemoryEditor::MemoryEditor(int wrapWidth) : wrapWidth_(wrapWidth) {}

void MemoryEditor::SetText(const Bytes& text) {
  text_ = NormalizeLineBreaks(text);
  colors_.assign(text_.size(), fontColor_);
  undo_.clear();
  rowsDirty_ = true;
  SetSelection(0, 0);
  RaiseChange();
}

void MemoryEditor::EnsureRows() const {
  if (!rowsDirty_) return;
  rowStarts_.clear();
  rowStarts_.push_back(0);
  const std::size_t size = text_.size();
  std::size_t rowStart = 0;
  for (std::size_t i = 0; i < size;) {
    if (text_[i] == '\r' && i + 1 < size && text_[i + 1] == '\n') {
      i += 2;
      rowStart = i;
      rowStarts_.push_back(static_cast<int>(i));
      continue;
    }
    std::size_t len = SjisCharLength(text_.data(), size, i);
    if (wordWrap_ && wrapWidth_ > 0 && i > rowStart &&
        i + len - rowStart > static_cast<std::size_t>(wrapWidth_)) {
      rowStart = i;
      rowStarts_.push_back(static_cast<int>(i));
    }
    i += len;
  }
  rowsDirty_ = false;
}

int MemoryEditor::LineCount() const {
  EnsureRows();
  return static_cast<int>(rowStarts_.size());
}

Bytes MemoryEditor::Line(int index) const {
  EnsureRows();
  if (index < 0 || index >= static_cast<int>(rowStarts_.size())) return Bytes();
  int begin = rowStarts_[index];
  int end = index + 1 < static_cast<int>(rowStarts_.size()) ? rowStarts_[index + 1]
                                                            : static_cast<int>(text_.size());
  if (end - begin >= 2 && text_[end - 2] == '\r' && text_[end - 1] == '\n') end -= 2;
  return text_.substr(begin, end - begin);
}

int MemoryEditor::LineFromChar(int pos) const {
  EnsureRows();
  if (pos < 0) pos = selStart_;
  pos = std::min(pos, static_cast<int>(text_.size()));
  auto it = std::upper_bound(rowStarts_.begin(), rowStarts_.end(), pos);
  return static_cast<int>(it - rowStarts_.begin()) - 1;
}

int MemoryEditor::LineIndex(int line) const {
  EnsureRows();
  if (line < 0) line = LineFromChar(-1);
  if (line >= static_cast<int>(rowStarts_.size())) return -1;
  return rowStarts_[line];
}

bool MemoryEditor::IsInsideCharacter(int pos) const {
  // Lead bytes pair up from the left within a run of them, which starts on a boundary.
  const auto* t = reinterpret_cast<const unsigned char*>(text_.data());
  if (pos <= 0 || pos >= static_cast<int>(text_.size()) || !IsSjisTrailByte(t[pos])) return false;
  int run = 0;
  while (run < pos && IsSjisLeadByte(t[pos - 1 - run])) ++run;
  return run % 2 == 1;
}

int MemoryEditor::Snap(int pos) const {
  const int size = static_cast<int>(text_.size());
  if (pos < 0 || pos >= size) return pos < 0 ? 0 : size;
  int row = LineFromChar(pos);
  int i = rowStarts_[row];
  while (true) {
    if (text_[i] == '\r' && i + 1 < size && text_[i + 1] == '\n') return i;  // inside CR LF
    int next = i + static_cast<int>(SjisCharLength(text_.data(), size, i));
    if (next > pos) return i;
    i = next;
  }
}

void MemoryEditor::SetSelection(int start, int length) {
  const int size = static_cast<int>(text_.size());
  start = Snap(start);
  int end = length <= 0 ? start : Snap(std::min(size, start + length));
  // A range that ends inside a character takes the whole character.
  if (length > 0 && end < start + length && end < size) {
    int next = end + static_cast<int>(SjisCharLength(text_.data(), size, end));
    if (text_[end] == '\r') next = end + 2;
    end = std::min(size, next);
  }
  selStart_ = start;
  selLength_ = end - start;
  insertColorChosen_ = false;
  if (selLength_ > 0) {
    insertColor_ = colors_[start];
  } else if (start > 0) {
    insertColor_ = colors_[start - 1];
  } else {
    insertColor_ = colors_.empty() ? fontColor_ : colors_[0];
  }
}

void MemoryEditor::SetSelStart(int pos) {
  if (pos < 0) pos = static_cast<int>(text_.size());
  SetSelection(pos, 0);
}

void MemoryEditor::SetSelLength(int length) {
  SetSelection(selStart_, length);
}

void MemoryEditor::SetSel(int start, int end) {
  const int size = static_cast<int>(text_.size());
  if (start < 0) start = size;
  if (end < 0) end = size;
  SetSelection(std::min(start, end), std::abs(end - start));
}

void MemoryEditor::SelectAll() {
  SetSelection(0, static_cast<int>(text_.size()));
}

void MemoryEditor::Replace(const Bytes& raw, bool recordUndo) {
  Bytes text = NormalizeLineBreaks(raw);
  if (text.empty() && selLength_ == 0) {
    // Nothing changes: no step to undo, no change to report; what is typed here next keeps
    // the colour it would have taken. The program's replacement still ends the history.
    if (!recordUndo) undo_.clear();
    insertColor_ = SelColor();
    insertColorChosen_ = true;
    return;
  }
  if (recordUndo) {
    undo_.push_back(
        {selStart_, text_.substr(selStart_, selLength_),
         std::vector<TColor>(colors_.begin() + selStart_, colors_.begin() + selStart_ + selLength_),
         static_cast<int>(text.size())});
    if (undo_.size() > kMaxUndoSteps) undo_.erase(undo_.begin());
  } else {
    // An edit the history does not know about would make every older step point at the
    // wrong bytes: the history ends here.
    undo_.clear();
  }
  const TColor color = SelColor();
  text_.replace(selStart_, selLength_, text);
  colors_.erase(colors_.begin() + selStart_, colors_.begin() + selStart_ + selLength_);
  colors_.insert(colors_.begin() + selStart_, text.size(), color);
  rowsDirty_ = true;
  const int end = selStart_ + static_cast<int>(text.size());
  UnifyCharacterColors(selStart_, end);
  selStart_ = end;
  // A lead byte left standing alone before the edit pairs with the byte after it now.
  if (IsInsideCharacter(selStart_)) --selStart_;
  selLength_ = 0;
  insertColor_ = color;
  insertColorChosen_ = true;
  RaiseChange();
}

// Bytes around an edit may pair up differently now (a lead byte standing alone before it takes
// the first new byte as its trail byte, a run of lead bytes after it shifts by one): a character
// has one colour, its first byte's. Pairs outside [from, to) change only within a run of lead
// bytes (with the byte that ends it), which starts on a character boundary.
void MemoryEditor::UnifyCharacterColors(int from, int to) {
  const auto* t = reinterpret_cast<const unsigned char*>(text_.data());
  const int size = static_cast<int>(text_.size());
  int i = from;
  while (i > 0 && IsSjisLeadByte(t[i - 1])) --i;
  while (i < size && (i <= to || IsSjisLeadByte(t[i - 1]))) {
    const int length = static_cast<int>(SjisCharLength(text_.data(), size, i));
    if (length == 2) colors_[i + 1] = colors_[i];
    i += length;
  }
}

void MemoryEditor::SetSelTextBuf(const Bytes& text) {
  Replace(text, false);
}

void MemoryEditor::ReplaceSelectionAsUser(const Bytes& text) {
  Replace(text, true);
}

void MemoryEditor::SetSelColor(TColor color) {
  insertColor_ = color;
  insertColorChosen_ = true;
  std::fill(colors_.begin() + selStart_, colors_.begin() + selStart_ + selLength_, color);
}

TColor MemoryEditor::ColorAt(int pos) const {
  if (pos < 0 || pos >= static_cast<int>(colors_.size())) return SelColor();
  return colors_[pos];
}

void MemoryEditor::Undo() {
  if (undo_.empty()) return;
  UndoStep step = undo_.back();
  undo_.pop_back();
  text_.replace(step.pos, step.insertedLength, step.removed);
  colors_.erase(colors_.begin() + step.pos, colors_.begin() + step.pos + step.insertedLength);
  colors_.insert(colors_.begin() + step.pos, step.removedColors.begin(), step.removedColors.end());
  // The removed text comes back with its colours; bytes after it that pair anew take their
  // character's colour, as after any edit.
  UnifyCharacterColors(step.pos, step.pos + static_cast<int>(step.removed.size()));
  rowsDirty_ = true;
  SetSelection(step.pos, static_cast<int>(step.removed.size()));
  RaiseChange();
}

void MemoryEditor::SetWordWrap(bool wrap) {
  wordWrap_ = wrap;
  rowsDirty_ = true;
}

void MemoryEditor::CutToClipboard() {
  if (selLength_ == 0) return;
  clipboard_ = SelText();
  ReplaceSelectionAsUser(Bytes());
}

void MemoryEditor::CopyToClipboard() {
  if (selLength_ > 0) clipboard_ = SelText();
}

void MemoryEditor::PasteFromClipboard() {
  if (!clipboard_.empty()) ReplaceSelectionAsUser(clipboard_);
}

int MemoryEditor::FindText(const Bytes& text, int start, int length, FindOptions options) const {
  return FindSjisText(text_, text, Snap(start), length, options);
}

}  // namespace pemrin
