// Find, replace, the Edit menu's shortcuts and enabling, word wrap and printing in the real main
// window, driven by keys as a user drives them.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QProcess>
#include <QScreen>
#include <QTest>

#include "MainWindowFixture.h"
#include "qt/Cp932Codec.h"
#include "qt/FindReplaceDialog.h"
#include "qt/QtRichEdit.h"

namespace pemrin::qt::testing {
namespace {

QString U(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// Whether the window became the application's active window (where keys go) in time.
bool BecomesActive(QWidget* window) {
  return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, 5000);
}

class MainWindowSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    fixture.Start();
    ASSERT_TRUE(BecomesActive(window()));
    editor()->SetText(EncodeCp932(U("<P>日本語のtext</P>\r\ntext 日本語 TEXT\r\n")));
    editor()->SetSelStart(0);
    QGuiApplication::clipboard()->clear();
  }

  QtMainWindow* window() { return fixture.window.get(); }
  QtRichEdit* editor() { return window()->Editor(); }
  FindReplaceDialog* Dialog(const char* name) {
    return window()->findChild<FindReplaceDialog*>(name);
  }
  // A key where the focus is, as typed.
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    if (modifiers & Qt::AltModifier) QTest::qWait(150);  // a mnemonic clicks animated
  }
  void Type(const QString& text) {
    for (QChar c : text) {
      QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c),
                          Qt::NoModifier);
    }
  }
  // Answers the next message box with OK and keeps its text.
  void ExpectMessage() {
    AnswerNextModal([this](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      messages << (box ? box->text() : QString("?"));
      modal->close();
    });
  }
  QString Selected() { return DecodeCp932(editor()->SelText()); }

  MainWindowFixture fixture;
  QStringList messages;
};

TEST_F(MainWindowSearch, CtrlFTypeEnterFindsF3FindsOnAndTheEndIsReported) {
  Press(Qt::Key_F, Qt::ControlModifier);
  FindReplaceDialog* find = Dialog("FindDialog1");
  ASSERT_NE(find, nullptr);
  ASSERT_TRUE(BecomesActive(find));
  const QSize screen = QGuiApplication::primaryScreen()->size();
  EXPECT_EQ(find->pos(), QPoint(screen.width() / 3, screen.height() / 3));
  EXPECT_TRUE(window()->Form().FindDialogShown);

  Type(U("日本語"));
  Press(Qt::Key_Return);
  EXPECT_EQ(editor()->SelStart(), 3);
  EXPECT_EQ(Selected(), U("日本語"));
  EXPECT_EQ(window()->focusWidget(), editor());

  // Find Next leaves the keys with the editor (the dialog stays open): F3 searches on.
  ASSERT_TRUE(BecomesActive(window()));
  EXPECT_TRUE(find->isVisible());
  EXPECT_EQ(QApplication::focusWidget(), editor());

  Press(Qt::Key_F3);
  EXPECT_EQ(Selected(), U("日本語"));
  EXPECT_GT(editor()->SelStart(), 3);

  ExpectMessage();
  QTest::keyClick(window(), Qt::Key_F3);
  EXPECT_EQ(messages, QStringList{U("見つかりませんでした")});
  EXPECT_EQ(Selected(), U("日本語"));  // the last match stays selected
}

TEST_F(MainWindowSearch, F3OpensTheClosedDialogWithItsTextAndEscClosesIt) {
  Press(Qt::Key_F, Qt::ControlModifier);
  FindReplaceDialog* find = Dialog("FindDialog1");
  ASSERT_TRUE(BecomesActive(find));
  Type("text");
  Press(Qt::Key_C, Qt::AltModifier);  // match case
  Press(Qt::Key_Escape);
  EXPECT_FALSE(find->isVisible());
  window()->activateWindow();
  ASSERT_TRUE(BecomesActive(window()));
  EXPECT_FALSE(window()->Form().FindDialogShown);
  EXPECT_EQ(window()->Form().FindDialog1.findText, "text");
  EXPECT_TRUE(window()->Form().FindDialog1.matchCase);

  QTest::keyClick(window(), Qt::Key_F3);  // opens, does not search
  EXPECT_TRUE(find->isVisible());
  EXPECT_EQ(editor()->SelLength(), 0);
  QTest::keyClick(window(), Qt::Key_F3);
  EXPECT_EQ(Selected(), "text");
}

TEST_F(MainWindowSearch, ReplaceAllByKeyboardReplacesAndCounts) {
  window()->Action("Replace1")->trigger();
  FindReplaceDialog* replace = Dialog("ReplaceDialog1");
  ASSERT_TRUE(BecomesActive(replace));
  Type("text");
  Press(Qt::Key_Tab);
  Type(U("テキスト"));
  ExpectMessage();
  Press(Qt::Key_A, Qt::AltModifier);
  QTest::qWait(50);
  EXPECT_EQ(messages, QStringList{U("3個の個所を置換しました。")});
  EXPECT_EQ(DecodeCp932(editor()->Text()),
            U("<P>日本語のテキスト</P>\r\nテキスト 日本語 テキスト\r\n"));
  EXPECT_TRUE(window()->Form().Modified);
  EXPECT_TRUE(window()->windowTitle().endsWith(U("(更新)")));
}

TEST_F(MainWindowSearch, ADisabledEditShortcutIsSwallowedAndAnEnabledOneRuns) {
  QGuiApplication::clipboard()->setText("kept");
  editor()->SetSelStart(2);
  const int length = editor()->TextLength();
  Press(Qt::Key_C, Qt::ControlModifier);  // nothing selected: Copy is disabled
  EXPECT_FALSE(window()->Action("Copy1")->isEnabled());
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "kept");
  Press(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(editor()->TextLength(), length);

  editor()->SetSel(0, 3);  // "<P>"
  Press(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "<P>");
  EXPECT_TRUE(DecodeCp932(editor()->Text()).startsWith(U("日本語")));
  Press(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(DecodeCp932(editor()->Text()).startsWith(U("<P>日本語")));

  QGuiApplication::clipboard()->clear();
  editor()->SetSelStart(0);
  Press(Qt::Key_V, Qt::ControlModifier);  // no text to paste: swallowed
  EXPECT_FALSE(window()->Action("Paste1")->isEnabled());
  EXPECT_TRUE(DecodeCp932(editor()->Text()).startsWith(U("<P>日本語")));
}

TEST_F(MainWindowSearch, OpeningTheEditMenuSetsItsItemsThePopupsStayEnabled) {
  editor()->SetSelStart(0);
  QGuiApplication::clipboard()->setText("x");
  emit window()->MenuSet().edit->aboutToShow();
  for (const char* name : {"Cut1", "Copy1", "Delete1"}) {
    EXPECT_FALSE(window()->Action(name)->isEnabled()) << name;
  }
  EXPECT_TRUE(window()->Action("Paste1")->isEnabled());
  EXPECT_TRUE(window()->Action("Undo1")->isEnabled());
  EXPECT_TRUE(window()->Action("SelectAll1")->isEnabled());
  for (const char* name : {"Undo2", "Cut2", "Copy2", "Paste2", "Delete2", "SelectAll2"}) {
    EXPECT_TRUE(window()->Action(name)->isEnabled()) << name;
  }
  editor()->SetSel(0, 3);
  emit window()->MenuSet().edit->aboutToShow();
  EXPECT_TRUE(window()->Action("Cut1")->isEnabled());
}

TEST_F(MainWindowSearch, ShiftF2TogglesWrapWithItsCheckMarkAndIsNoEdit) {
  const QString caption = window()->windowTitle();
  const bool modified = window()->Form().Modified;
  for (bool expected : {true, false}) {
    Press(Qt::Key_F2, Qt::ShiftModifier);
    EXPECT_EQ(window()->Action("WordWrap1")->isChecked(), expected);
    EXPECT_EQ(editor()->WordWrap(), expected);
    EXPECT_EQ(window()->windowTitle(), caption);
    EXPECT_EQ(window()->Form().Modified, modified);
  }
}

// Without a printer, Ctrl+P asks for a PDF file: a path typed into the focused name field and
// Enter print the document there.
TEST_F(MainWindowSearch, CtrlPWithoutAPrinterPrintsIntoThePdfTyped) {
  if (!QPrinterInfo::availablePrinterNames().isEmpty()) GTEST_SKIP() << "a printer is installed";
  const QString pdf = fixture.Path("printed.pdf");
  bool focused = false;
  AnswerNextModal([&](QWidget* modal) {
    BecomesActive(modal);
    auto* name = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    focused = qobject_cast<QFileDialog*>(modal) && name && name->window() == modal;
    if (!focused) {
      modal->close();
      return;
    }
    name->setText(pdf);
    QTest::keyClick(name, Qt::Key_Return);
  });
  Press(Qt::Key_P, Qt::ControlModifier);
  EXPECT_TRUE(focused);
  QProcess text;
  text.start("pdftotext", {"-enc", "UTF-8", pdf, "-"});
  ASSERT_TRUE(text.waitForFinished(30000));
  EXPECT_TRUE(QString::fromUtf8(text.readAllStandardOutput()).contains(U("<P>日本語のtext</P>")));
}

}  // namespace
}  // namespace pemrin::qt::testing
