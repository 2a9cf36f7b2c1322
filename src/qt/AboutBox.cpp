#include "qt/AboutBox.h"

#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

#include "qt/Logo.h"

namespace pemrin::qt {

namespace {

QLabel* AddLabel(QWidget* parent, const char* name, const char* text, int x, int y) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setObjectName(name);
  label->move(x, y);
  label->adjustSize();
  return label;
}

}  // namespace

AboutBox::AboutBox(const QString& exeDir, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      exeDir_(exeDir) {
  setObjectName("AboutBox");
  setWindowTitle(QString::fromUtf8("ﾊﾞｰｼﾞｮﾝ情報"));
  QFont font(QString::fromUtf8("ＭＳ Ｐゴシック"));
  font.setPixelSize(12);
  setFont(font);
  setFixedSize(308, 244);

  // Panel1: raised inside, lowered outside.
  auto* panel = new QFrame(this);
  panel->setObjectName("Panel1");
  panel->setGeometry(0, 8, 305, 87);
  panel->setFrameStyle(QFrame::Box | QFrame::Sunken);

  auto* icon = new QLabel(panel);
  icon->setObjectName("ProgramIcon");
  icon->setGeometry(8, 8, 32, 32);
  icon->setScaledContents(true);
  icon->setPixmap(ProgramIcon().pixmap(32, 32));

  AddLabel(panel, "ProductName", "Pemrin version 1.37   2001.9.12", 48, 8);
  AddLabel(panel, "Version", "作者：Pemrin 開発チーム", 48, 24);
  AddLabel(panel, "Label2", "Linux 版 (C++ / Qt 6)", 48, 40);
  AddLabel(panel, "Contact", "連絡先：pemrin@example.org", 48, 56);

  label1_ = new QLabel(QString::fromUtf8("https://example.org/pemrin/"), panel);
  label1_->setObjectName("Label1");
  label1_->setGeometry(8, 72, 294, 12);
  QFont linkFont = font;
  linkFont.setUnderline(true);
  label1_->setFont(linkFont);
  QPalette linkPalette = label1_->palette();
  linkPalette.setColor(QPalette::WindowText, QColor(0, 0, 255));
  label1_->setPalette(linkPalette);
  label1_->setCursor(Qt::PointingHandCursor);
  label1_->installEventFilter(this);

  auto* bevel = new QFrame(this);
  bevel->setObjectName("Bevel1");
  bevel->setGeometry(0, 100, 307, 107);
  bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);

  auto* image = new QLabel(this);
  image->setObjectName("Image1");
  image->setGeometry(3, 103, 300, 100);
  image->setPixmap(LogoPixmap());

  okButton_ = new QPushButton("OK", this);
  okButton_->setObjectName("OKButton");
  okButton_->setGeometry(116, 214, 75, 25);
  okButton_->setDefault(true);
  okButton_->setFocus();
  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutBox::showEvent(QShowEvent* event) {
  // Centred on the screen, not on the main window.
  if (QScreen* screen = this->screen()) {
    move(screen->geometry().center() - QPoint(width() / 2, height() / 2));
  }
  QDialog::showEvent(event);
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == label1_ && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
      label1_->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
    Label1Click();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

// Whatever opens the link file is the desktop's choice; when nothing can, the dialog says
// nothing and stays as it was.
void AboutBox::Label1Click() {
  QDesktopServices::openUrl(QUrl::fromLocalFile(exeDir_ + "varne.url"));
}

}  // namespace pemrin::qt
