#pragma once
// The font and colour settings dialog as a model: the values its controls show, and the apply
// step that hands them all to the main window at once. The Qt dialog shows these values and
// forwards its events here; nothing reaches the main window before Button_SetteiClick.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/Types.h"

namespace pemrin {

class TForm1;

class TForm2 {
 public:
  // The platform's colour dialog, opened on `current`: the confirmed colour, or nothing when
  // the user cancels.
  using ColorDialogExecute = std::function<std::optional<TColor>(TColor current)>;

  // The swatches, in the order of their buttons (Button1 to Button5).
  enum Swatch { Background = 0, Text = 1, Tag = 2, NnTag = 3, IeTag = 4 };

  TForm2(TForm1& form1, ColorDialogExecute executeColorDialog);

  // Takes the main window's current values into the controls; screenFonts is the list of the
  // font box.
  void FormShow(const std::vector<std::string>& screenFonts);
  // Button1Click to Button5Click: the colour dialog, and on OK its colour into the swatch.
  void ButtonClick(Swatch swatch);
  // A click on the caption of the colour-on-open box toggles the box.
  void Label2Click();
  // "設定": applies every choice to the main window; when it returns, the dialog closes.
  // A size that is not a whole number throws PemrinError after the background, tag colours,
  // text colour and font name have been applied; the dialog then stays open.
  void Button_SetteiClick();
  // However the dialog closes: the main window takes input again.
  void FormClose();

  // --- The controls -------------------------------------------------------------------------
  // Edit1 to Edit5: the colours as the swatches show them.
  std::array<TColor, 5> SwatchColor{};
  std::vector<std::string> ComboBox1Items;  // font names (UTF-8)
  std::string ComboBox1Text;
  static const std::vector<std::string>& ComboBox2Items();  // the offered sizes
  std::string ComboBox2Text = "10";
  bool CheckBox1Checked = false;  // italic
  bool CheckBox2Checked = false;  // bold
  bool CheckBox_ColoringChecked = false;
  // ColorDialog1's own colour: black at first, then the last one confirmed in this opening.
  TColor ColorDialog1Color = 0;
  int SavedSelStart = 0;

 private:
  TForm1& form1_;
  ColorDialogExecute executeColorDialog_;
};

}  // namespace pemrin
