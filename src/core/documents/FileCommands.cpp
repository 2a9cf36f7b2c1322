// The file commands: the question before changes are lost, Open, Save, Save As, dropped files
// and the command-line file.

#include <cctype>

#include "app/TForm1.h"
#include "documents/DocumentFile.h"

namespace pemrin {

namespace {
constexpr const char* kRefusalText =
    "拡張子*.html, *.htm, *.shtml, *.txt以外のファイルは開けない仕様です。";
constexpr const char* kOpenErrorCaption = "Open Error";
}  // namespace

bool AcceptedExtension(const std::string& name) {
  std::string tail = name.size() < 4 ? name : name.substr(name.size() - 4);
  for (char& c : tail) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return tail == "HTML" || tail == ".HTM" || tail == ".TXT";
}

// Writes the document under path; FilePath names it only once the write has succeeded, so
// that Save never aims at a file the caption does not name.
void TForm1::SaveDocumentAs(const std::string& path) {
  SaveEditorToFile(richEdit_, path);
  FilePath = path;
  LoadOrSave("Save");
}

// Reads path into the editor; on a failed read FilePath and the document stay as they were.
void TForm1::LoadDocument(const std::string& path) {
  LoadFileIntoEditor(richEdit_, path);
  FilePath = path;
  LoadOrSave("Load");
}

void TForm1::ConfirmSave() {
  if (!Modified) return;
  MsgResult answer =
      platform_.MessageBox("更新作業中です。保存しますか？", "更新中の終了に対する警告",
                           MsgButtons::YesNo, MsgIcon::None);
  if (answer != MsgResult::Yes) return;
  std::optional<std::string> chosen = platform_.SaveFileDialog(FileTitle, FileTitle);
  if (!chosen) return;
  SaveDocumentAs(*chosen);
}

void TForm1::Open1Click() {
  ConfirmSave();
  bool retry = false;
  do {
    std::optional<std::string> chosen =
        platform_.OpenFileDialog(OpenDialogFileName, OpenDialogInitialDir);
    if (!chosen) continue;
    try {
      LoadDocument(*chosen);
      retry = false;
    } catch (const PemrinError& error) {
      retry = platform_.MessageBox(error.what(), kOpenErrorCaption, MsgButtons::RetryCancel,
                                   MsgIcon::None) == MsgResult::Retry;
    }
  } while (retry);
}

void TForm1::N2Click() {
  // A disabled Save item saves nothing, whichever way it is reached.
  if (!ItemEnabled(MenuItem::N2)) return;
  SaveEditorToFile(richEdit_, FilePath);
  LoadOrSave("Save");
}

void TForm1::SaveAs1Click() {
  std::optional<std::string> chosen = platform_.SaveFileDialog(FileTitle, FileTitle);
  if (!chosen) return;
  SaveDocumentAs(*chosen);
}

void TForm1::DropFiles(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  const std::string& name = paths.front();
  if (!AcceptedExtension(name)) {
    platform_.MessageBox(kRefusalText, kOpenErrorCaption, MsgButtons::Ok, MsgIcon::Warning);
    return;
  }
  LoadDocument(name);
}

void TForm1::CommandLineStep() {
  FilePath.clear();
  const std::vector<std::string> arguments = platform_.Arguments();
  if (!arguments.empty()) {
    if (AcceptedExtension(arguments.front())) {
      LoadFileIntoEditor(richEdit_, arguments.front());
      FilePath = arguments.front();
    } else {
      platform_.MessageBox(kRefusalText, kOpenErrorCaption, MsgButtons::Ok, MsgIcon::Warning);
    }
  }
  LoadOrSave("Load");
}

}  // namespace pemrin
