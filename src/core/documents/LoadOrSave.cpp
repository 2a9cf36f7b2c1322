// What every load and save ends with: the conversion to Shift_JIS after a load, and the
// document state (caption, Save item, modified flag) brought up to date.

#include <new>
#include <vector>

#include "app/TForm1.h"
#include "documents/kanji/KanjiConverter.h"

namespace pemrin {

void TForm1::LoadOrSave(const std::string& word) {
  if (word != "Save") {
    ConvertToShiftJis();
    if (ColoringOnOpen) ColorAllTags();
    UpdateStatusBar();
    richEdit_.SetFocus();
    richEdit_.SetSelStart(0);
  }
  OpenDialogFileName = FilePath;
  OpenDialogInitialDir = FilePath;
  FileTitle = FilePath;
  SetCaption("Pemrin " + VersionText + " " + FileTitle);
  SetItemEnabled(MenuItem::N2, false);
  Modified = false;
}

void TForm1::ConvertToShiftJis() {
  const Bytes text = richEdit_.Text();
  const auto* source = reinterpret_cast<const unsigned char*>(text.data());
  std::vector<unsigned char> buffer;
  try {
    buffer.assign(text.size() * 4, 0);
  } catch (const std::bad_alloc&) {
    platform_.ShowMessage("メモリ不足です。");
    platform_.Exit(1);
  }
  const ConversionResult result = ConvertToSjis(source, text.size(), buffer.data(), buffer.size());
  // The status bar names the code the text was converted from; the simple rule's JIS pass
  // stays first, as users know it.
  KanjiCode = DetectKanjiCode(source, text.size()) == 1 ? 1 : static_cast<int>(result.code);
  Bytes converted(reinterpret_cast<const char*>(buffer.data()), result.length);
  // Shift_JIS comes back unchanged: putting the same text in again would only cost time.
  if (converted != text) richEdit_.SetText(converted);
}

}  // namespace pemrin
