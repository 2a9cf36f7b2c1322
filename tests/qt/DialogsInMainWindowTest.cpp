// The splash window, the version dialog and the settings dialog in the real main window.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>

#include "MainWindowFixture.h"
#include "qt/AboutBox.h"
#include "qt/QtRichEdit.h"
#include "qt/SettingsDialog.h"
#include "qt/TColorQColor.h"

namespace pemrin::qt::testing {
namespace {

QString U(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// Records the windows as they are shown, with what the splash window looks like at that moment.
class ShowRecorder : public QObject {
 public:
  ShowRecorder() { qApp->installEventFilter(this); }
  ~ShowRecorder() override { qApp->removeEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::Show && widget && widget->isWindow()) {
      shown << widget->objectName();
      if (widget->objectName() == "Form6") {
        splashFrameless = widget->windowFlags().testFlag(Qt::FramelessWindowHint);
        splashGeometry = widget->geometry();
      }
      // Whether a splash window still exists when the main window appears.
      if (qobject_cast<QMainWindow*>(widget)) splashAlive = widget->findChild<QWidget*>("Form6");
    }
    return false;
  }

  QStringList shown;
  bool splashFrameless = false;
  bool splashAlive = false;
  QRect splashGeometry;
};

TEST(SplashWindow, ShowsCentredAndBorderlessBeforeTheMainWindowAndIsGoneWhenItAppears) {
  MainWindowFixture fixture({}, QByteArray());  // no settings file: SPW is on
  fixture.window->setObjectName("Form1");
  ShowRecorder recorder;
  fixture.Start();
  ASSERT_GE(recorder.shown.size(), 2);
  EXPECT_EQ(recorder.shown.indexOf("Form6"), 0);
  EXPECT_GT(recorder.shown.indexOf("Form1"), 0);
  EXPECT_FALSE(recorder.splashAlive);
  EXPECT_TRUE(recorder.splashFrameless);
  EXPECT_EQ(recorder.splashGeometry.size(), QSize(304, 104));
  const QPoint screenCentre = fixture.window->screen()->geometry().center();
  EXPECT_LE((recorder.splashGeometry.center() - screenCentre).manhattanLength(), 2);
  EXPECT_TRUE(fixture.window->Action("N9")->isChecked());
}

TEST(SplashWindow, IsNeverShownWithTheItemOffAndTheItemIsSavedAsSpw) {
  MainWindowFixture fixture;  // SPW=0
  fixture.window->setObjectName("Form1");
  ShowRecorder recorder;
  fixture.Start();
  EXPECT_FALSE(recorder.shown.contains("Form6"));
  EXPECT_FALSE(fixture.window->findChild<QWidget*>("Form6"));

  fixture.window->Action("N9")->trigger();
  EXPECT_TRUE(fixture.window->Action("N9")->isChecked());
  ASSERT_TRUE(fixture.window->close());
  EXPECT_TRUE(ReadFile(fixture.Path("pemrin.ini")).contains("SPW=1"));
}

TEST(VersionDialog, ShowsItsItemsAndEnterClosesIt) {
  MainWindowFixture fixture;
  fixture.Start();
  QString title;
  QSize size;
  QStringList texts;
  bool linkLooksLikeALink = false;
  bool closedByEnter = false;
  AnswerNextModal([&](QWidget* modal) {
    auto* box = qobject_cast<AboutBox*>(modal);
    if (!box) {
      modal->close();
      return;
    }
    title = box->windowTitle();
    size = box->size();
    for (const char* name : {"ProductName", "Version", "Label2", "Contact", "Label1"}) {
      if (auto* label = box->findChild<QLabel*>(name)) texts << label->text();
    }
    QLabel* link = box->Label1();
    linkLooksLikeALink = link->font().underline() &&
                         link->cursor().shape() == Qt::PointingHandCursor &&
                         link->palette().color(QPalette::WindowText) == QColor(0, 0, 255) &&
                         link->geometry() == QRect(8, 72, 294, 12);
    EXPECT_EQ(box->OKButton()->geometry(), QRect(116, 214, 75, 25));
    EXPECT_TRUE(box->OKButton()->isDefault());
    EXPECT_EQ(box->findChild<QLabel*>("Image1")->pixmap().size(), QSize(300, 100));
    QTest::keyClick(box, Qt::Key_Return);
    closedByEnter = !box->isVisible();
  });
  fixture.window->Action("A2")->trigger();
  EXPECT_EQ(title, U("ﾊﾞｰｼﾞｮﾝ情報"));
  EXPECT_EQ(size, QSize(308, 244));
  ASSERT_EQ(texts.size(), 5);
  EXPECT_EQ(texts[0], "Pemrin version 1.37   2001.9.12");
  EXPECT_TRUE(linkLooksLikeALink);
  EXPECT_TRUE(closedByEnter);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(VersionDialog, TheLinkLineOpensTheLinkFileBesideTheProgramAndAFailureSaysNothing) {
  MainWindowFixture fixture;
  fixture.Start();
  AboutBox box(QString::fromStdString(fixture.window->Form().ExeDir), fixture.window.get());
  box.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));

  // Whatever the desktop would open is caught here.
  QTextBrowser receiver;
  QSignalSpy opened(&receiver, &QTextBrowser::anchorClicked);
  QDesktopServices::setUrlHandler("file", &receiver, "anchorClicked");
  QTest::mouseClick(box.Label1(), Qt::LeftButton);
  QDesktopServices::unsetUrlHandler("file");
  ASSERT_EQ(opened.size(), 1);
  EXPECT_EQ(opened[0][0].toUrl(), QUrl::fromLocalFile(fixture.Path("varne.url")));

  // Offscreen nothing can open it: no box, the dialog stays as it was.
  QFile::remove(fixture.Path("varne.url"));
  QTest::mouseClick(box.Label1(), Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_TRUE(box.isVisible());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  for (QWidget* window : QApplication::topLevelWidgets()) {
    EXPECT_FALSE(qobject_cast<QMessageBox*>(window) && window->isVisible());
  }
}

// Opens the settings dialog from the File menu and runs `session` in it.
void WithSettingsDialog(MainWindowFixture& fixture, std::function<void(SettingsDialog*)> session) {
  bool ran = false;
  AnswerNextModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<SettingsDialog*>(modal);
    ran = dialog != nullptr;
    if (!dialog) {
      modal->close();
      return;
    }
    session(dialog);
    if (dialog->isVisible()) dialog->close();
  });
  fixture.window->Action("Font1")->trigger();
  EXPECT_TRUE(ran) << "the settings dialog did not open";
}

void TypeInto(SettingsDialog* dialog, const char* combo, const QString& text) {
  QLineEdit* edit = dialog->findChild<QComboBox*>(combo)->lineEdit();
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

TEST(SettingsDialogInMainWindow, TheMainWindowTakesNoInputWhileItIsOpen) {
  MainWindowFixture fixture;
  fixture.Start();
  bool menusEnabled = true;
  bool editorEnabled = true;
  bool dialogEnabled = false;
  QPoint dialogCentre;
  WithSettingsDialog(fixture, [&](SettingsDialog* dialog) {
    menusEnabled = fixture.window->menuBar()->isEnabled();
    editorEnabled = fixture.window->Editor()->isEnabled();
    dialogEnabled = dialog->isEnabled() && dialog->isModal();
    dialogCentre = dialog->geometry().center();
  });
  EXPECT_FALSE(menusEnabled);
  EXPECT_FALSE(editorEnabled);
  EXPECT_TRUE(dialogEnabled);
  EXPECT_LE((dialogCentre - fixture.window->screen()->geometry().center()).manhattanLength(), 3);
  EXPECT_TRUE(fixture.window->menuBar()->isEnabled());
  EXPECT_TRUE(fixture.window->Editor()->isEnabled());
}

TEST(SettingsDialogInMainWindow, AppliedValuesComeBackAfterACloseAndANewStart) {
  QTemporaryDir folder;
  {
    MainWindowFixture fixture;
    fixture.Start();
    const QString caption = fixture.window->windowTitle();
    WithSettingsDialog(fixture, [&](SettingsDialog* dialog) {
      dialog->Model().SwatchColor = {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0};
      TypeInto(dialog, "ComboBox1", "IPAPGothic");
      TypeInto(dialog, "ComboBox2", "13");
      QTest::mouseClick(dialog->findChild<QWidget*>("CheckBox1"), Qt::LeftButton);
      QTest::mouseClick(dialog->findChild<QWidget*>("CheckBox2"), Qt::LeftButton);
      QTest::mouseClick(dialog->findChild<QLabel*>("Label2"), Qt::LeftButton);
      QTest::mouseClick(dialog->findChild<QPushButton*>("Button_Settei"), Qt::LeftButton);
    });
    EXPECT_EQ(fixture.window->windowTitle(), caption);
    EXPECT_EQ(fixture.window->Editor()->Font(), (FontSpec{"IPAPGothic", 13, true, true}));
    ASSERT_TRUE(fixture.window->close());
    // The next start in the same folder.
    for (const QString& name : QDir(fixture.dir.path()).entryList(QDir::Files)) {
      QFile::copy(fixture.Path(name), folder.filePath(name));
    }
  }
  QtMainWindow window({}, folder.filePath("pemrin"));
  window.Start();
  QApplication::processEvents();
  std::array<TColor, 5> swatches{};
  QString name, size;
  bool italic = false, bold = false, coloring = true;
  AnswerNextModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<SettingsDialog*>(modal);
    if (!dialog) {
      modal->close();
      return;
    }
    for (int i = 0; i < 5; ++i) {
      swatches[i] = TColorFromQColor(
          dialog->Swatch(static_cast<TForm2::Swatch>(i))->palette().color(QPalette::Base));
    }
    name = dialog->findChild<QComboBox*>("ComboBox1")->currentText();
    size = dialog->findChild<QComboBox*>("ComboBox2")->currentText();
    italic = dialog->findChild<QCheckBox*>("CheckBox1")->isChecked();
    bold = dialog->findChild<QCheckBox*>("CheckBox2")->isChecked();
    coloring = dialog->findChild<QCheckBox*>("CheckBox_Coloring")->isChecked();
    dialog->close();
  });
  window.Action("Font1")->trigger();
  EXPECT_EQ(swatches, (std::array<TColor, 5>{0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0}));
  EXPECT_EQ(name, "IPAPGothic");
  EXPECT_EQ(size, "13");
  EXPECT_TRUE(italic);
  EXPECT_TRUE(bold);
  EXPECT_FALSE(coloring);
}

}  // namespace
}  // namespace pemrin::qt::testing
