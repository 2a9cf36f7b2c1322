#pragma once
// The two template dialogs: New from a template (TForm4) and Save as template (TForm5).

#include <QDialog>

class QLineEdit;
class QListWidget;

namespace pemrin {
class TForm1;
}

namespace pemrin::qt {

// Lists the .tlt files of the program's folder with new.tlt selected; OK or a double click
// reads the selected template into the document's template lines.
class NewTemplateDialog : public QDialog {
  Q_OBJECT

 public:
  NewTemplateDialog(pemrin::TForm1& form, QWidget* owner);

 private:
  void FormShow();
  void Button1Click();

  pemrin::TForm1& form_;
  QListWidget* fileListBox1_;
};

// A name box ("newtemplate") and ".tlt"; 保存 writes the document as that template.
class SaveTemplateDialog : public QDialog {
  Q_OBJECT

 public:
  SaveTemplateDialog(pemrin::TForm1& form, QWidget* owner);

 private:
  void Button1Click();

  pemrin::TForm1& form_;
  QLineEdit* edit1_;
};

}  // namespace pemrin::qt
