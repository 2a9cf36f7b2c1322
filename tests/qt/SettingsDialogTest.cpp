// The font and colour settings dialog as the user sees and works it: its form, the shared
// colour dialog, the label that toggles its box, the apply button and a bad size.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "../core/FakePlatform.h"
#include "app/TForm1.h"
#include "qt/QtRichEdit.h"
#include "qt/SettingsDialog.h"
#include "qt/TColorQColor.h"

namespace pemrin::qt {
namespace {

using pemrin::testing::FakePlatform;

QString U(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// When the colour dialog opens: remembers the colour it opened on, then picks `pick` and
// confirms, or cancels when there is nothing to pick.
void AnswerColorDialog(SettingsDialog& dialog, std::optional<QColor> pick, QColor* openedOn) {
  QTimer::singleShot(0, &dialog, [&dialog, pick, openedOn] {
    QColorDialog* colors = dialog.ColorDialog1();
    if (!colors->isVisible()) return ADD_FAILURE() << "the colour dialog is not open";
    *openedOn = colors->currentColor();
    if (pick) {
      colors->setCurrentColor(*pick);
      colors->accept();
    } else {
      colors->reject();
    }
  });
}

class SettingsDialogUi : public ::testing::Test {
 protected:
  SettingsDialogUi() {
    form.TagColor = 0x00FF00;
    form.NnTagColor = 0x008000;
    form.IeTagColor = 0xFF0000;
    form.FontItalic = true;
    form.ColoringOnOpen = true;
    editor.SetColor(0x000000);
    editor.SetFontColor(0xFFFFFF);
    editor.SetFont({"IPAGothic", 14, true, false});
    editor.SetSelStart(10);
  }
  void Open() {
    platform.SetMainWindowEnabled(false);  // as Font1Click does
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  }
  template <class W>
  W* Child(const char* name) {
    W* widget = dialog.findChild<W*>(name);
    if (!widget) ADD_FAILURE() << "no " << name;
    return widget;
  }
  QColor SwatchShows(TForm2::Swatch swatch) {
    return dialog.Swatch(swatch)->palette().color(QPalette::Base);
  }

  FakePlatform platform;
  QtRichEdit editor;
  TForm1 form{editor, platform};
  SettingsDialog dialog{form, nullptr};
};

TEST_F(SettingsDialogUi, TheFormHasItsControlsInTheirPlacesAndTabOrder) {
  EXPECT_EQ(dialog.windowTitle(), U("フォントの設定"));
  EXPECT_EQ(dialog.size(), QSize(176, 289));
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
  EXPECT_EQ(dialog.font().pixelSize(), 12);
  const struct {
    const char* name;
    const char* parent;
    QRect place;
    const char* caption;
  } controls[] = {
      {"GroupBox1", "TForm2", {8, 8, 161, 169}, "色の設定"},
      {"Button1", "GroupBox1", {8, 16, 75, 17}, "背景色変更"},
      {"Button2", "GroupBox1", {8, 40, 75, 17}, "文字色変更"},
      {"Button3", "GroupBox1", {8, 64, 75, 17}, "タグ色変更"},
      {"Edit1", "GroupBox1", {88, 16, 65, 20}, ""},
      {"Edit2", "GroupBox1", {88, 40, 65, 20}, ""},
      {"Edit3", "GroupBox1", {88, 64, 65, 20}, ""},
      {"Button4", "GroupBox1", {8, 88, 75, 17}, "NNタグ色変更"},
      {"Button5", "GroupBox1", {8, 112, 75, 17}, "IEタグ色変更"},
      {"Edit4", "GroupBox1", {88, 88, 65, 20}, ""},
      {"Edit5", "GroupBox1", {88, 112, 65, 20}, ""},
      {"CheckBox_Coloring", "GroupBox1", {8, 136, 14, 17}, ""},
      {"Label2", "GroupBox1", {24, 136, 134, 24}, "ファイルを開くと同時にタグ着色"},
      {"GroupBox2", "TForm2", {8, 184, 161, 65}, "フォントの設定"},
      {"ComboBox1", "GroupBox2", {8, 16, 97, 20}, nullptr},
      {"CheckBox1", "GroupBox2", {8, 40, 49, 17}, "斜体"},
      {"CheckBox2", "GroupBox2", {56, 40, 49, 17}, "太字"},
      {"ComboBox2", "GroupBox2", {112, 32, 41, 20}, nullptr},
      {"Label1", "GroupBox2", {112, 16, 39, 12}, "ポイント"},
      {"Button_Settei", "TForm2", {51, 256, 75, 25}, "設定"},
  };
  for (const auto& c : controls) {
    QWidget* widget = Child<QWidget>(c.name);
    if (!widget) continue;
    EXPECT_EQ(widget->parentWidget()->objectName(), c.parent) << c.name;
    EXPECT_EQ(widget->geometry(), c.place) << c.name;
    if (!c.caption) continue;
    QString caption;
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) caption = button->text();
    if (auto* label = qobject_cast<QLabel*>(widget)) caption = label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) caption = edit->text();
    if (auto* group = qobject_cast<QGroupBox*>(widget)) caption = group->title();
    EXPECT_EQ(caption, U(c.caption)) << c.name;
  }
  EXPECT_TRUE(Child<QCheckBox>("CheckBox1")->font().italic());
  EXPECT_TRUE(Child<QCheckBox>("CheckBox2")->font().bold());
  EXPECT_TRUE(Child<QLabel>("Label2")->wordWrap());
  EXPECT_TRUE(Child<QComboBox>("ComboBox1")->isEditable());
  QComboBox* sizes = Child<QComboBox>("ComboBox2");
  EXPECT_TRUE(sizes->isEditable());
  QStringList items;
  for (int i = 0; i < sizes->count(); ++i) items << sizes->itemText(i);
  EXPECT_EQ(items, QStringList({"8", "9", "10", "11", "12", "14", "16", "18", "20"}));

  // Tab goes through the controls that take focus, in the form's order, and round again.
  Open();
  Child<QPushButton>("Button1")->setFocus();
  QStringList order;
  for (int i = 0; i < 14; ++i) {
    order << QApplication::focusWidget()->objectName();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  // An editable combo box takes the focus into its line edit.
  for (QString& name : order) {
    if (name.isEmpty()) name = QApplication::focusWidget()->parentWidget()->objectName();
  }
  EXPECT_EQ(order, QStringList({"Button1", "Button2", "Button3", "Button4", "Button5", "Edit4",
                                "Edit5", "CheckBox_Coloring", "ComboBox1", "CheckBox1", "CheckBox2",
                                "ComboBox2", "Button_Settei", "Button1"}));
}

TEST_F(SettingsDialogUi, ShowsTheMainWindowsValuesWhenShown) {
  Open();
  EXPECT_EQ(SwatchShows(TForm2::Background), QColor(0, 0, 0));
  EXPECT_EQ(SwatchShows(TForm2::Text), QColor(255, 255, 255));
  EXPECT_EQ(SwatchShows(TForm2::Tag), QColor(0, 255, 0));
  EXPECT_EQ(SwatchShows(TForm2::NnTag), QColor(0, 128, 0));
  EXPECT_EQ(SwatchShows(TForm2::IeTag), QColor(0, 0, 255));  // 0xFF0000 is blue
  QComboBox* names = Child<QComboBox>("ComboBox1");
  EXPECT_EQ(names->currentText(), "IPAGothic");
  EXPECT_GT(names->count(), 0);  // the installed families
  EXPECT_EQ(Child<QComboBox>("ComboBox2")->currentText(), "14");
  EXPECT_TRUE(Child<QCheckBox>("CheckBox1")->isChecked());
  EXPECT_FALSE(Child<QCheckBox>("CheckBox2")->isChecked());
  EXPECT_TRUE(Child<QCheckBox>("CheckBox_Coloring")->isChecked());
  EXPECT_TRUE(dialog.isEnabled());
}

TEST_F(SettingsDialogUi, TheColourButtonsShareOneColourDialog) {
  Open();
  QColor openedOn;
  AnswerColorDialog(dialog, QColor(0x12, 0x34, 0x56), &openedOn);
  QTest::mouseClick(Child<QPushButton>("Button3"), Qt::LeftButton);
  EXPECT_EQ(openedOn, QColor(0, 0, 0));  // its own first colour, not the swatch's
  EXPECT_EQ(SwatchShows(TForm2::Tag), QColor(0x12, 0x34, 0x56));
  EXPECT_EQ(dialog.Model().SwatchColor[TForm2::Tag], 0x563412u);

  AnswerColorDialog(dialog, std::nullopt, &openedOn);
  QTest::mouseClick(Child<QPushButton>("Button4"), Qt::LeftButton);
  EXPECT_EQ(openedOn, QColor(0x12, 0x34, 0x56));
  EXPECT_EQ(SwatchShows(TForm2::NnTag), QColor(0, 128, 0));  // cancelled
}

TEST_F(SettingsDialogUi, AClickOnTheLabelTogglesTheColouringBox) {
  Open();
  QCheckBox* box = Child<QCheckBox>("CheckBox_Coloring");
  QTest::mouseClick(Child<QLabel>("Label2"), Qt::LeftButton);
  EXPECT_FALSE(box->isChecked());
  EXPECT_FALSE(dialog.Model().CheckBox_ColoringChecked);
  QTest::mouseClick(Child<QLabel>("Label2"), Qt::LeftButton);
  EXPECT_TRUE(box->isChecked());
}

TEST_F(SettingsDialogUi, ApplyHandsEverythingOverClosesAndEnablesTheMainWindow) {
  Open();
  QComboBox* names = Child<QComboBox>("ComboBox1");
  names->lineEdit()->selectAll();
  QTest::keyClicks(names->lineEdit(), "IPAPGothic");
  QComboBox* sizes = Child<QComboBox>("ComboBox2");
  sizes->lineEdit()->selectAll();
  QTest::keyClicks(sizes->lineEdit(), "13");
  QTest::mouseClick(Child<QCheckBox>("CheckBox2"), Qt::LeftButton);
  QTest::mouseClick(Child<QPushButton>("Button_Settei"), Qt::LeftButton);

  EXPECT_TRUE(platform.errors.empty());
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(platform.windowEnabled);
  EXPECT_EQ(editor.Font(), (FontSpec{"IPAPGothic", 13, true, true}));
  EXPECT_TRUE(form.FontBold);
  EXPECT_EQ(editor.SelStart(), 10);
}

TEST_F(SettingsDialogUi, ABadSizeIsReportedAndTheDialogStaysOpen) {
  Open();
  QComboBox* sizes = Child<QComboBox>("ComboBox2");
  sizes->lineEdit()->selectAll();
  QTest::keyClicks(sizes->lineEdit(), "1.5");
  // Enter in a box neither applies nor presses another button (a colour button would open
  // the colour dialog: it is closed again at once and noted).
  bool colorDialogOpened = false;
  QTimer::singleShot(0, &dialog, [&] {
    if (!dialog.ColorDialog1()->isVisible()) return;
    colorDialogOpened = true;
    dialog.ColorDialog1()->reject();
  });
  QTest::keyClick(sizes->lineEdit(), Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_FALSE(colorDialogOpened);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_TRUE(platform.errors.empty());
  EXPECT_EQ(sizes->count(), 9);  // nothing added to the list

  QTest::mouseClick(Child<QPushButton>("Button_Settei"), Qt::LeftButton);
  EXPECT_EQ(platform.errors, (std::vector<std::string>{"'1.5' は整数ではありません"}));
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_FALSE(platform.windowEnabled);
}

TEST_F(SettingsDialogUi, TheCloseBoxDiscardsTheChoices) {
  Open();
  QTest::mouseClick(Child<QCheckBox>("CheckBox2"), Qt::LeftButton);
  dialog.close();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_TRUE(platform.windowEnabled);
  EXPECT_FALSE(form.FontBold);
  EXPECT_EQ(editor.Font(), (FontSpec{"IPAGothic", 14, true, false}));
}

}  // namespace
}  // namespace pemrin::qt
