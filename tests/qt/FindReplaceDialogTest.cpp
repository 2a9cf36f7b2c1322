// The find and replace dialogs by keyboard, as a user works them.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "qt/FindReplaceDialog.h"

namespace pemrin::qt {
namespace {

QString U(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// Types text into the widget a character at a time, Japanese included.
void Type(QWidget* widget, const QString& text) {
  for (QChar c : text) {
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}

class Dialog : public ::testing::TestWithParam<FindReplaceDialog::Kind> {
 protected:
  void Open() {
    dialog.ShowAt(341, 256);
    ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &dialog; }, 5000));
  }
  // A key at the focus, as typed; a mnemonic's animated click is let finish.
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    if (modifiers & Qt::AltModifier) QTest::qWait(150);
  }
  QLineEdit* Edit(const char* name) { return dialog.findChild<QLineEdit*>(name); }
  QPushButton* Button(const char* name) { return dialog.findChild<QPushButton*>(name); }
  QCheckBox* Check(const char* name) { return dialog.findChild<QCheckBox*>(name); }
  bool Replacing() const { return GetParam() == FindReplaceDialog::Kind::Replace; }

  FindReplaceDialog dialog{GetParam()};
  QSignalSpy findNext{&dialog, &FindReplaceDialog::findNextRequested};
  QSignalSpy replace{&dialog, &FindReplaceDialog::replaceRequested};
  QSignalSpy replaceAll{&dialog, &FindReplaceDialog::replaceAllRequested};
  QSignalSpy shown{&dialog, &FindReplaceDialog::shown};
  QSignalSpy closed{&dialog, &FindReplaceDialog::closed};
};

TEST_P(Dialog, LooksLikeTheClassicDialogInJapanese) {
  EXPECT_EQ(dialog.windowTitle(), Replacing() ? U("置換") : U("検索"));
  EXPECT_FALSE(dialog.isModal());
  EXPECT_EQ(Check("matchCase")->text(), U("大文字と小文字を区別する(&C)"));
  EXPECT_EQ(Check("wholeWord")->text(), U("単語単位で探す(&W)"));
  EXPECT_EQ(Button("findNext")->text(), U("次を検索(&F)"));
  EXPECT_EQ(Button("cancel")->text(), U("キャンセル"));
  EXPECT_EQ(Edit("replaceText") != nullptr, Replacing());
  if (Replacing()) {
    EXPECT_EQ(Button("replace")->text(), U("置換して次に(&R)"));
    EXPECT_EQ(Button("replaceAll")->text(), U("すべて置換(&A)"));
  }
}

TEST_P(Dialog, OpensAtItsPointWithTheFindTextSelectedAndMovesBackThere) {
  dialog.SetFindText("abc");
  Open();
  EXPECT_EQ(dialog.pos(), QPoint(341, 256));
  EXPECT_EQ(shown.count(), 1);
  EXPECT_EQ(QApplication::focusWidget(), Edit("findText"));
  EXPECT_EQ(Edit("findText")->selectedText(), "abc");

  dialog.move(10, 10);
  Edit("findText")->deselect();
  dialog.ShowAt(341, 256);
  EXPECT_EQ(dialog.pos(), QPoint(341, 256));
  EXPECT_EQ(shown.count(), 1);  // it was open already
  EXPECT_EQ(Edit("findText")->selectedText(), "abc");
}

TEST_P(Dialog, EnterFindsNextEscClosesAndTheTextsAndOptionsStay) {
  Open();
  Type(Edit("findText"), U("日本語 text"));
  Press(Qt::Key_C, Qt::AltModifier);
  Press(Qt::Key_Return);
  EXPECT_EQ(findNext.count(), 1);
  EXPECT_TRUE(dialog.MatchCase());
  EXPECT_FALSE(dialog.WholeWord());

  Press(Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(closed.count(), 1);

  Open();
  EXPECT_EQ(shown.count(), 2);
  EXPECT_EQ(dialog.FindText(), U("日本語 text"));
  EXPECT_EQ(Edit("findText")->selectedText(), U("日本語 text"));
  EXPECT_TRUE(dialog.MatchCase());
}

TEST_P(Dialog, EachButtonAndOptionAnswersItsMnemonic) {
  dialog.SetFindText("a");
  Open();
  Press(Qt::Key_W, Qt::AltModifier);
  EXPECT_TRUE(dialog.WholeWord());
  Press(Qt::Key_F, Qt::AltModifier);
  EXPECT_EQ(findNext.count(), 1);
  if (Replacing()) {
    Press(Qt::Key_R, Qt::AltModifier);
    EXPECT_EQ(replace.count(), 1);
    Press(Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(replaceAll.count(), 1);
    Press(Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), Edit("replaceText"));
    Press(Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), Edit("findText"));
  }
  EXPECT_EQ(findNext.count(), 1);
}

TEST_P(Dialog, TabGoesFromTheFindTextToTheReplaceTextThenTheOptions) {
  Open();
  Press(Qt::Key_Tab);
  if (Replacing()) {
    EXPECT_EQ(QApplication::focusWidget(), Edit("replaceText"));
    Press(Qt::Key_Tab);
  }
  EXPECT_EQ(QApplication::focusWidget(), Check("wholeWord"));
}

TEST_P(Dialog, WithoutAFindTextThereIsNothingToPress) {
  Open();
  Press(Qt::Key_Return);
  EXPECT_EQ(findNext.count(), 0);
  EXPECT_FALSE(Button("findNext")->isEnabled());
  QTest::keyClicks(Edit("findText"), "x");
  EXPECT_TRUE(Button("findNext")->isEnabled());
  if (Replacing()) {
    EXPECT_TRUE(Button("replaceAll")->isEnabled());
  }
}

// The texts hold 255 bytes of code page 932, as the classic dialogs' buffers do: what does not
// fit of an insertion is dropped, the rest of the text stays.
TEST_P(Dialog, TextsKeepToTheirByteLimit) {
  Open();
  QLineEdit* find = Edit("findText");
  find->setText(QString(300, 'a'));
  EXPECT_EQ(dialog.FindText(), QString(255, 'a'));
  find->setText(QString(250, 'a'));
  find->setCursorPosition(3);
  find->insert(U("あいうえ"));  // 8 bytes where 5 are left: two characters fit
  EXPECT_EQ(dialog.FindText(), QString(3, 'a') + U("あい") + QString(247, 'a'));
  EXPECT_EQ(find->cursorPosition(), 5);
  QTest::keyClick(find, Qt::Key_B);  // the one byte left
  EXPECT_EQ(dialog.FindText().size(), 253);
  Type(find, U("cあ"));
  EXPECT_EQ(dialog.FindText(), QString(3, 'a') + U("あいb") + QString(247, 'a'));
}

INSTANTIATE_TEST_SUITE_P(FindAndReplace, Dialog,
                         ::testing::Values(FindReplaceDialog::Kind::Find,
                                           FindReplaceDialog::Kind::Replace),
                         [](const auto& info) {
                           return info.param == FindReplaceDialog::Kind::Find ? "Find" : "Replace";
                         });

}  // namespace
}  // namespace pemrin::qt
