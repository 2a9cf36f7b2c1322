#pragma once
// Printing the editor's document: the whole text, its colours and font as shown, page by page
// over the printable area, with no header, footer or page number. One QPrinter holds the
// printer, paper and orientation that the printer set-up dialog edits and printing uses. With
// no printer installed, printing goes into a PDF file the user names.

#include <QColor>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "editor/EditorControl.h"

class QPrinter;
class QTextDocument;
class QWidget;

namespace pemrin::qt {

// The editor's whole text as a document to print: every character in its colour, the editor's
// font, tab stops every eight spaces.
std::unique_ptr<QTextDocument> DocumentToPrint(const EditorControl& editor);

// Lays document out on printer's pages and prints it, each page filled with background first;
// the job is named title. Raises the program's error when the printer or the file cannot be
// started.
void PrintDocument(QTextDocument& document, const QColor& background, QPrinter& printer,
                   const QString& title);

// Owned by the window whose dialogs it shows.
class Printing : public QObject {
  Q_OBJECT

 public:
  explicit Printing(QWidget* parent);
  ~Printing() override;

  QPrinter& Printer() { return *printer_; }

  // The printer set-up dialog on the printer that Print uses; cancelling changes nothing.
  void Setup();

  // Prints the editor's whole text as one job named title. With no printer installed it asks
  // for a PDF file first; returns false when that was cancelled.
  bool Print(const EditorControl& editor, const QString& title);

  // Asks for the PDF file to print into, suggesting the document's path with ".pdf";
  // by default a save dialog. Tests put their own answer here.
  std::function<std::optional<QString>(const QString& suggested)> choosePdfFile;

 private:
  std::optional<QString> AskPdfFile(const QString& suggested);

  QWidget* parent_;
  std::unique_ptr<QPrinter> printer_;
};

}  // namespace pemrin::qt
