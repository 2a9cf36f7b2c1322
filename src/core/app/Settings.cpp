// The settings file beside the program: read once at start-up, written once at close.
// Its texts (the font name and the document path) are UTF-8, the encoding of this system's
// file names and fonts.

#include "app/IniFile.h"
#include "app/TForm1.h"

namespace pemrin {

namespace {
constexpr const char* kForm = "FORM";
constexpr const char* kSet = "SET";
constexpr const char* kDefaultFontName = "ＭＳ ゴシック";
}  // namespace

void TForm1::ReadSettingsAtStart() {
  IniFile ini(ExeDir + "pemrin.ini");
  SetItemChecked(MenuItem::N9, ini.ReadBool(kSet, "SPW", true));

  platform_.CreateSplash();
  if (ItemChecked(MenuItem::N9)) {
    platform_.ShowSplash();
    platform_.ProcessEvents();
  }

  WindowGeometry geometry;
  geometry.top = ini.ReadInteger(kForm, "TOP", 100);
  geometry.left = ini.ReadInteger(kForm, "LEFT", 100);
  geometry.clientHeight = ini.ReadInteger(kForm, "HEIGHT", 300);
  geometry.clientWidth = ini.ReadInteger(kForm, "WIDTH", 500);
  platform_.SetGeometry(geometry);
  FormResize();

  TagColor = ini.ReadInteger(kSet, "TAG_COLOR", 65280);
  NnTagColor = ini.ReadInteger(kSet, "NN_COLOR", 32768);
  IeTagColor = ini.ReadInteger(kSet, "IE_COLOR", 16711680);
  richEdit_.SetColor(ini.ReadInteger(kSet, "BG_COLOR", 0));
  richEdit_.SetFontColor(ini.ReadInteger(kSet, "TXT_COLOR", 16777215));

  FontSpec font = richEdit_.Font();
  font.name = ini.ReadString(kSet, "FONT_NAME", kDefaultFontName);
  font.size = ini.ReadInteger(kSet, "FONT_SIZE", 10);
  FontItalic = ini.ReadBool(kSet, "FONT_ITALIC", false);
  FontBold = ini.ReadBool(kSet, "FONT_BOLD", false);
  font.italic = FontItalic;
  font.bold = FontBold;
  richEdit_.SetFont(font);

  ColoringOnOpen = ini.ReadBool(kSet, "COLORING", true);
  SetItemChecked(MenuItem::WordWrap1, ini.ReadBool(kSet, "WORDWRAP", false));
  richEdit_.SetWordWrap(ItemChecked(MenuItem::WordWrap1));
}

void TForm1::WriteSettingsAtClose() {
  IniFile ini(ExeDir + "pemrin.ini");
  const WindowGeometry geometry = platform_.Geometry();
  ini.WriteInteger(kForm, "TOP", geometry.top);
  ini.WriteInteger(kForm, "LEFT", geometry.left);
  ini.WriteInteger(kForm, "HEIGHT", geometry.clientHeight);
  ini.WriteInteger(kForm, "WIDTH", geometry.clientWidth);

  const FontSpec font = richEdit_.Font();
  ini.WriteInteger(kSet, "TAG_COLOR", static_cast<int>(TagColor));
  ini.WriteInteger(kSet, "NN_COLOR", static_cast<int>(NnTagColor));
  ini.WriteInteger(kSet, "IE_COLOR", static_cast<int>(IeTagColor));
  ini.WriteInteger(kSet, "BG_COLOR", static_cast<int>(richEdit_.Color()));
  ini.WriteInteger(kSet, "TXT_COLOR", static_cast<int>(richEdit_.FontColor()));
  ini.WriteString(kSet, "FONT_NAME", font.name);
  ini.WriteInteger(kSet, "FONT_SIZE", font.size);
  ini.WriteBool(kSet, "FONT_ITALIC", FontItalic);
  ini.WriteBool(kSet, "FONT_BOLD", FontBold);
  ini.WriteBool(kSet, "COLORING", ColoringOnOpen);
  ini.WriteString(kSet, "CUR_DIR", FilePath);
  ini.WriteBool(kSet, "WORDWRAP", ItemChecked(MenuItem::WordWrap1));
  ini.WriteBool(kSet, "SPW", ItemChecked(MenuItem::N9));
}

}  // namespace pemrin
