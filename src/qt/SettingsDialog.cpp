#include "qt/SettingsDialog.h"

#include <QColorDialog>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

#include "app/TForm1.h"
#include "qt/TColorQColor.h"
#include "ui_TForm2.h"

namespace pemrin::qt {

namespace {
QString Utf8(const std::string& text) {
  return QString::fromUtf8(text.data(), text.size());
}
}  // namespace

SettingsDialog::SettingsDialog(pemrin::TForm1& form1, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      form1_(form1),
      ui_(std::make_unique<Ui::TForm2>()),
      colorDialog_(nullptr),
      model_(form1, [this](pemrin::TColor current) { return ExecuteColorDialog(current); }) {
  ui_->setupUi(this);
  QFont font(QString::fromUtf8("ＭＳ Ｐゴシック"));
  font.setPixelSize(12);
  setFont(font);
  setFixedSize(176, 289);
  colorDialog_ = new QColorDialog(this);
  colorDialog_->setObjectName("ColorDialog1");
  ConnectControls();
}

SettingsDialog::~SettingsDialog() = default;

QLineEdit* SettingsDialog::Swatch(pemrin::TForm2::Swatch swatch) const {
  QLineEdit* const swatches[] = {ui_->Edit1, ui_->Edit2, ui_->Edit3, ui_->Edit4, ui_->Edit5};
  return swatches[swatch];
}

void SettingsDialog::ConnectControls() {
  const struct {
    QPushButton* button;
    pemrin::TForm2::Swatch swatch;
  } colorButtons[] = {
      {ui_->Button1, pemrin::TForm2::Background}, {ui_->Button2, pemrin::TForm2::Text},
      {ui_->Button3, pemrin::TForm2::Tag},        {ui_->Button4, pemrin::TForm2::NnTag},
      {ui_->Button5, pemrin::TForm2::IeTag},
  };
  for (const auto& entry : colorButtons) {
    connect(entry.button, &QPushButton::clicked, this, [this, swatch = entry.swatch] {
      form1_.Run([&] { model_.ButtonClick(swatch); });
      ShowSwatches();
    });
  }
  connect(ui_->ComboBox1, &QComboBox::editTextChanged, this,
          [this](const QString& text) { model_.ComboBox1Text = text.toStdString(); });
  connect(ui_->ComboBox2, &QComboBox::editTextChanged, this,
          [this](const QString& text) { model_.ComboBox2Text = text.toStdString(); });
  connect(ui_->CheckBox1, &QCheckBox::toggled, this,
          [this](bool checked) { model_.CheckBox1Checked = checked; });
  connect(ui_->CheckBox2, &QCheckBox::toggled, this,
          [this](bool checked) { model_.CheckBox2Checked = checked; });
  connect(ui_->CheckBox_Coloring, &QCheckBox::toggled, this,
          [this](bool checked) { model_.CheckBox_ColoringChecked = checked; });
  // The label is the box's caption: a click on it toggles the box.
  ui_->Label2->installEventFilter(this);
  connect(ui_->Button_Settei, &QPushButton::clicked, this, &SettingsDialog::Apply);
}

bool SettingsDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui_->Label2 && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
      ui_->Label2->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
    model_.Label2Click();
    ui_->CheckBox_Coloring->setChecked(model_.CheckBox_ColoringChecked);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void SettingsDialog::showEvent(QShowEvent* event) {
  if (!shown_) {
    shown_ = true;
    // Centred on the screen, not on the main window.
    if (QScreen* screen = this->screen()) {
      move(screen->geometry().center() - QPoint(width() / 2, height() / 2));
    }
    std::vector<std::string> families;
    for (const QString& family : QFontDatabase::families())
      families.push_back(family.toStdString());
    form1_.Run([&] { model_.FormShow(families); });
    ShowModel();
  }
  QDialog::showEvent(event);
}

void SettingsDialog::ShowModel() {
  ShowSwatches();
  QStringList names;
  for (const std::string& name : model_.ComboBox1Items) names << Utf8(name);
  // Filling the list replaces the edit text; the text is set after it.
  const std::string fontName = model_.ComboBox1Text;
  const std::string fontSize = model_.ComboBox2Text;
  ui_->ComboBox1->clear();
  ui_->ComboBox1->addItems(names);
  ui_->ComboBox1->setEditText(Utf8(fontName));
  ui_->ComboBox2->setEditText(Utf8(fontSize));
  ui_->CheckBox1->setChecked(model_.CheckBox1Checked);
  ui_->CheckBox2->setChecked(model_.CheckBox2Checked);
  ui_->CheckBox_Coloring->setChecked(model_.CheckBox_ColoringChecked);
}

void SettingsDialog::ShowSwatches() {
  for (int i = 0; i < 5; ++i) {
    QLineEdit* swatch = Swatch(static_cast<pemrin::TForm2::Swatch>(i));
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Base, QColorFromTColor(model_.SwatchColor[i]));
    swatch->setPalette(palette);
  }
}

std::optional<pemrin::TColor> SettingsDialog::ExecuteColorDialog(pemrin::TColor current) {
  colorDialog_->setCurrentColor(QColorFromTColor(current));
  if (colorDialog_->exec() != QDialog::Accepted) return std::nullopt;
  return TColorFromQColor(colorDialog_->selectedColor());
}

void SettingsDialog::Apply() {
  bool applied = false;
  form1_.Run([&] {
    model_.Button_SetteiClick();
    applied = true;
  });
  // On a bad size the dialog stays open for the user to correct it.
  if (applied) accept();
}

void SettingsDialog::done(int result) {
  form1_.Run([&] { model_.FormClose(); });
  QDialog::done(result);
}

void SettingsDialog::keyPressEvent(QKeyEvent* event) {
  // The form has no default button: Enter in a box does nothing (a focused button takes its
  // own Enter), where QDialog would press some button of its choice.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace pemrin::qt
