#pragma once
// The font and colour settings dialog (TForm2): the form of forms/TForm2.ui over the logic's
// model. Its values live in the model; the controls show them and report the user's changes.

#include <QDialog>
#include <memory>

#include "settings/TForm2.h"

class QColorDialog;
class QLineEdit;

namespace Ui {
class TForm2;
}

namespace pemrin {
class TForm1;
}

namespace pemrin::qt {

class SettingsDialog : public QDialog {
  Q_OBJECT

 public:
  // A new dialog for one opening, owned by the main window.
  SettingsDialog(pemrin::TForm1& form1, QWidget* owner);
  ~SettingsDialog() override;

  pemrin::TForm2& Model() { return model_; }
  // ColorDialog1: the one colour dialog the five colour buttons share.
  QColorDialog* ColorDialog1() const { return colorDialog_; }
  QLineEdit* Swatch(pemrin::TForm2::Swatch swatch) const;

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ConnectControls();
  void ShowModel();
  void ShowSwatches();
  std::optional<pemrin::TColor> ExecuteColorDialog(pemrin::TColor current);
  void Apply();

  pemrin::TForm1& form1_;
  std::unique_ptr<Ui::TForm2> ui_;
  QColorDialog* colorDialog_;
  pemrin::TForm2 model_;
  bool shown_ = false;
};

}  // namespace pemrin::qt
