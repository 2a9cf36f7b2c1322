#pragma once
// Reading a file into the editor and writing the editor's text to a file, byte for byte.

#include <string>

#include "app/Types.h"
#include "editor/EditorControl.h"

namespace pemrin {

// The file's bytes, or PemrinError "ファイル %s は開けません" when it cannot be read.
Bytes ReadDocumentFile(const std::string& path);

// Puts the file's bytes into the editor as they are; on an error nothing changes.
void LoadFileIntoEditor(EditorControl& editor, const std::string& path);

// Writes bytes to path so that the old file is replaced whole or not at all (see AtomicFile).
// On failure PemrinError "ファイル %s を作成できません" and the old file is untouched.
void WriteDocumentFile(const std::string& path, const Bytes& bytes);

// Writes the editor's text (Shift_JIS, CR LF, no formatting).
void SaveEditorToFile(EditorControl& editor, const std::string& path);

}  // namespace pemrin
