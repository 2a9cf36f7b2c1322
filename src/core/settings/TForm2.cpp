#include "settings/TForm2.h"

#include <utility>

#include "app/TForm1.h"
#include "settings/StrToInt.h"

namespace pemrin {

TForm2::TForm2(TForm1& form1, ColorDialogExecute executeColorDialog)
    : form1_(form1), executeColorDialog_(std::move(executeColorDialog)) {}

const std::vector<std::string>& TForm2::ComboBox2Items() {
  static const std::vector<std::string> sizes = {"8",  "9",  "10", "11", "12",
                                                 "14", "16", "18", "20"};
  return sizes;
}

void TForm2::FormShow(const std::vector<std::string>& screenFonts) {
  EditorControl& richEdit = form1_.RichEdit1();
  SavedSelStart = richEdit.SelStart();
  SwatchColor[Background] = richEdit.Color();
  SwatchColor[Text] = richEdit.FontColor();
  SwatchColor[Tag] = form1_.TagColor;
  SwatchColor[NnTag] = form1_.NnTagColor;
  SwatchColor[IeTag] = form1_.IeTagColor;
  ComboBox1Items = screenFonts;
  const FontSpec font = richEdit.Font();
  ComboBox1Text = font.name;
  ComboBox2Text = std::to_string(font.size);
  // The fields, not the font's style: they are what the settings file keeps.
  CheckBox1Checked = form1_.FontItalic;
  CheckBox2Checked = form1_.FontBold;
  CheckBox_ColoringChecked = form1_.ColoringOnOpen;
}

void TForm2::ButtonClick(Swatch swatch) {
  // The one colour dialog opens on its own colour, not on the swatch's.
  const std::optional<TColor> chosen = executeColorDialog_(ColorDialog1Color);
  if (!chosen) return;
  ColorDialog1Color = *chosen;
  SwatchColor[swatch] = *chosen;
}

void TForm2::Label2Click() {
  CheckBox_ColoringChecked = !CheckBox_ColoringChecked;
}

void TForm2::Button_SetteiClick() {
  EditorControl& richEdit = form1_.RichEdit1();
  // Reformatting the whole text is not an edit: the bracket keeps the caption, the Save item
  // and the modified flag as they were. A bad size below leaves it open on purpose: the
  // user corrects the size and applies again.
  form1_.SaveUiState();
  richEdit.SetColor(SwatchColor[Background]);
  form1_.TagColor = SwatchColor[Tag];
  form1_.NnTagColor = SwatchColor[NnTag];
  form1_.IeTagColor = SwatchColor[IeTag];
  richEdit.SelectAll();
  // Every character takes the text colour; the tag colours are gone until re-coloured.
  richEdit.SetSelColor(SwatchColor[Text]);
  richEdit.SetFontColor(SwatchColor[Text]);
  FontSpec font = richEdit.Font();
  font.name = ComboBox1Text;
  richEdit.SetFont(font);
  font.size = StrToInt(ComboBox2Text);
  richEdit.SetFont(font);
  form1_.FontItalic = CheckBox1Checked;
  form1_.FontBold = CheckBox2Checked;
  form1_.ColoringOnOpen = CheckBox_ColoringChecked;
  // The editor's font is the whole text's, so the font and the selection's attributes are one
  // setting here: name, size and style all land with this call.
  font.italic = CheckBox1Checked;
  font.bold = CheckBox2Checked;
  richEdit.SetFont(font);
  richEdit.SetSelStart(SavedSelStart);
  if (CheckBox_ColoringChecked) form1_.ColorAllTags();
  form1_.RestoreUiState();
}

void TForm2::FormClose() {
  form1_.Platform1().SetMainWindowEnabled(true);
}

}  // namespace pemrin
