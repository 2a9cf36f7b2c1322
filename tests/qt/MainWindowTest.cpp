// The real main window offscreen: menus, caption, status bar, typing, closing.

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QStatusBar>
#include <QTest>

#include "ErrorBox.h"
#include "MainWindowFixture.h"
#include "QtRichEdit.h"

namespace pemrin::qt::testing {
namespace {

struct ExpectedItem {
  const char* name;
  const char* caption;  // "-" for a separator
  const char* shortcut;
};

void ExpectItems(QMenu* menu, const std::vector<ExpectedItem>& expected) {
  ASSERT_NE(menu, nullptr);
  const QList<QAction*> actions = menu->actions();
  ASSERT_EQ(actions.size(), static_cast<qsizetype>(expected.size()))
      << menu->objectName().toStdString();
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const QAction* action = actions[static_cast<qsizetype>(i)];
    const QString caption = action->isSeparator() ? "-" : action->text();
    EXPECT_EQ(action->objectName().toStdString(), expected[i].name);
    EXPECT_EQ(caption, QString::fromUtf8(expected[i].caption)) << expected[i].name;
    EXPECT_EQ(action->shortcut().toString(), QString::fromUtf8(expected[i].shortcut))
        << expected[i].name;
  }
}

TEST(MainWindowMenus, CaptionsMnemonicsAndShortcutsAreTheProgramsOwn) {
  MainWindowFixture fixture;
  const Menus& menus = fixture.window->MenuSet();
  EXPECT_EQ(menus.file->title(), QString::fromUtf8("ファイル(&F)"));
  EXPECT_EQ(menus.edit->title(), QString::fromUtf8("編集(&E)"));
  EXPECT_EQ(menus.search->title(), QString::fromUtf8("検索(&S)"));
  EXPECT_EQ(menus.help->title(), QString::fromUtf8("ヘルプ(&H)"));
  ExpectItems(menus.file, {{"New1", "新規(&N)", "Ctrl+N"},
                           {"Open1", "開く(&O)...", "Ctrl+O"},
                           {"N2", "上書き保存(&S)", "Ctrl+S"},
                           {"SaveAs1", "名前を付けて保存(&A)...", ""},
                           {"Template1", "テンプレートとして保存", ""},
                           {"N3", "-", ""},
                           {"Font1", "フォント設定(&F)...", ""},
                           {"N7", "印刷設定(&T)", ""},
                           {"Print1", "印刷(&P)", "Ctrl+P"},
                           {"N9", "スプラッシュウィンドウを表示", ""},
                           {"N4", "-", ""},
                           {"Exit1", "終了(&X)", ""}});
  ExpectItems(menus.edit, {{"Undo1", "元に戻す(&U)", "Ctrl+Z"},
                           {"N5", "-", ""},
                           {"Cut1", "切り取り(&T)", "Ctrl+X"},
                           {"Copy1", "コピー(&C)", "Ctrl+C"},
                           {"Paste1", "貼り付け(&P)", "Ctrl+V"},
                           {"Delete1", "削除(&L)", ""},
                           {"SelectAll1", "すべて選択(&A)", "Ctrl+A"},
                           {"N6", "-", ""},
                           {"N1", "タグ色つけ(&C)", "Ctrl+L"},
                           {"color2", "16進カラーコード挿入", "Shift+F1"},
                           {"N8", "-", ""},
                           {"WordWrap1", "右端で折り返す(&W)", "Shift+F2"}});
  ExpectItems(menus.search, {{"Find2", "検索(&F)...", "Ctrl+F"},
                             {"FindNext1", "次を検索(&N)", "F3"},
                             {"Replace1", "置換(&R)...", ""}});
  ExpectItems(menus.help, {{"A2", "ヴァージョン情報(&A)", ""}});
  ExpectItems(menus.popup, {{"Undo2", "元に戻す", ""},
                            {"N10", "-", ""},
                            {"Cut2", "切り取り", ""},
                            {"Copy2", "コピー", ""},
                            {"Paste2", "貼り付け", ""},
                            {"Delete2", "削除", ""},
                            {"SelectAll2", "すべて選択", ""},
                            {"N11", "-", ""},
                            {"N12", "タグ色つけ", ""},
                            {"Color1", "16進カラーコード挿入", ""}});
  EXPECT_TRUE(menus["N9"]->isCheckable());
  EXPECT_TRUE(menus["WordWrap1"]->isCheckable());
  EXPECT_FALSE(menus["N2"]->isEnabled());
}

TEST(MainWindow, StartsWithTheDefaultDocumentAndItsCaptionAndStatus) {
  MainWindowFixture fixture;
  fixture.Start();
  EXPECT_EQ(fixture.window->windowTitle(), QString::fromUtf8("Pemrin v1.37 "));
  auto* status = fixture.window->statusBar()->findChild<QLabel*>("StatusBar1");
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(status->text(), QString::fromUtf8("カーソル位置：1行1列　[SJIS]"));
  EXPECT_EQ(fixture.window->Editor()->Line(3),
            "<META NAME=\"GENERATOR\" CONTENT=\"Pemrin v1.37\">");
  EXPECT_FALSE(fixture.window->Action("N9")->isChecked());  // SPW=0 in the fixture's settings
  const pemrin::WindowGeometry geometry = fixture.window->Geometry();
  EXPECT_EQ(geometry.clientWidth, 500);
  EXPECT_EQ(geometry.clientHeight, 300);
}

TEST(MainWindow, TypingMarksTheCaptionAndTheStatusBarFollowsTheCaret) {
  MainWindowFixture fixture;
  fixture.Start();
  QtRichEdit* editor = fixture.window->Editor();
  editor->setFocus();
  QTest::keyClicks(editor, "x");
  EXPECT_EQ(fixture.window->windowTitle(), QString::fromUtf8("Pemrin v1.37 (更新)"));
  QTest::keyClick(editor, Qt::Key_Down);
  auto* status = fixture.window->statusBar()->findChild<QLabel*>("StatusBar1");
  EXPECT_EQ(status->text(), QString::fromUtf8("カーソル位置：2行2列　[SJIS]"));
}

TEST(MainWindow, ClosingWritesTheSettingsAndASettingsFileThatCannotBeWrittenKeepsItOpen) {
  MainWindowFixture fixture;
  fixture.Start();
  QFile::remove(fixture.Path("pemrin.ini"));
  QDir(fixture.dir.path()).mkdir("pemrin.ini");
  QString shown;
  AnswerNextModal([&](QWidget* box) {
    shown = static_cast<QMessageBox*>(box)->text();
    box->close();
  });
  EXPECT_FALSE(fixture.window->close());
  EXPECT_EQ(shown, fixture.Path("pemrin.ini") + QString::fromUtf8(" に書き込めません."));

  QDir(fixture.dir.path()).rmdir("pemrin.ini");
  EXPECT_TRUE(fixture.window->close());
  const QByteArray ini = ReadFile(fixture.Path("pemrin.ini"));
  EXPECT_EQ(ini.count('='), 17);
  EXPECT_TRUE(ini.contains("SPW=0"));
}

TEST(ErrorBox, AppendsAFullStopAfterACharacterThatSortsAfterIt) {
  const struct {
    const char* message;
    const char* shown;
  } cases[] = {
      {"ファイル a は開けません", "ファイル a は開けません."},
      {"done.", "done."},
      {"what!", "what!"},
      {"abc", "abc."},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ErrorBoxText(QString::fromUtf8(c.message)), QString::fromUtf8(c.shown));
  }
}

}  // namespace
}  // namespace pemrin::qt::testing
