#include "documents/DocumentFile.h"

#include "app/AtomicFile.h"

namespace pemrin {

Bytes ReadDocumentFile(const std::string& path) {
  Bytes bytes;
  if (ReadWholeFile(path, bytes) != ReadStatus::kOk) {
    throw PemrinError("ファイル " + path + " は開けません");
  }
  return bytes;
}

void LoadFileIntoEditor(EditorControl& editor, const std::string& path) {
  editor.SetText(ReadDocumentFile(path));
}

void WriteDocumentFile(const std::string& path, const Bytes& bytes) {
  if (ReplaceFileContents(path, bytes) != WriteStatus::kOk) {
    throw PemrinError("ファイル " + path + " を作成できません");
  }
}

void SaveEditorToFile(EditorControl& editor, const std::string& path) {
  WriteDocumentFile(path, editor.Text());
}

}  // namespace pemrin
