#pragma once
// The version dialog (TAboutBox): product, version, date, authors, and a link line that opens
// the link file beside the program.

#include <QDialog>

class QLabel;
class QPushButton;

namespace pemrin::qt {

class AboutBox : public QDialog {
  Q_OBJECT

 public:
  // exeDir: the program's folder with its trailing separator, where varne.url lies.
  AboutBox(const QString& exeDir, QWidget* owner);

  QLabel* Label1() const { return label1_; }
  QPushButton* OKButton() const { return okButton_; }

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Label1Click();

  QString exeDir_;
  QLabel* label1_;
  QPushButton* okButton_;
};

}  // namespace pemrin::qt
