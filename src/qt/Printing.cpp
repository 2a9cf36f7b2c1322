#include "Printing.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>
#include <QTimer>
#include <filesystem>
#include <string_view>

#include "Cp932Codec.h"
#include "TColorQColor.h"
#include "editor/Sjis.h"

namespace pemrin::qt {

namespace {

QFont FontOf(const FontSpec& editorFont) {
  QFont font(QString::fromStdString(editorFont.name));
  font.setPointSize(editorFont.size > 0 ? editorFont.size : 10);
  font.setItalic(editorFont.italic);
  font.setBold(editorFont.bold);
  return font;
}

// The decoded text of bytes, with CR LF as the document's paragraph break.
QString Decode(std::string_view bytes) {
  QString text = DecodeCp932(bytes);
  text.replace(QStringLiteral("\r\n"), QString(QChar::ParagraphSeparator));
  return text;
}

[[noreturn]] void CannotStart(const QPrinter& printer) {
  if (printer.outputFormat() == QPrinter::PdfFormat) {
    throw PemrinError("ファイル " + printer.outputFileName().toStdString() + " を作成できません");
  }
  throw PemrinError("プリンタ " + printer.printerName().toStdString() + " で印刷できません");
}

}  // namespace

std::unique_ptr<QTextDocument> DocumentToPrint(const EditorControl& editor) {
  auto document = std::make_unique<QTextDocument>();
  document->setUndoRedoEnabled(false);
  const QFont font = FontOf(editor.Font());
  document->setDefaultFont(font);
  document->setDocumentMargin(0);

  const Bytes text = editor.Text();
  QTextCursor cursor(document.get());
  QTextCharFormat format;
  format.setFont(font);
  // One insertion per run of characters of one colour.
  std::size_t runStart = 0;
  TColor runColor = text.empty() ? editor.FontColor() : editor.ColorAt(0);
  auto flush = [&](std::size_t end) {
    if (end == runStart) return;
    format.setForeground(QColorFromTColor(runColor));
    cursor.insertText(Decode(std::string_view(text).substr(runStart, end - runStart)), format);
    runStart = end;
  };
  for (std::size_t i = 0; i < text.size();) {
    const bool lineBreak = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
    const std::size_t length = lineBreak ? 2 : SjisCharLength(text.data(), text.size(), i);
    if (!lineBreak) {
      const TColor color = editor.ColorAt(static_cast<int>(i));
      if (color != runColor) {
        flush(i);
        runColor = color;
      }
    }
    i += length;
  }
  flush(text.size());
  return document;
}

void PrintDocument(QTextDocument& document, const QColor& background, QPrinter& printer,
                   const QString& title) {
  printer.setDocName(title);
  QPainter painter;
  if (!painter.begin(&printer)) CannotStart(printer);

  // The printable area of the page, the painter's origin at its top-left corner.
  const QSizeF page = printer.pageRect(QPrinter::DevicePixel).size();
  document.documentLayout()->setPaintDevice(&printer);
  QTextOption option = document.defaultTextOption();
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  option.setTabStopDistance(QFontMetricsF(document.defaultFont(), &printer).horizontalAdvance(' ') *
                            8);
  document.setDefaultTextOption(option);
  document.setPageSize(page);

  const int pages = std::max(1, document.pageCount());
  for (int index = 0; index < pages; ++index) {
    if (index > 0 && !printer.newPage()) CannotStart(printer);
    const QRectF area(QPointF(0, 0), page);
    painter.fillRect(area, background);
    painter.save();
    painter.setClipRect(area);
    painter.translate(0, -index * page.height());
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, index * page.height(), page.width(), page.height());
    document.documentLayout()->draw(&painter, context);
    painter.restore();
  }
  if (!painter.end()) CannotStart(printer);
}

Printing::Printing(QWidget* parent)
    : QObject(parent),
      parent_(parent),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

Printing::~Printing() = default;

void Printing::Setup() {
  QPageSetupDialog dialog(printer_.get(), parent_);
  dialog.exec();
}

bool Printing::Print(const EditorControl& editor, const QString& title) {
  const QPageLayout layout = printer_->pageLayout();
  if (!QPrinterInfo::availablePrinterNames().isEmpty()) {
    printer_->setOutputFormat(QPrinter::NativeFormat);
    printer_->setPageLayout(layout);
    std::unique_ptr<QTextDocument> document = DocumentToPrint(editor);
    PrintDocument(*document, QColorFromTColor(editor.Color()), *printer_, title);
    return true;
  }

  // No printer: into a PDF file. It is written beside its place under a name of its own and
  // takes that place only when complete, so a failed print leaves no half-written file.
  // The suggestion: the document's name with ".pdf", in the document's folder.
  const QFileInfo document(title);
  const QString suggested =
      title.isEmpty() ? QDir::home().filePath(QStringLiteral("document.pdf"))
                      : document.absoluteDir().filePath(document.completeBaseName() + ".pdf");
  const std::optional<QString> path =
      choosePdfFile ? choosePdfFile(suggested) : AskPdfFile(suggested);
  if (!path || path->isEmpty()) return false;
  const QString target = QFileInfo(*path).absoluteFilePath();
  QTemporaryFile partial(target + QStringLiteral(".XXXXXX"));
  if (!partial.open()) {
    throw PemrinError("ファイル " + target.toStdString() + " を作成できません");
  }
  partial.close();
  printer_->setOutputFormat(QPrinter::PdfFormat);
  printer_->setPageLayout(layout);
  printer_->setOutputFileName(partial.fileName());
  std::unique_ptr<QTextDocument> printed = DocumentToPrint(editor);
  try {
    PrintDocument(*printed, QColorFromTColor(editor.Color()), *printer_, title);
  } catch (const PemrinError&) {
    throw PemrinError("ファイル " + target.toStdString() + " を作成できません");
  }
  partial.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                         QFile::ReadOther);
  std::error_code error;
  std::filesystem::rename(partial.fileName().toStdString(), target.toStdString(), error);
  if (error) throw PemrinError("ファイル " + target.toStdString() + " を作成できません");
  partial.setAutoRemove(false);
  return true;
}

// A save dialog for the PDF file, the focus in its name field, so that a typed path and Enter
// print there.
std::optional<QString> Printing::AskPdfFile(const QString& suggested) {
  QFileDialog dialog(parent_);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setWindowTitle(QString::fromUtf8("PDFファイルに印刷"));
  dialog.setNameFilter(QString::fromUtf8("PDFファイル (*.pdf)"));
  dialog.setDefaultSuffix(QStringLiteral("pdf"));
  dialog.setDirectory(QFileInfo(suggested).absolutePath());
  dialog.selectFile(QFileInfo(suggested).fileName());
  QTimer::singleShot(0, &dialog, [&dialog] {
    if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
      name->setFocus(Qt::OtherFocusReason);
      name->selectAll();
    }
  });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first();
}

}  // namespace pemrin::qt
