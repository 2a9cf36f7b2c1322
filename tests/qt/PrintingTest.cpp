// Printing the document into a PDF (as on a desktop without a printer), read back with
// pdftotext, pdfinfo and pdftoppm.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

#include "editor/MemoryEditor.h"
#include "qt/Cp932Codec.h"
#include "qt/Printing.h"

namespace pemrin::qt {
namespace {

// Runs a poppler tool on a file; its standard output.
QString Poppler(const QString& tool, QStringList arguments) {
  QProcess process;
  process.start(tool, arguments);
  EXPECT_TRUE(process.waitForFinished(30000)) << tool.toStdString();
  EXPECT_EQ(process.exitCode(), 0)
      << tool.toStdString() << ": " << process.readAllStandardError().toStdString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

class Printing : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!QPrinterInfo::availablePrinterNames().isEmpty()) {
      GTEST_SKIP() << "a printer is installed: printing would not go into a PDF";
    }
    ASSERT_TRUE(dir.isValid());
    printing.choosePdfFile = [this](const QString& suggested) -> std::optional<QString> {
      suggestions << suggested;
      return answer;
    };
  }

  // A document of many lines in Japanese and ASCII, some of it coloured.
  void FillDocument(int lines) {
    Bytes text;
    for (int i = 1; i <= lines; ++i) {
      // "第N行 日本語の<B>テキスト</B>"
      text += EncodeCp932(QString::fromUtf8("第%1行 日本語の<B>テキスト</B> line %1").arg(i));
      if (i < lines) text += "\r\n";
    }
    editor.SetText(text);
    editor.SetSel(0, 10);  // "第1行 日本"
    editor.SetSelColor(0x0000FF);
  }

  QString Pdf() const { return dir.filePath("out.pdf"); }

  QTemporaryDir dir;
  MemoryEditor editor;
  pemrin::qt::Printing printing{nullptr};
  std::optional<QString> answer;
  QStringList suggestions;
};

TEST_F(Printing, TheWholeDocumentGoesIntoThePdfNamedByTheUser) {
  FillDocument(150);
  editor.SetSel(5, 10);  // a selection does not limit what is printed
  answer = Pdf();
  ASSERT_TRUE(printing.Print(editor, "/home/user/pages/index.html"));
  EXPECT_EQ(suggestions, QStringList{"/home/user/pages/index.pdf"});

  const QString text = Poppler("pdftotext", {"-enc", "UTF-8", Pdf(), "-"});
  for (int i = 1; i <= 150; ++i) {
    const QString line = QString::fromUtf8("第%1行 日本語の<B>テキスト</B> line %1").arg(i);
    EXPECT_TRUE(text.contains(line)) << line.toStdString();
  }
  const QString info = Poppler("pdfinfo", {Pdf()});
  EXPECT_TRUE(info.contains(QRegularExpression("Title: +/home/user/pages/index.html\n")))
      << info.toStdString();
  const int pages = info.section("Pages:", 1).trimmed().section('\n', 0, 0).toInt();
  EXPECT_GT(pages, 2);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"out.pdf"});
}

TEST_F(Printing, PagesShowTheEditorsBackgroundAndColours) {
  editor.SetColor(0x000000);  // black background, white text: the program's defaults
  editor.SetFontColor(0xFFFFFF);
  FillDocument(3);
  answer = Pdf();
  ASSERT_TRUE(printing.Print(editor, ""));
  Poppler("pdftoppm", {"-r", "20", "-png", "-singlefile", Pdf(), dir.filePath("page")});
  QImage page(dir.filePath("page.png"));
  ASSERT_FALSE(page.isNull());
  EXPECT_EQ(page.pixelColor(page.width() / 2, page.height() - 5), QColor(Qt::black));

  // Every character keeps its own colour.
  std::unique_ptr<QTextDocument> document = DocumentToPrint(editor);
  const QTextBlock first = document->begin();
  QColor red, white;
  for (auto it = first.begin(); !it.atEnd(); ++it) {
    const QTextFragment fragment = it.fragment();
    (fragment.position() == 0 ? red : white) = fragment.charFormat().foreground().color();
  }
  EXPECT_EQ(red, QColor(255, 0, 0));
  EXPECT_EQ(white, QColor(255, 255, 255));
  EXPECT_EQ(document->blockCount(), 3);
}

TEST_F(Printing, AnUntitledDocumentSuggestsAFileNameAndCancellingPrintsNothing) {
  FillDocument(2);
  EXPECT_FALSE(printing.Print(editor, ""));
  ASSERT_EQ(suggestions.size(), 1);
  EXPECT_TRUE(suggestions[0].endsWith("/document.pdf"));
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(Printing, AFileThatCannotBeWrittenIsReportedAndNothingIsLeft) {
  FillDocument(2);
  answer = dir.filePath("missing/out.pdf");
  try {
    printing.Print(editor, "");
    ADD_FAILURE() << "no error";
  } catch (const PemrinError& error) {
    EXPECT_EQ(std::string(error.what()), "ファイル " + answer->toStdString() + " を作成できません");
  }
  EXPECT_TRUE(
      QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

// The set-up dialog edits the printer that printing then uses.
TEST_F(Printing, TheSetUpDialogsOrientationIsPrinted) {
  FillDocument(2);
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    auto* landscape = dialog->findChild<QRadioButton*>("landscape");
    if (!landscape) {
      ADD_FAILURE() << "no landscape button";
      dialog->reject();
      return;
    }
    landscape->click();
    dialog->accept();
  });
  printing.Setup();
  answer = Pdf();
  ASSERT_TRUE(printing.Print(editor, ""));
  const QString info = Poppler("pdfinfo", {Pdf()});
  const QString size = info.section("Page size:", 1).trimmed().section(' ', 0, 2);
  const double width = size.section(' ', 0, 0).toDouble();
  const double height = size.section(' ', 2, 2).toDouble();
  EXPECT_GT(width, height) << info.toStdString();
}

}  // namespace
}  // namespace pemrin::qt
