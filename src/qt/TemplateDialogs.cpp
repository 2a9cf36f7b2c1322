#include "TemplateDialogs.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

#include "app/TForm1.h"

namespace pemrin::qt {

namespace {

QString Utf8(const std::string& text) {
  return QString::fromUtf8(text.data(), text.size());
}

// A small tool window, above the others, in the middle of the screen, in the dialogs' font.
void SetUpToolDialog(QDialog* dialog, const char* caption, int width, int height) {
  dialog->setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint);
  dialog->setWindowTitle(QString::fromUtf8(caption));
  dialog->setFixedSize(width, height);
  dialog->setFont(QFont(QString::fromUtf8("ＭＳ Ｐゴシック"), 9));
  if (QScreen* screen = dialog->screen()) {
    dialog->move(screen->geometry().center() - QPoint(width / 2, height / 2));
  }
}

}  // namespace

NewTemplateDialog::NewTemplateDialog(pemrin::TForm1& form, QWidget* owner)
    : QDialog(owner), form_(form) {
  setObjectName("Form4");
  SetUpToolDialog(this, "新規作成", 202, 213);
  auto* label1 = new QLabel(QString::fromUtf8("テンプレートファイルを選んで下さい"), this);
  label1->setObjectName("Label1");
  label1->setGeometry(0, 0, 180, 12);
  fileListBox1_ = new QListWidget(this);
  fileListBox1_->setObjectName("FileListBox1");
  fileListBox1_->setGeometry(0, 16, 201, 161);
  auto* button1 = new QPushButton("OK", this);
  button1->setObjectName("Button1");
  button1->setGeometry(64, 184, 75, 25);
  button1->setDefault(true);
  connect(button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(fileListBox1_, &QListWidget::itemDoubleClicked, this, [this] { Button1Click(); });
  // Closing the dialog, whichever way, gives the main window back.
  connect(this, &QDialog::finished, this, [this] { form_.TemplateDialogClosed(); });
  FormShow();
}

void NewTemplateDialog::FormShow() {
  const QDir folder(Utf8(form_.ExeDir));
  const QStringList names =
      folder.entryList({"*.tlt"}, QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
  fileListBox1_->addItems(names);
  const QList<QListWidgetItem*> matches = fileListBox1_->findItems("new.tlt", Qt::MatchExactly);
  if (matches.isEmpty()) {
    // The default template is gone: say so, and let the user pick another or close.
    form_.Run([] { throw pemrin::PemrinError("不正なファイル名 - new.tlt"); });
    return;
  }
  fileListBox1_->setCurrentItem(matches.first());
}

void NewTemplateDialog::Button1Click() {
  QListWidgetItem* item = fileListBox1_->currentItem();
  const std::string path = item ? form_.ExeDir + item->text().toStdString() : std::string();
  bool chosen = false;
  form_.Run([&] {
    form_.ChooseTemplate(path);
    chosen = true;
  });
  if (chosen) accept();
}

SaveTemplateDialog::SaveTemplateDialog(pemrin::TForm1& form, QWidget* owner)
    : QDialog(owner), form_(form) {
  setObjectName("Form5");
  SetUpToolDialog(this, "テンプレート保存Dialog", 188, 78);
  edit1_ = new QLineEdit("newtemplate", this);
  edit1_->setObjectName("Edit1");
  edit1_->setGeometry(16, 16, 121, 20);
  auto* label1 = new QLabel(".tlt", this);
  label1->setObjectName("Label1");
  label1->setGeometry(144, 24, 13, 12);
  auto* button1 = new QPushButton(QString::fromUtf8("保存"), this);
  button1->setObjectName("Button1");
  button1->setGeometry(56, 48, 75, 25);
  button1->setDefault(true);
  connect(button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(this, &QDialog::finished, this, [this] { form_.TemplateDialogClosed(); });
}

void SaveTemplateDialog::Button1Click() {
  bool saved = false;
  form_.Run([&] {
    form_.SaveAsTemplate(edit1_->text().toStdString());
    saved = true;
  });
  if (saved) accept();
}

}  // namespace pemrin::qt
