#include "qt/QtRichEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPlainTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QUrl>
#include <algorithm>

#include "editor/Sjis.h"
#include "editor/SjisText.h"
#include "qt/Cp932Codec.h"
#include "qt/QtKeys.h"

namespace pemrin::qt {

namespace {

// The colours of units [from, from + count) of runs, one per unit.
std::vector<TColor> UnitColors(const std::vector<ColorRun>& runs, int from, int count) {
  std::vector<TColor> colors;
  colors.reserve(static_cast<std::size_t>(std::max(0, count)));
  int pos = 0;
  for (const ColorRun& run : runs) {
    for (int i = std::max(from, pos); i < std::min(from + count, pos + run.length); ++i)
      colors.push_back(run.color);
    pos += run.length;
  }
  return colors;
}

// Bytes of each unit of text.
std::vector<std::uint8_t> UnitWidths(const QString& text) {
  std::vector<std::uint8_t> widths;
  widths.reserve(static_cast<std::size_t>(text.size()));
  for (const QChar c : text) widths.push_back(static_cast<std::uint8_t>(Cp932Width(c.unicode())));
  return widths;
}

// The same bytes decoded two ways: for each unit of the second, the colour of the unit of the
// first its first byte lies in (a variation selector takes its character's).
std::vector<TColor> ColorsByFirstByte(const std::vector<std::uint8_t>& fromWidths,
                                      const std::vector<TColor>& fromColors,
                                      const std::vector<std::uint8_t>& toWidths) {
  std::vector<TColor> colors;
  std::size_t k = 0;
  int fromEnd = fromWidths.empty() ? 0 : fromWidths[0];  // bytes up to the end of unit k
  int byte = 0;
  for (const std::uint8_t width : toWidths) {
    if (width == 0 && !colors.empty()) {
      colors.push_back(colors.back());
      continue;
    }
    while (k + 1 < fromWidths.size() && fromEnd <= byte) fromEnd += fromWidths[++k];
    colors.push_back(fromColors.empty() ? 0 : fromColors[std::min(k, fromColors.size() - 1)]);
    byte += width;
  }
  return colors;
}

// runs with units [at, at + removed) replaced by units of the given colours, as SpliceRuns
// does with one colour.
void SpliceColors(std::vector<ColorRun>& runs, int at, int removed,
                  const std::vector<TColor>& colors) {
  std::vector<ColorRun> out;
  auto push = [&out](int length, TColor color) {
    if (length <= 0) return;
    if (!out.empty() && out.back().color == color)
      out.back().length += length;
    else
      out.push_back({length, color});
  };
  bool inserted = false;
  auto insert = [&] {
    if (inserted) return;
    inserted = true;
    for (TColor c : colors) push(1, c);
  };
  int pos = 0;
  for (const ColorRun& run : runs) {
    const int begin = pos, end = pos + run.length;
    pos = end;
    push(std::min(end, at) - begin, run.color);
    if (end >= at) insert();
    push(end - std::max(begin, at + removed), run.color);
  }
  insert();
  runs.swap(out);
}

// Inside a long line, the bytes before every kCheckpointStep-th unit are remembered.
constexpr int kCheckpointStep = 1024;

QColor ToQColor(TColor c) {
  return QColor(TColorRed(c), TColorGreen(c), TColorBlue(c));
}

bool IsVariationSelector(char16_t u) {
  return u >= 0xFE00 && u <= 0xFE0F;
}

// The byte of a character stored in one byte, or -1.
int SingleByteOf(char16_t u) {
  if (u < 0x80) return u;
  if (u >= 0xFF61 && u <= 0xFF9F) return u - 0xFF61 + 0xA1;
  if (u >= 0xF700 && u <= 0xF7FF) return u - 0xF700;
  return -1;
}

int BytesOf(QStringView text) {
  int bytes = 0;
  for (QChar c : text) bytes += Cp932Width(c.unicode());
  return bytes;
}

// Whether the text at `off` is not what decoding its bytes gives: a lead byte standing alone
// right before a byte it pairs with (a trail byte, or the lead byte of a double-byte
// character, whose own trail byte then pairs anew), or a variation selector without its
// character.
bool BreaksDecodingAt(const QString& t, int off) {
  if (off < 0 || off >= t.size()) return false;
  const char16_t u = t[off].unicode();
  if (IsVariationSelector(u))
    return off == 0 || EncodeCp932(QStringView(t).mid(off - 1, 2)).size() != 2;
  if (off == 0 || !IsLoneLeadPlaceholder(t[off - 1].unicode())) return false;
  const int b = SingleByteOf(u);
  return b < 0 || IsSjisTrailByte(static_cast<unsigned char>(b));
}

// Whether a key's text is something to type (not Backspace's or Delete's control character).
bool IsPrintable(const QString& text) {
  if (text.isEmpty()) return false;
  char32_t first = text[0].unicode();
  if (text.size() > 1 && text[0].isHighSurrogate() && text[1].isLowSurrogate())
    first = QChar::surrogateToUcs4(text[0], text[1]);
  return QChar::isPrint(first);
}

// Local files among dropped data, as native paths.
std::vector<std::string> LocalFiles(const QMimeData* data) {
  std::vector<std::string> paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
  return paths;
}

// fontconfig takes the Windows names of the Japanese fonts for any font; the metric-compatible
// IPA fonts stand in for them.
void SubstituteJapaneseFonts() {
  static const bool done = [] {
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("IPAPMincho"));
    return true;
  }();
  (void)done;
}

// A line longer than kSplitAt units is held in blocks of kChunk to 2 * kChunk units joined by
// soft breaks: QTextLayout lays out and shapes a block whole, and painting shapes every row on
// screen whole, so typing in a 1 MB line would otherwise cost seconds a key. A soft break is a
// paragraph break whose character carries kSoftBreak; it has no bytes, and the undo history
// keeps its mark. On screen a held line shows as rows of its chunks.
constexpr int kChunk = 256;
constexpr int kSplitAt = 16 * kChunk;
constexpr int kSoftBreak = QTextFormat::UserProperty + 1;

QTextCharFormat SoftBreakFormat() {
  QTextCharFormat format;
  format.setProperty(kSoftBreak, true);
  return format;
}

// Whether the break after a block is soft.
bool SoftBreakAfter(const QTextBlock& block) {
  const QTextBlock next = block.next();
  return next.isValid() && next.charFormat().boolProperty(kSoftBreak);
}

// Where a line of text is cut into chunks: never between a character and its variation
// selector, nor after a lead byte standing alone.
std::vector<int> ChunkCuts(QStringView text) {
  std::vector<int> cuts;
  const int units = static_cast<int>(text.size());
  int start = 0;
  while (units - start > 2 * kChunk) {
    int cut = start + kChunk;
    while (cut < units && (IsVariationSelector(text[cut].unicode()) ||
                           IsLoneLeadPlaceholder(text[cut - 1].unicode())))
      ++cut;
    if (cut >= units) break;
    cuts.push_back(cut);
    start = cut;
  }
  return cuts;
}

}  // namespace

// QPlainTextDocumentLayout lays a changed line out at once even when it is far off screen; a
// whole-document pass of the program (colouring every tag, replacing all) would lay out every
// line it touches. A changed line outside the painted area only loses its layout here, and is
// laid out when it is next needed.
class QtRichEdit::Layout : public QPlainTextDocumentLayout {
 public:
  using QPlainTextDocumentLayout::QPlainTextDocumentLayout;

  // The blocks the last paint showed.
  void SetPainted(int first, int last) {
    firstPainted_ = first;
    lastPainted_ = last;
    updatePending_ = false;
  }

  // Marks the colours of the blocks over [from, from + length) changed, not their text: those
  // on screen are laid out and painted again, the others when they are next needed.
  void ColorsChanged(int from, int length) {
    colorsOnly_ = true;
    document()->markContentsDirty(from, length);
    colorsOnly_ = false;
  }

  void documentChanged(int from, int removed, int added) override {
    QTextDocument* doc = document();
    QTextBlock block = doc->findBlock(from);
    if (colorsOnly_) {
      const QTextBlock last = doc->findBlock(std::max(from, from + added - 1));
      for (int number = block.blockNumber(); block.isValid(); block = block.next(), ++number) {
        block.clearLayout();
        if (number >= firstPainted_ - 1 && number <= lastPainted_ + 1) emit updateBlock(block);
        if (block == last) break;
      }
      return;
    }
    const int number = block.blockNumber();
    const bool oneBlock = block.isValid() && doc->blockCount() == blockCount_ &&
                          doc->findBlock(std::max(0, from + removed + added - 1)) == block;
    if (oneBlock && (number < firstPainted_ - 1 || number > lastPainted_ + 1)) {
      block.clearLayout();
      RequestUpdateOnce();
      return;
    }
    if (number > lastPainted_ + 1) {
      // Lines added or removed below the painted area: the base layout's bookkeeping, without
      // its repaint of each changed block (which finds the block's place by walking the lines
      // from the top of the view); the view needs only the document's new size.
      const bool held = signalsBlocked();
      blockSignals(true);
      QPlainTextDocumentLayout::documentChanged(from, removed, added);
      blockSignals(held);
      RequestUpdateOnce();
      if (doc->blockCount() != blockCount_) {
        blockCount_ = doc->blockCount();
        emit documentSizeChanged(documentSize());
      }
      return;
    }
    QPlainTextDocumentLayout::documentChanged(from, removed, added);
    blockCount_ = doc->blockCount();
  }

 private:
  void RequestUpdateOnce() {
    if (updatePending_) return;
    updatePending_ = true;
    requestUpdate();
  }

  int firstPainted_ = 0, lastPainted_ = -10;
  bool colorsOnly_ = false;
  int blockCount_ = 1;
  bool updatePending_ = false;
};

QtRichEdit::QtRichEdit(QWidget* parent) : QPlainTextEdit(parent) {
  SubstituteJapaneseFonts();
  auto* doc = new QTextDocument(this);
  layout_ = new Layout(doc);
  doc->setDocumentLayout(layout_);
  setDocument(doc);
  doc->setDefaultFont(font());
  setTabChangesFocus(false);
  setLineWrapMode(NoWrap);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  lines_.push_back(LineInfo(0, fontColor_));
  index_.Assign({{0, 0}});
  connect(document(), &QTextDocument::contentsChange, this, &QtRichEdit::OnContentsChange);
  connect(document(), &QTextDocument::contentsChanged, this, &QtRichEdit::OnContentsChanged);
  ApplyPalette();
}

QtRichEdit::~QtRichEdit() = default;

// --- Byte offsets and document positions ------------------------------------------------------

const QString& QtRichEdit::BlockText(const QTextBlock& block) const {
  if (block != cachedBlock_ || cachedGeneration_ != generation_) {
    cachedText_ = block.text();
    cachedBlock_ = block;
    cachedGeneration_ = generation_;
  }
  return cachedText_;
}

// Finding a block, its number or its position walks the document's trees, deeper the larger
// the document, and so does its length; the calls of one key are mostly about the caret's
// block, so the length and the block last found are kept while the text stays as it is.
int QtRichEdit::DocLength() const {
  if (lengthGeneration_ != generation_) {
    length_ = document()->characterCount();
    lengthGeneration_ = generation_;
  }
  return length_;
}

const QtRichEdit::Spot& QtRichEdit::SpotAt(int pos) const {
  if (spotGeneration_ != generation_ || pos < spot_.position ||
      pos >= spot_.position + spot_.block.length()) {
    const QTextBlock block = document()->findBlock(pos);
    spot_ = {block, block.blockNumber(), block.position()};
    spotGeneration_ = generation_;
  }
  return spot_;
}

const QtRichEdit::Spot& QtRichEdit::SpotOfNumber(int number) const {
  if (spotGeneration_ != generation_ || number != spot_.number) {
    const QTextBlock block = document()->findBlockByNumber(number);
    spot_ = {block, number, block.position()};
    spotGeneration_ = generation_;
  }
  return spot_;
}

const std::vector<int>& QtRichEdit::Checkpoints(int line, const QString& text) const {
  auto& info = const_cast<LineInfo&>(lines_[line]);
  if (info.units >= 2 * kCheckpointStep && info.checkpoints.empty()) {
    int bytes = 0;
    for (int i = 0; i < info.units; ++i) {
      if (i % kCheckpointStep == 0) info.checkpoints.push_back(bytes);
      bytes += Cp932Width(text[i].unicode());
    }
  }
  return info.checkpoints;
}

int QtRichEdit::ByteInLine(int line, const QString& text, int unit) const {
  if (unit > 0 && unit < text.size() && IsVariationSelector(text[unit].unicode())) --unit;
  const std::vector<int>& checkpoints = Checkpoints(line, text);
  int i = 0, bytes = 0;
  if (!checkpoints.empty()) {
    const int k = std::min<int>(unit / kCheckpointStep, static_cast<int>(checkpoints.size()) - 1);
    i = k * kCheckpointStep;
    bytes = checkpoints[k];
  }
  for (; i < unit; ++i) bytes += Cp932Width(text[i].unicode());
  return bytes;
}

int QtRichEdit::UnitInLine(int line, const QString& text, int byte, bool roundUp) const {
  const std::vector<int>& checkpoints = Checkpoints(line, text);
  int i = 0, bytes = 0;
  if (!checkpoints.empty()) {
    const int k = static_cast<int>(std::upper_bound(checkpoints.begin(), checkpoints.end(), byte) -
                                   checkpoints.begin()) -
                  1;
    i = k * kCheckpointStep;
    bytes = checkpoints[k];
  }
  const int n = text.size();
  // Variation selectors count no bytes, so the loop never stops on one.
  while (i < n) {
    const int width = Cp932Width(text[i].unicode());
    if (bytes + width > byte) break;
    bytes += width;
    ++i;
  }
  if (i < n && bytes < byte && roundUp) {
    ++i;
    while (i < n && IsVariationSelector(text[i].unicode())) ++i;
  }
  return i;
}

int QtRichEdit::ByteOfPos(int pos) const {
  pos = std::clamp(pos, 0, DocLength() - 1);
  const Spot& spot = SpotAt(pos);
  const int line = spot.number;
  const int unit = pos - spot.position;
  if (unit >= lines_[line].units) return index_.Start(line) + index_.TextBytes(line);
  return index_.Start(line) + ByteInLine(line, BlockText(spot.block), unit);
}

int QtRichEdit::PosOfByte(int byte, bool roundUp) const {
  if (byte <= 0) return 0;
  if (byte >= index_.Total()) return DocLength() - 1;
  const int line = index_.BlockAt(byte);
  const Spot& spot = SpotOfNumber(line);
  const int within = byte - index_.Start(line);
  const int lineBytes = index_.TextBytes(line);
  if (within >= lineBytes) {
    // At CR, or between CR and LF: the line break's start, or with roundUp the next line.
    if (within > lineBytes && roundUp) return spot.position + lines_[line].units + 1;
    return spot.position + lines_[line].units;
  }
  return spot.position + UnitInLine(line, BlockText(spot.block), within, roundUp);
}

// --- Text -------------------------------------------------------------------------------------

Bytes QtRichEdit::Text() const {
  QString raw = document()->toRawText();
  if (index_.Count() != index_.LineCount()) {
    // Some long line is held in chunks: its soft breaks have no bytes.
    QString joined;
    joined.reserve(raw.size());
    qsizetype at = 0;
    for (int block = 0;; ++block) {
      const qsizetype end = raw.indexOf(QChar::ParagraphSeparator, at);
      joined += QStringView(raw).mid(at, (end < 0 ? raw.size() : end) - at);
      if (end < 0) break;
      if (!lines_[block].soft) joined += QChar::ParagraphSeparator;
      at = end + 1;
    }
    raw = std::move(joined);
  }
  Bytes out;
  out.reserve(index_.Total());
  AppendCp932(raw, out);
  return out;
}

int QtRichEdit::TextLength() const {
  return index_.Total();
}

void QtRichEdit::SetText(const Bytes& bytes) {
  const QString decoded = DecodeCp932(NormalizeLineBreaks(bytes));
  const char16_t* d = reinterpret_cast<const char16_t*>(decoded.constData());
  const qsizetype n = decoded.size();
  // The lines (every line break is CR LF now), cut into chunks where they are long.
  std::vector<LineInfo> lines;
  std::vector<LineByteIndex::Block> blocks;
  std::vector<int> softBreaks;  // their document positions
  QString chunked;              // the document's text when some line is cut
  bool cut = false;
  int position = 0;
  for (qsizetype start = 0;;) {
    qsizetype end = start;
    while (end < n && d[end] != u'\r') ++end;
    const QStringView line = QStringView(decoded).mid(start, end - start);
    const std::vector<int> cuts = line.size() > kSplitAt ? ChunkCuts(line) : std::vector<int>();
    if (!cuts.empty() && !cut) {
      cut = true;
      chunked = decoded.left(start);
      chunked.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
      chunked.reserve(n);
    }
    int from = 0;
    for (std::size_t k = 0; k <= cuts.size(); ++k) {
      const int to = k < cuts.size() ? cuts[k] : static_cast<int>(line.size());
      const QStringView piece = line.mid(from, to - from);
      const bool soft = k < cuts.size();
      lines.push_back(LineInfo(to - from, fontColor_));
      lines.back().soft = soft;
      blocks.push_back({BytesOf(piece), soft || end == n ? 0 : 2});
      position += to - from;
      if (cut) chunked += piece;
      if (soft) {
        softBreaks.push_back(position);
        chunked += u'\n';
      }
      ++position;
      from = to;
    }
    if (end == n) break;
    if (cut) chunked += u'\n';
    start = end + 2;
  }

  selPending_ = false;
  insertColor_.reset();
  fixFrom_ = fixTo_ = splitFrom_ = splitTo_ = -1;
  undoJournal_.clear();  // setPlainText ends the history
  settingText_ = true;
  setPlainText(cut ? chunked : decoded);
  if (!softBreaks.empty()) {
    QTextDocument* doc = document();
    doc->setUndoRedoEnabled(false);
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    for (int at : softBreaks) {
      cursor.setPosition(at);
      cursor.setPosition(at + 1, QTextCursor::KeepAnchor);
      cursor.setCharFormat(SoftBreakFormat());
    }
    cursor.endEditBlock();
    doc->setUndoRedoEnabled(true);
  }
  settingText_ = false;
  lines_.Assign(std::move(lines));
  index_.Assign(blocks);
  ++generation_;
  rowsLaidOut_ = 0;
  textChanged_ = false;
  RaiseChange();
}

int QtRichEdit::LineCount() const {
  if (!wordWrap_) return index_.LineCount();
  EnsureRowsThrough(document()->blockCount() - 1);
  return document()->lineCount();
}

Bytes QtRichEdit::Line(int index) const {
  if (index < 0) return Bytes();
  const QTextDocument* doc = document();
  if (!wordWrap_) {
    // A line is its blocks up to a hard break.
    int number = index_.FirstBlockOfLine(index);
    if (number < 0) return Bytes();
    Bytes out;
    for (QTextBlock block = SpotOfNumber(number).block; block.isValid();
         block = block.next(), ++number) {
      AppendCp932(BlockText(block), out);
      if (!lines_[number].soft) break;
    }
    return out;
  }
  EnsureRowsThroughRow(index);
  if (index >= doc->lineCount()) return Bytes();
  const QTextBlock block = doc->findBlockByLineNumber(index);
  const QTextLine row = block.layout()->lineAt(index - block.firstLineNumber());
  if (!row.isValid()) return Bytes();
  return EncodeCp932(QStringView(BlockText(block)).mid(row.textStart(), row.textLength()));
}

// --- Selection --------------------------------------------------------------------------------

std::pair<int, int> QtRichEdit::SelUnits() const {
  if (selPending_) return {std::min(selAnchor_, selPos_), std::max(selAnchor_, selPos_)};
  const QTextCursor cursor = textCursor();
  return {cursor.selectionStart(), cursor.selectionEnd()};
}

void QtRichEdit::SetSelUnits(int start, int end) {
  // The widget's own cursor follows when the program gives control back (or the user acts):
  // moving it lays out and repaints, which a pass of many selections must not pay for.
  selPending_ = true;
  selAnchor_ = start;
  selPos_ = end;
  if (visible_ && !pushQueued_) {
    pushQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
          pushQueued_ = false;
          if (visible_) PushSelection();
        },
        Qt::QueuedConnection);
  }
}

void QtRichEdit::PushSelection() {
  if (!selPending_) return;
  selPending_ = false;
  SelectWithoutScrolling(selAnchor_, selPos_);
}

void QtRichEdit::SelectWithoutScrolling(int anchor, int pos) {
  QTextCursor cursor(document());
  cursor.setPosition(anchor);
  cursor.setPosition(pos, QTextCursor::KeepAnchor);
  if (viewport()->rect().contains(cursorRect(cursor))) {
    setTextCursor(cursor);
    return;
  }
  // QPlainTextEdit scrolls to every cursor it is given; with the view's updates held back
  // that is only bookkeeping, undone before the view paints again.
  QWidget* view = viewport();
  QScrollBar* vertical = verticalScrollBar();
  QScrollBar* horizontal = horizontalScrollBar();
  const int top = vertical->value(), left = horizontal->value();
  const bool held = view->testAttribute(Qt::WA_UpdatesDisabled);
  view->setAttribute(Qt::WA_UpdatesDisabled, true);
  setTextCursor(cursor);
  vertical->setValue(top);
  horizontal->setValue(left);
  view->setAttribute(Qt::WA_UpdatesDisabled, held);
  view->update();
}

void QtRichEdit::SetSelection(int start, int length) {
  const int size = TextLength();
  const int first = PosOfByte(start, false);
  int last = first;
  if (length > 0) {
    const long long end = static_cast<long long>(ByteOfPos(first)) + length;
    last = PosOfByte(static_cast<int>(std::min<long long>(size, end)), true);
  }
  insertColor_.reset();
  SetSelUnits(first, last);
}

int QtRichEdit::SelStart() const {
  return ByteOfPos(SelUnits().first);
}

void QtRichEdit::SetSelStart(int pos) {
  SetSelection(pos < 0 ? TextLength() : pos, 0);
}

int QtRichEdit::SelLength() const {
  const auto [start, end] = SelUnits();
  return start == end ? 0 : ByteOfPos(end) - ByteOfPos(start);
}

void QtRichEdit::SetSelLength(int length) {
  SetSelection(SelStart(), length);
}

void QtRichEdit::SetSel(int start, int end) {
  const int size = TextLength();
  if (start < 0) start = size;
  if (end < 0) end = size;
  SetSelection(std::min(start, end), std::abs(end - start));
}

void QtRichEdit::SelectAll() {
  SetSelection(0, TextLength());
}

QString QtRichEdit::DocText(int from, int to, QStringView lineBreak) const {
  // A block at a time: a QTextCursor would lay out the line its position is on.
  QString out;
  const QTextDocument* doc = document();
  QTextBlock block = doc->findBlock(from);
  for (int number = block.blockNumber(); block.isValid() && block.position() < to;
       block = block.next(), ++number) {
    const int begin = std::max(0, from - block.position());
    const int end = to - block.position();
    const QString& text = BlockText(block);
    out += QStringView(text).mid(begin, std::min<int>(end, text.size()) - begin);
    if (end >= block.length() && !lines_[number].soft) out += lineBreak;
  }
  return out;
}

Bytes QtRichEdit::SelText() const {
  const auto [start, end] = SelUnits();
  if (start == end) return Bytes();
  return EncodeCp932(DocText(start, end, u"\u2029"));
}

void QtRichEdit::SetSelTextBuf(const Bytes& text) {
  const auto [start, end] = SelUnits();
  ReplaceUnits(start, end, DecodeCp932(NormalizeLineBreaks(text)), SelColor(), false);
}

void QtRichEdit::ReplaceSelectionAsUser(const Bytes& text) {
  const auto [start, end] = SelUnits();
  ReplaceUnits(start, end, DecodeCp932(NormalizeLineBreaks(text)), SelColor(), true);
}

// --- Text changes -----------------------------------------------------------------------------

void QtRichEdit::ReplaceUnits(int from, int to, const QString& text, TColor color, bool undoable) {
  // The caret goes after the new text as a byte offset, as the text's bytes are the truth.
  const int caretByte = ByteOfPos(from) + BytesOf(text);
  QTextDocument* doc = document();
  ownEdit_ = true;
  textChanged_ = false;
  editColor_ = color;
  if (!undoable) {
    doc->setUndoRedoEnabled(false);  // which ends the history
    undoJournal_.clear();
  }
  // In an edit block a QTextCursor does not lay its line out to remember its x position.
  QTextCursor cursor(doc);
  cursor.beginEditBlock();
  cursor.setPosition(from);
  cursor.setPosition(to, QTextCursor::KeepAnchor);
  if (text.isEmpty())
    cursor.removeSelectedText();
  else
    cursor.insertText(text, QTextCharFormat());
  cursor.endEditBlock();
  Canonicalize(from, cursor.position(), undoable);
  editColor_.reset();
  SplitLongBlocks(undoable);
  if (!undoable) doc->setUndoRedoEnabled(true);
  ownEdit_ = false;
  const int caret = PosOfByte(caretByte, false);
  SetSelUnits(caret, caret);
  insertColor_ = InsertColor{caret, caret, color};
  if (textChanged_) {
    textChanged_ = false;
    RaiseChange();
  }
}

void QtRichEdit::OnContentsChange(int position, int /*removed*/, int added) {
  if (settingText_) return;
  QTextDocument* doc = document();
  ++generation_;
  // Qt's counts can run past the document; the lengths of the lines around the change tell
  // what was removed.
  const int lastPos = doc->characterCount() - 1;
  position = std::clamp(position, 0, lastPos);
  const int end = std::clamp(position + added, position, lastPos);
  added = end - position;
  const QTextBlock first = doc->findBlock(position);
  const QTextBlock last = doc->findBlock(end);
  const int f = first.blockNumber(), l = last.blockNumber();
  const int oldCount = static_cast<int>(lines_.size());
  const int oldLast = l + (oldCount - doc->blockCount());
  if (oldLast < f || oldLast >= oldCount) {
    RebuildLines();
    return;
  }

  std::vector<ColorRun> runs;
  int oldUnits = 0;
  bool hadFormats = false;
  for (int i = f; i <= oldLast; ++i) {
    lines_[i].colors.AppendRuns(lines_[i].units + 1, runs);
    oldUnits += lines_[i].units + 1;
    hadFormats = hadFormats || lines_[i].hasFormats;
  }
  std::vector<int> units, lineUnits;
  std::vector<bool> soft;
  std::vector<LineByteIndex::Block> bytes;
  int newUnits = 0;
  bool longBlock = false;
  QString firstText, lastText;
  for (QTextBlock b = first;; b = b.next()) {
    const QString t = b.text();
    units.push_back(static_cast<int>(t.size()));
    lineUnits.push_back(static_cast<int>(t.size()) + 1);
    soft.push_back(SoftBreakAfter(b));
    bytes.push_back({BytesOf(t), soft.back() || !b.next().isValid() ? 0 : 2});
    newUnits += static_cast<int>(t.size()) + 1;
    longBlock = longBlock || t.size() > kSplitAt;
    if (b == first) firstText = t;
    if (b == last) {
      lastText = t;
      break;
    }
  }
  // What follows an edit (re-decoding at its ends, the caret's byte offset) reads its last
  // block again.
  cachedBlock_ = last;
  cachedText_ = lastText;
  cachedGeneration_ = generation_;
  const int pre = position - first.position();
  const int suf = newUnits - pre - added;
  const int removedUnits = oldUnits - pre - suf;

  TColor color = fontColor_;
  if (editColor_) {
    color = *editColor_;
  } else if (pre > 0) {
    LineColors joined = LineColors::FromRuns(runs.data(), runs.data() + runs.size());
    color = joined.At(pre - 1);
  } else if (f > 0) {
    color = lines_[f - 1].colors.At(lines_[f - 1].units);
  } else if (removedUnits >= 0 && pre + removedUnits < oldUnits) {
    LineColors joined = LineColors::FromRuns(runs.data(), runs.data() + runs.size());
    color = joined.At(pre + removedUnits);
  }
  std::optional<std::vector<TColor>> restored;
  if (suf >= 0 && removedUnits >= 0)
    restored = JournalChange(position, runs, pre, removedUnits, added);
  if (suf < 0 || removedUnits < 0)
    runs.assign(1, ColorRun{newUnits, color});
  else if (restored)
    SpliceColors(runs, pre, removedUnits, *restored);
  else
    SpliceRuns(runs, pre, removedUnits, added, color);
  std::vector<LineColors> colors = SplitRuns(runs, lineUnits, color);

  std::vector<LineInfo> fresh(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    fresh[i].units = units[i];
    fresh[i].soft = soft[i];
    fresh[i].colors = std::move(colors[i]);
    fresh[i].formatsDirty = true;
    fresh[i].hasFormats = hadFormats;
  }
  lines_.Replace(f, oldLast + 1, std::move(fresh));
  index_.Replace(f, oldLast + 1, bytes);
  rowsLaidOut_ = std::min(rowsLaidOut_, f);
  QTextBlock b = first;
  for (int i = f; i <= l && b.isValid(); ++i, b = b.next())
    if (visible_) ApplyFormats(b, lines_[i]);
  // Re-decoding and soft breaks change no bytes.
  if ((added > 0 || removedUnits != 0) && !fixing_) textChanged_ = true;
  if (longBlock) {
    splitFrom_ = splitFrom_ < 0 ? position : std::min(splitFrom_, position);
    splitTo_ = std::max(splitTo_, end);
  }
  lastChangePos_ = position;
  lastChangeAdded_ = added;

  // An edit by the user (typing, a paste, a deletion) that joins a lone lead byte to the byte
  // after it is re-decoded afterwards, as the bytes now read.
  const bool softEdge = (pre == 0 && f > 0 && lines_[f - 1].soft) ||
                        (end - last.position() == units.back() && soft.back());
  if (!ownEdit_ && !fixing_ &&
      (softEdge || longBlock || BreaksDecodingAt(firstText, pre) ||
       BreaksDecodingAt(lastText, end - last.position()))) {
    fixFrom_ = position;
    fixTo_ = end;
    QMetaObject::invokeMethod(this, &QtRichEdit::CanonicalizePending, Qt::QueuedConnection);
  }
}

// Every change the document can undo is kept with the colours of the units it removed. The
// change an undo makes puts back units whose colours are then known: going back through the
// undone changes, latest first, from the colours the undo removes. Returns those colours during
// an undo (when the changes fit together), nothing otherwise.
std::optional<std::vector<TColor>> QtRichEdit::JournalChange(int position,
                                                             const std::vector<ColorRun>& runs,
                                                             int pre, int removed, int added) {
  QTextDocument* doc = document();
  const int steps = doc->availableUndoSteps();
  if (!undoing_) {
    if (!doc->isUndoRedoEnabled()) {
      undoJournal_.clear();
      return std::nullopt;
    }
    // Steps the document dropped (a change that cannot be undone clears them all).
    while (!undoJournal_.empty() && undoJournal_.back().steps > steps) undoJournal_.pop_back();
    JournalEntry entry{position, UnitColors(runs, pre, removed), added, steps, fixing_, {}, {}};
    if (fixing_) {
      entry.oldWidths = std::move(fixWidths_.first);
      entry.newWidths = std::move(fixWidths_.second);
    }
    undoJournal_.push_back(std::move(entry));
    return std::nullopt;
  }
  std::vector<TColor> colors = UnitColors(runs, pre, removed);
  bool fits = true;
  int userChanges = 0;
  undoSelection_.reset();
  while (!undoJournal_.empty() && undoJournal_.back().steps > steps) {
    const JournalEntry& entry = undoJournal_.back();
    const int at = entry.position - position;
    if (at < 0 || at + entry.added > static_cast<int>(colors.size())) fits = false;
    if (fits && entry.fixing) {
      // Re-decoding undone: each character takes the colour its first byte has now.
      if (static_cast<int>(entry.newWidths.size()) != entry.added ||
          entry.oldWidths.size() != entry.removed.size()) {
        fits = false;
      } else {
        const std::vector<TColor> now(colors.begin() + at, colors.begin() + at + entry.added);
        const std::vector<TColor> back = ColorsByFirstByte(entry.newWidths, now, entry.oldWidths);
        colors.erase(colors.begin() + at, colors.begin() + at + entry.added);
        colors.insert(colors.begin() + at, back.begin(), back.end());
      }
    } else if (fits) {
      colors.erase(colors.begin() + at, colors.begin() + at + entry.added);
      colors.insert(colors.begin() + at, entry.removed.begin(), entry.removed.end());
    }
    if (!entry.fixing) {
      ++userChanges;
      undoSelection_ = {entry.position, entry.position + static_cast<int>(entry.removed.size())};
    }
    undoJournal_.pop_back();
  }
  if (userChanges != 1) undoSelection_.reset();
  if (!fits || static_cast<int>(colors.size()) != added) return std::nullopt;
  return colors;
}

void QtRichEdit::OnContentsChanged() {
  if (!textChanged_ || ownEdit_ || settingText_) return;
  textChanged_ = false;
  RaiseChange();
}

void QtRichEdit::RebuildLines() {
  std::vector<ColorRun> runs;
  lines_.ForEach([&](const LineInfo& line) { line.colors.AppendRuns(line.units + 1, runs); });
  std::vector<int> lineUnits;
  std::vector<bool> soft;
  std::vector<LineByteIndex::Block> bytes;
  for (QTextBlock b = document()->firstBlock(); b.isValid(); b = b.next()) {
    const QString t = b.text();
    lineUnits.push_back(static_cast<int>(t.size()) + 1);
    soft.push_back(SoftBreakAfter(b));
    bytes.push_back({BytesOf(t), soft.back() || !b.next().isValid() ? 0 : 2});
  }
  std::vector<LineColors> colors = SplitRuns(runs, lineUnits, fontColor_);
  std::vector<LineInfo> lines(lineUnits.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    lines[i].units = lineUnits[i] - 1;
    lines[i].soft = soft[i];
    lines[i].colors = std::move(colors[i]);
    lines[i].formatsDirty = true;
    lines[i].hasFormats = true;
  }
  lines_.Assign(std::move(lines));
  index_.Assign(bytes);
  rowsLaidOut_ = 0;
  textChanged_ = true;
  if (visible_) FlushFormats();
}

void QtRichEdit::Canonicalize(int from, int to, bool undoable) {
  QTextDocument* doc = document();
  fixing_ = true;
  // The right end first, so that `from` still points where it did; a re-decoded tail adds the
  // end of its block, where a lead byte may now stand alone before the next chunk.
  std::vector<int> points{to, from};
  for (std::size_t k = 0; k < points.size(); ++k) {
    int p = std::clamp(points[k], 0, DocLength() - 1);
    const int removed = JoinAcrossSoftBreak(p, undoable);
    if (removed >= 0) {
      for (std::size_t j = k + 1; j < points.size(); ++j)
        if (points[j] > removed) --points[j];
      if (p > removed) --p;
    }
    const Spot spot = SpotAt(p);
    const QTextBlock block = spot.block;
    const QString text = BlockText(block);
    const int off = p - spot.position;
    if (!BreaksDecodingAt(text, off)) continue;
    const int begin = std::max(0, off - 1);
    const QString tail = text.mid(begin);
    const QString fixed = DecodeCp932(EncodeCp932(tail));
    qsizetype same = 0;
    while (same < tail.size() && same < fixed.size() && tail[same] == fixed[same]) ++same;
    qsizetype sameEnd = 0;
    while (sameEnd < tail.size() - same && sameEnd < fixed.size() - same &&
           tail[tail.size() - 1 - sameEnd] == fixed[fixed.size() - 1 - sameEnd])
      ++sameEnd;
    const int at = block.position() + begin + static_cast<int>(same);
    const QString newMid = fixed.mid(same, fixed.size() - same - sameEnd);
    const std::vector<TColor> colors =
        RedecodedColors(at, tail.mid(same, tail.size() - same - sameEnd), newMid);
    const std::optional<TColor> saved = editColor_;
    editColor_ = UnitColor(at);
    fixWidths_ = {UnitWidths(tail.mid(same, tail.size() - same - sameEnd)), UnitWidths(newMid)};
    QTextCursor cursor(doc);
    if (undoable)
      cursor.joinPreviousEditBlock();
    else
      cursor.beginEditBlock();
    cursor.setPosition(at);
    cursor.setPosition(block.position() + begin + static_cast<int>(tail.size() - sameEnd),
                       QTextCursor::KeepAnchor);
    cursor.insertText(newMid, QTextCharFormat());
    cursor.endEditBlock();
    editColor_ = saved;
    const QTextBlock fixedBlock = doc->findBlock(at);
    SetUnitColors(fixedBlock, at - fixedBlock.position(), colors);
    points.push_back(fixedBlock.position() + fixedBlock.length() - 1);
  }
  fixing_ = false;
}

// The colours of the characters that re-decoding makes of the units from `at` on: each takes
// the colour of the old unit its first byte was in (a variation selector its character's), so
// that a character has its first byte's colour and no other byte changes colour.
std::vector<TColor> QtRichEdit::RedecodedColors(int at, const QString& oldText,
                                                const QString& newText) const {
  std::vector<std::pair<int, TColor>> oldStarts;  // byte offset of each old unit, its colour
  int byte = 0;
  for (int u = 0; u < oldText.size(); ++u) {
    oldStarts.emplace_back(byte, UnitColor(at + u));
    byte += Cp932Width(oldText[u].unicode());
  }
  std::vector<TColor> colors;
  byte = 0;
  std::size_t k = 0;
  for (const QChar c : newText) {
    const int width = Cp932Width(c.unicode());
    if (width == 0 && !colors.empty()) {
      colors.push_back(colors.back());
      continue;
    }
    while (k + 1 < oldStarts.size() && oldStarts[k + 1].first <= byte) ++k;
    colors.push_back(oldStarts.empty() ? fontColor_ : oldStarts[k].second);
    byte += width;
  }
  return colors;
}

void QtRichEdit::SetUnitColors(const QTextBlock& block, int from,
                               const std::vector<TColor>& colors) {
  LineInfo& line = lines_[block.blockNumber()];
  for (std::size_t i = 0; i < colors.size();) {
    std::size_t j = i + 1;
    while (j < colors.size() && colors[j] == colors[i]) ++j;
    line.colors.Fill(from + static_cast<int>(i), from + static_cast<int>(j), colors[i],
                     line.units + 1);
    i = j;
  }
  line.formatsDirty = true;
  if (!visible_) return;
  ApplyFormats(block, line);
  layout_->ColorsChanged(block.position(), block.length());
}

int QtRichEdit::JoinAcrossSoftBreak(int pos, bool undoable) {
  if (index_.Count() == index_.LineCount()) return -1;  // no line is held in chunks
  QTextDocument* doc = document();
  const QTextBlock block = doc->findBlock(pos);
  int soft = -1;  // the position of the soft break at pos
  if (pos == block.position() && block.previous().isValid() && SoftBreakAfter(block.previous()))
    soft = pos - 1;
  else if (pos == block.position() + block.length() - 1 && SoftBreakAfter(block))
    soft = pos;
  if (soft < 0) return -1;
  const QTextBlock before = doc->findBlock(soft);
  const QString a = before.text(), b = before.next().text();
  if (a.isEmpty() || b.isEmpty() || !BreaksDecodingAt(QString(a.back()) + b.front(), 1)) return -1;
  // The bytes on its two sides pair up: the chunks are one block again.
  QTextCursor cursor(doc);
  if (undoable)
    cursor.joinPreviousEditBlock();
  else
    cursor.beginEditBlock();
  cursor.setPosition(soft);
  cursor.setPosition(soft + 1, QTextCursor::KeepAnchor);
  cursor.removeSelectedText();
  cursor.endEditBlock();
  return soft;
}

void QtRichEdit::SplitLongBlocks(bool undoable) {
  if (splitFrom_ < 0) return;
  QTextDocument* doc = document();
  const int last = doc->characterCount() - 1;
  const QTextBlock first = doc->findBlock(std::min(splitFrom_, last));
  QTextBlock block = doc->findBlock(std::min(splitTo_, last));
  splitFrom_ = splitTo_ = -1;
  fixing_ = true;
  // From the last block back, and in a block from its last cut back, so that positions before
  // each cut stay where they are; each cut is an edit of its own, so that the change Qt reports
  // is exactly the new break.
  while (block.isValid()) {
    const QTextBlock previous = block.previous();
    if (block.length() - 1 > kSplitAt) {
      const int base = block.position();
      const std::vector<int> cuts = ChunkCuts(block.text());
      for (auto cut = cuts.rbegin(); cut != cuts.rend(); ++cut) {
        QTextCursor cursor(doc);
        if (undoable)
          cursor.joinPreviousEditBlock();
        else
          cursor.beginEditBlock();
        cursor.setPosition(base + *cut);
        cursor.insertBlock(QTextBlockFormat(), SoftBreakFormat());
        cursor.endEditBlock();
      }
    }
    if (block == first) break;
    block = previous;
  }
  fixing_ = false;
}

void QtRichEdit::CanonicalizePending() {
  if (fixFrom_ >= 0) {
    const int from = fixFrom_, to = fixTo_;
    fixFrom_ = fixTo_ = -1;
    Canonicalize(from, to, true);
  }
  SplitLongBlocks(true);
}

TColor QtRichEdit::UnitColor(int pos) const {
  if (pos < 0 || pos >= DocLength()) return fontColor_;
  const Spot& spot = SpotAt(pos);
  return lines_[spot.number].colors.At(pos - spot.position);
}

// --- Formatting -------------------------------------------------------------------------------

TColor QtRichEdit::SelColor() const {
  const auto [start, end] = SelUnits();
  if (insertColor_ && insertColor_->start == start && insertColor_->end == end)
    return insertColor_->color;
  if (end > start) return UnitColor(start);
  if (start > 0) return UnitColor(start - 1);
  return DocLength() <= 1 ? fontColor_ : UnitColor(0);
}

void QtRichEdit::SetSelColor(TColor color) {
  const auto [start, end] = SelUnits();
  insertColor_ = InsertColor{start, end, color};
  if (start == end) return;
  const Spot spot = SpotAt(start);
  QTextBlock block = spot.block;
  int number = spot.number;
  int pos = spot.position;
  for (; block.isValid() && pos < end; pos += block.length(), block = block.next(), ++number) {
    LineInfo& line = lines_[number];
    line.colors.Fill(start - pos, end - pos, color, line.units + 1);
    line.formatsDirty = true;
    if (visible_) ApplyFormats(block, line);
  }
  // One notice for the whole range: a single line is laid out again at once, several lines
  // when they are next shown.
  if (visible_) layout_->ColorsChanged(spot.position, pos - spot.position);
  rowsLaidOut_ = std::min(rowsLaidOut_, spot.number);
}

TColor QtRichEdit::ColorAt(int pos) const {
  if (pos < 0 || pos >= TextLength()) return SelColor();
  return UnitColor(PosOfByte(pos, false));
}

const QTextCharFormat& QtRichEdit::FormatFor(TColor color) {
  for (const auto& [c, format] : formats_)
    if (c == color) return format;
  QTextCharFormat format;
  format.setForeground(ToQColor(color));
  formats_.emplace_back(color, format);
  return formats_.back().second;
}

void QtRichEdit::ApplyFormats(const QTextBlock& block, LineInfo& line) {
  QList<QTextLayout::FormatRange> ranges;
  if (!line.colors.IsUniform() || line.colors.UniformColor() != fontColor_) {
    std::vector<ColorRun> runs;
    line.colors.AppendRuns(line.units + 1, runs);
    int at = 0;
    for (const ColorRun& run : runs) {
      const int length = std::min(run.length, line.units - at);
      if (length > 0 && run.color != fontColor_)
        ranges.append(QTextLayout::FormatRange{at, length, FormatFor(run.color)});
      at += run.length;
      if (at >= line.units) break;
    }
  }
  line.formatsDirty = false;
  if (ranges.isEmpty() && !line.hasFormats) return;
  block.layout()->setFormats(ranges);
  line.hasFormats = !ranges.isEmpty();
}

void QtRichEdit::FlushFormats() {
  QTextDocument* doc = document();
  int from = -1, to = -1;
  int i = 0;
  lines_.ForEach([&](LineInfo& line) {
    if (line.formatsDirty) {
      const QTextBlock block = doc->findBlockByNumber(i);
      ApplyFormats(block, line);
      if (from < 0) {
        from = block.position();
        rowsLaidOut_ = std::min(rowsLaidOut_, i);
      }
      to = block.position() + block.length();
    }
    ++i;
  });
  if (from >= 0) layout_->ColorsChanged(from, to - from);
}

void QtRichEdit::MarkAllFormatsDirty() {
  lines_.ForEach([&](LineInfo& line) {
    if (line.hasFormats || !line.colors.IsUniform() || line.colors.UniformColor() != fontColor_)
      line.formatsDirty = true;
  });
}

void QtRichEdit::ApplyPalette() {
  QPalette p = palette();
  p.setColor(QPalette::Text, ToQColor(fontColor_));
  p.setColor(QPalette::Base, ToQColor(background_));
  setPalette(p);
}

void QtRichEdit::SetFont(const FontSpec& font) {
  font_ = font;
  QFont f(QString::fromStdString(font.name));
  f.setPointSize(std::max(1, font.size));
  f.setItalic(font.italic);
  f.setBold(font.bold);
  setFont(f);
  rowsLaidOut_ = 0;
}

void QtRichEdit::SetFontColor(TColor color) {
  fontColor_ = color;
  ApplyPalette();
  MarkAllFormatsDirty();
  if (visible_) FlushFormats();
}

void QtRichEdit::SetColor(TColor color) {
  background_ = color;
  ApplyPalette();
}

// --- Lines and scrolling ----------------------------------------------------------------------

void QtRichEdit::EnsureRowsThrough(int blockNumber) const {
  if (rowsLaidOut_ > blockNumber) return;
  auto* layout = qobject_cast<QPlainTextDocumentLayout*>(document()->documentLayout());
  for (QTextBlock b = document()->findBlockByNumber(rowsLaidOut_);
       b.isValid() && rowsLaidOut_ <= blockNumber; b = b.next(), ++rowsLaidOut_)
    if (b.layout()->lineCount() == 0) layout->ensureBlockLayout(b);
}

void QtRichEdit::EnsureRowsThroughRow(int row) const {
  const QTextDocument* doc = document();
  if (rowsLaidOut_ > 0) {
    const QTextBlock done = doc->findBlockByNumber(rowsLaidOut_ - 1);
    if (done.firstLineNumber() + done.lineCount() > row) return;
  }
  auto* layout = qobject_cast<QPlainTextDocumentLayout*>(doc->documentLayout());
  for (QTextBlock b = doc->findBlockByNumber(rowsLaidOut_); b.isValid(); b = b.next()) {
    if (b.layout()->lineCount() == 0) layout->ensureBlockLayout(b);
    ++rowsLaidOut_;
    if (b.firstLineNumber() + b.lineCount() > row) break;
  }
}

int QtRichEdit::LineFromChar(int pos) const {
  const int unit = pos < 0 ? SelUnits().first : PosOfByte(std::min(pos, TextLength()), false);
  const Spot& spot = SpotAt(unit);
  if (!wordWrap_) return index_.LineOfBlock(spot.number);
  const QTextBlock block = spot.block;
  EnsureRowsThrough(spot.number);
  const QTextLine row = block.layout()->lineForTextPosition(unit - block.position());
  return block.firstLineNumber() + (row.isValid() ? row.lineNumber() : 0);
}

int QtRichEdit::LineIndex(int line) const {
  if (line < 0) line = LineFromChar(-1);
  const QTextDocument* doc = document();
  if (!wordWrap_) {
    const int block = index_.FirstBlockOfLine(line);
    return block < 0 ? -1 : index_.Start(block);
  }
  EnsureRowsThroughRow(line);
  if (line >= doc->lineCount()) return -1;
  const QTextBlock block = doc->findBlockByLineNumber(line);
  const QTextLine row = block.layout()->lineAt(line - block.firstLineNumber());
  return ByteOfPos(block.position() + (row.isValid() ? row.textStart() : 0));
}

void QtRichEdit::ScrollCaret() {
  if (!visible_) {
    // In a batch the view stays where it is; the last two scrolls are made when it ends, which
    // leaves the view where all of them would (a pass scrolls to the end of the text and back
    // to the caret, or to thousands of matches and then the end).
    std::pair<int, int> selection{selAnchor_, selPos_};
    if (!selPending_) selection = {textCursor().anchor(), textCursor().position()};
    if (scrollsPending_.size() == 2) scrollsPending_.erase(scrollsPending_.begin());
    scrollsPending_.push_back(selection);
    return;
  }
  PushSelection();
  ensureCursorVisible();
}

void QtRichEdit::Scroll(int code) {
  if (code == 2) verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
  if (code == 3) verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
}

void QtRichEdit::Undo() {
  PushSelection();
  if (!document()->isUndoAvailable()) return;
  lastChangePos_ = -1;
  undoSelection_.reset();
  undoing_ = true;
  undo();
  undoing_ = false;
  insertColor_.reset();  // a colour chosen for the next text belonged to the old selection
  // As the control does: the text the undo put back is selected (without the neighbours that
  // re-decoding changed with it).
  if (undoSelection_)
    SetSelUnits(undoSelection_->first, undoSelection_->second);
  else if (lastChangePos_ >= 0)
    SetSelUnits(lastChangePos_, lastChangePos_ + lastChangeAdded_);
  fixFrom_ = fixTo_ = splitFrom_ = splitTo_ = -1;
}

bool QtRichEdit::CanUndo() const {
  return document()->isUndoAvailable();
}

// --- View -------------------------------------------------------------------------------------

void QtRichEdit::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (!visible) return;
  if (focusPending_) {
    focusPending_ = false;
    TakeFocus();
  }
  PushSelection();
  FlushFormats();
  if (!scrollsPending_.empty()) {
    const QTextCursor final = textCursor();
    const int last = document()->characterCount() - 1;
    for (const auto& [anchor, pos] : scrollsPending_) {
      SelectWithoutScrolling(std::min(anchor, last), std::min(pos, last));
      ensureCursorVisible();
    }
    scrollsPending_.clear();
    SelectWithoutScrolling(final.anchor(), final.position());
  }
}

void QtRichEdit::SetFocus() {
  if (!visible_) {
    focusPending_ = true;
    return;
  }
  TakeFocus();
}

void QtRichEdit::TakeFocus() {
  // The focus inside a window that is not the active one (the find dialog is) would reach the
  // keys only once the user clicks the window: its window becomes the active one too, unless a
  // modal dialog holds the keys.
  QWidget* top = window();
  if (top->isVisible() && !top->isActiveWindow() && !QApplication::activeModalWidget())
    top->activateWindow();
  setFocus();
}

void QtRichEdit::SetWordWrap(bool wrap) {
  wordWrap_ = wrap;
  setLineWrapMode(wrap ? WidgetWidth : NoWrap);
  rowsLaidOut_ = 0;
}

void QtRichEdit::paintEvent(QPaintEvent* e) {
  QPlainTextEdit::paintEvent(e);
  const QTextBlock first = firstVisibleBlock();
  const QTextBlock last = cursorForPosition(QPoint(0, viewport()->height() - 1)).block();
  layout_->SetPainted(first.blockNumber(), last.blockNumber());
}

void QtRichEdit::resizeEvent(QResizeEvent* e) {
  QPlainTextEdit::resizeEvent(e);
  rowsLaidOut_ = 0;
}

void QtRichEdit::changeEvent(QEvent* e) {
  QPlainTextEdit::changeEvent(e);
  if (e->type() == QEvent::FontChange) rowsLaidOut_ = 0;
}

// --- Clipboard and search ---------------------------------------------------------------------

void QtRichEdit::CutToClipboard() {
  PushSelection();
  if (!textCursor().hasSelection()) return;
  cut();
  CanonicalizePending();
}

void QtRichEdit::CopyToClipboard() {
  PushSelection();
  copy();
}

void QtRichEdit::PasteFromClipboard() {
  PushSelection();
  paste();
}

bool QtRichEdit::ClipboardHasText() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data && data->hasText() && !data->text().isEmpty();
}

int QtRichEdit::FindText(const Bytes& needle, int start, int length, FindOptions options) const {
  if (needle.empty()) return -1;
  const int total = TextLength();
  const int fromUnit = PosOfByte(start, false);
  const int from = ByteOfPos(fromUnit);
  const int to = static_cast<int>(
      std::min<long long>(total, static_cast<long long>(from) + std::max(0, length)));
  if (from >= to) return -1;
  // The whole text, encoded by a search that had to read far, serves every search until the
  // text changes (Find Next again and again, a whole-word search of the whole document).
  if (textCacheGeneration_ == generation_)
    return FindSjisText(textCache_, needle, from, to - from, options);
  // Otherwise the bytes are encoded a block at a time, from the character before the range
  // (whole word looks at it), until a match is found or the byte after the range is in: Find
  // Next and Replace All find most matches near where they start. The pieces searched grow
  // twice as large each time, and each search looks again at the bytes a match ending in the
  // new pieces can start from.
  constexpr int kFirstStep = 256;
  constexpr int kSearchStep = 16 * 1024;
  constexpr int kBlockwise = 64 * 1024;
  const int firstUnit = from > 0 ? PosOfByte(from - 1, false) : fromUnit;
  const int bufStart = ByteOfPos(firstUnit);
  const int needleBytes = static_cast<int>(needle.size());
  // The buffer is kept from call to call: its memory is ready (Replace All finds thousands).
  Bytes& buf = findBuffer_;
  buf.clear();
  std::vector<int> pieceStarts;  // character boundaries in buf
  int searched = 0;              // every match ending at or before it has been looked for
  int step = 0;                  // the first block is searched on its own
  auto search = [&](bool done) {
    const int bufEnd = bufStart + static_cast<int>(buf.size());
    const int reach = std::max(0, searched - needleBytes + 1);
    const auto k = std::upper_bound(pieceStarts.begin(), pieceStarts.end(), reach) - 1;
    const int searchFrom = std::max(from - bufStart, *k);
    int limit = std::min(to, bufEnd) - bufStart;
    // A match ending where the buffer ends waits for the next byte (whole word looks at it).
    if (!done && bufEnd <= to) --limit;
    int found = -1;
    if (limit > searchFrom)
      found = FindSjisText(buf, needle, searchFrom, limit - searchFrom, options);
    searched = std::max(searched, limit);
    return found < 0 ? -1 : bufStart + found;
  };
  const int blocks = static_cast<int>(lines_.size());

  QTextBlock block = document()->findBlock(firstUnit);
  int number = block.blockNumber();
  for (int offset = firstUnit - block.position();; offset = 0) {
    pieceStarts.push_back(static_cast<int>(buf.size()));
    AppendCp932(QStringView(block.text()).mid(offset), buf);
    const bool last = number + 1 >= blocks;
    if (!last && !lines_[number].soft) buf += "\r\n";
    const bool done = last || bufStart + static_cast<int>(buf.size()) > to;
    if (done || static_cast<int>(buf.size()) - searched >= step) {
      const int found = search(done);
      if (found >= 0 || done) return found;
      step = std::min(std::max(2 * step, kFirstStep), kSearchStep);
    }
    ++number;
    if (static_cast<int>(buf.size()) >= kBlockwise) break;
    block = block.next();
  }

  textCache_ = Text();
  textCacheGeneration_ = generation_;
  return FindSjisText(textCache_, needle, from, to - from, options);
}

// --- Input ------------------------------------------------------------------------------------

bool QtRichEdit::event(QEvent* e) {
  switch (e->type()) {
    case QEvent::KeyPress:
    case QEvent::InputMethod:
    case QEvent::ContextMenu:
    case QEvent::FocusIn:
      PushSelection();
      break;
    case QEvent::FocusOut:  // the input method commits what it composed
      composing_ = false;
      break;
    default:
      break;
  }
  // Menu shortcuts come first, as a window's menu shortcuts do; a key no action takes still
  // reaches keyPressEvent.
  if (e->type() == QEvent::ShortcutOverride && !composing_) {
    e->ignore();
    return true;
  }
  return QPlainTextEdit::event(e);
}

QString QtRichEdit::FilterTyped(const QString& typed, bool* changed) {
  const Bytes bytes = typed == u"\r" ? Bytes("\r") : EncodeCp932(ToCp932Storable(typed));
  Bytes kept;
  for (char byte : bytes) {
    char key = byte;
    if (onKeyPress) onKeyPress(key);
    // The control inserts no Esc.
    if (key != 0 && key != 27) kept += key;
  }
  *changed = kept != bytes;
  return DecodeCp932(NormalizeLineBreaks(kept));
}

void QtRichEdit::InsertTyped(const QString& text) {
  if (text.isEmpty()) return;
  PushSelection();
  editColor_ = SelColor();
  QTextCursor cursor = textCursor();
  cursor.insertText(text, QTextCharFormat());
  setTextCursor(cursor);
  editColor_.reset();
  CanonicalizePending();
  ensureCursorVisible();
}

void QtRichEdit::keyPressEvent(QKeyEvent* e) {
  if (composing_) {  // the input method's keys
    QPlainTextEdit::keyPressEvent(e);
    return;
  }
  int vk = VirtualKeyFromQt(e->key());
  const int pressed = vk;
  if (onKeyDown) onKeyDown(vk, ShiftStateFromQt(e->modifiers()));

  QString typed;
  switch (e->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      typed = QStringLiteral("\t");
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      typed = QStringLiteral("\r");
      break;
    case Qt::Key_Escape:
      typed = QString(QChar(27));
      break;
    default:
      if (IsPrintable(e->text())) typed = e->text();
  }
  const bool shortcut = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  if (shortcut || typed.isEmpty()) {
    if (vk == 0 && pressed != 0) {
      e->accept();
      return;
    }
    if (e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete)
      StepOverSoftBreak(e->key() == Qt::Key_Backspace);
    QPlainTextEdit::keyPressEvent(e);
    CanonicalizePending();
    return;
  }
  e->accept();
  bool changed = false;
  InsertTyped(FilterTyped(typed, &changed));
}

void QtRichEdit::StepOverSoftBreak(bool backward) {
  // A soft break is no character: Backspace and Delete next to one take the character beyond.
  QTextCursor cursor = textCursor();
  if (cursor.hasSelection()) return;
  const QTextBlock block = cursor.block();
  const int pos = cursor.position();
  if (backward && pos == block.position() && block.previous().isValid() &&
      lines_[block.blockNumber() - 1].soft)
    cursor.setPosition(pos - 1);
  else if (!backward && pos == block.position() + block.length() - 1 &&
           lines_[block.blockNumber()].soft)
    cursor.setPosition(pos + 1);
  else
    return;
  setTextCursor(cursor);
}

void QtRichEdit::keyReleaseEvent(QKeyEvent* e) {
  if (!composing_ && !e->isAutoRepeat() && onKeyUp)
    onKeyUp(VirtualKeyFromQt(e->key()), ShiftStateFromQt(e->modifiers()));
  QPlainTextEdit::keyReleaseEvent(e);
}

void QtRichEdit::mousePressEvent(QMouseEvent* e) {
  PushSelection();
  QPlainTextEdit::mousePressEvent(e);
  if (onMouseDown) onMouseDown();
}

void QtRichEdit::inputMethodEvent(QInputMethodEvent* e) {
  PushSelection();
  composing_ = !e->preeditString().isEmpty();
  if (e->commitString().isEmpty()) {
    QPlainTextEdit::inputMethodEvent(e);
    return;
  }
  bool changed = false;
  const QString commit = FilterTyped(e->commitString(), &changed);
  editColor_ = SelColor();
  if (commit == e->commitString()) {
    QPlainTextEdit::inputMethodEvent(e);
  } else {
    QInputMethodEvent converted(e->preeditString(), e->attributes());
    converted.setCommitString(commit, e->replacementStart(), e->replacementLength());
    QPlainTextEdit::inputMethodEvent(&converted);
  }
  editColor_.reset();
  CanonicalizePending();
}

QMimeData* QtRichEdit::createMimeDataFromSelection() const {
  const QTextCursor cursor = textCursor();
  auto* data = new QMimeData;
  data->setText(DocText(cursor.selectionStart(), cursor.selectionEnd(), u"\n"));
  return data;
}

bool QtRichEdit::canInsertFromMimeData(const QMimeData* source) const {
  return source && (source->hasText() || !LocalFiles(source).empty());
}

void QtRichEdit::insertFromMimeData(const QMimeData* source) {
  if (!source || !source->hasText()) return;
  InsertTyped(DecodeCp932(EncodeCp932(ToCp932Storable(source->text()))));
}

void QtRichEdit::dragEnterEvent(QDragEnterEvent* e) {
  if (!LocalFiles(e->mimeData()).empty()) {
    e->acceptProposedAction();
    return;
  }
  QPlainTextEdit::dragEnterEvent(e);
}

void QtRichEdit::dragMoveEvent(QDragMoveEvent* e) {
  if (!LocalFiles(e->mimeData()).empty()) {
    e->acceptProposedAction();
    return;
  }
  QPlainTextEdit::dragMoveEvent(e);
}

void QtRichEdit::dropEvent(QDropEvent* e) {
  const std::vector<std::string> files = LocalFiles(e->mimeData());
  if (!files.empty()) {
    e->acceptProposedAction();
    if (onFilesDropped) onFilesDropped(files);
    return;
  }
  QPlainTextEdit::dropEvent(e);
  CanonicalizePending();
}

}  // namespace pemrin::qt
