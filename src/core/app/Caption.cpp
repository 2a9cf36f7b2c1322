// The caption, the modified state, the Save item and the status bar.

#include <string>

#include "app/TForm1.h"

namespace pemrin {

void TForm1::RichEdit1Change() {
  if (!FileTitle.empty()) SetItemEnabled(MenuItem::N2, true);
  SetCaption("Pemrin " + VersionText + " " + FileTitle + "(更新)");
  Modified = true;
}

void TForm1::SaveUiState() {
  SavedCaption = caption_;
  SavedSaveEnabled = n2Enabled_;
  SavedModified = Modified;
}

void TForm1::RestoreUiState() {
  SetCaption(SavedCaption);
  SetItemEnabled(MenuItem::N2, SavedSaveEnabled);
  Modified = SavedModified;
}

void TForm1::UpdateStatusBar() {
  std::string code = "SJIS";
  if (KanjiCode == 1) code = "JIS";
  if (KanjiCode == 2) code = "EUC";
  int line = richEdit_.LineFromChar(-1);
  int start = richEdit_.LineIndex(line);
  int column = richEdit_.SelStart() - start;
  statusText_ = "カーソル位置：" + std::to_string(line + 1) + "行" + std::to_string(column + 1) +
                "列　[" + code + "]";
  platform_.SetStatusText(statusText_);
}

void TForm1::RichEdit1KeyUp(int, ShiftState) {
  UpdateStatusBar();
}

void TForm1::RichEdit1MouseDown() {
  UpdateStatusBar();
}

}  // namespace pemrin
