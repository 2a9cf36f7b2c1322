#pragma once
// Whole-file reading and writing for the small files beside the program (settings, dictionaries,
// templates). A write never leaves a half-written file: the new contents go to a temporary file
// in the same folder, which then takes the old file's place in one rename.

#include <string>

#include "app/Types.h"

namespace pemrin {

enum class ReadStatus { kOk, kMissing, kFailed };

// Reads the whole file into `out`. kMissing when the file (or its folder) does not exist,
// kFailed when it exists but cannot be read or is not a plain file; `out` is then unchanged.
ReadStatus ReadWholeFile(const std::string& path, Bytes& out);

enum class WriteStatus { kOk, kCannotCreate, kCannotWrite };

// Replaces the file's contents with `data`, creating it if needed. kCannotCreate when no file
// can be made there (no such folder, no permission, the name taken by a folder), kCannotWrite
// when the file is write-protected or writing or replacing failed; in every case the old file
// is untouched. An existing file
// keeps its permission bits; a symbolic link keeps pointing at the file it named.
WriteStatus ReplaceFileContents(const std::string& path, const Bytes& data);

}  // namespace pemrin
