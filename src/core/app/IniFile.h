#pragma once
// The settings file: an ini file read and written one key at a time, straight from and to disk.
//
// A line "[NAME]" opens a section; "KEY=VALUE" is a key of the section it lies in; section and
// key names compare without case, blanks around names and values do not count. Lines starting
// with ';' and any other line are kept as they are. A write changes only the line of its key (or
// adds the key at the end of its section, or the section at the end of the file); every other
// byte of the file stays as it was, and the file is replaced whole or not at all.

#include <string>
#include <utility>

#include "app/Types.h"

namespace pemrin {

class IniFile {
 public:
  explicit IniFile(std::string path) : path_(std::move(path)) {}

  const std::string& FileName() const { return path_; }

  // The value of the key, or `defaultValue` when the file, the section or the key is missing.
  // At most 2047 bytes of a value are read, never half a double-byte character.
  Bytes ReadString(const Bytes& section, const Bytes& key, const Bytes& defaultValue) const;

  // A decimal integer with an optional leading '-', or hexadecimal after "0x" / "0X"; a value
  // that is no such integer or lies outside the range of int gives `defaultValue`.
  int ReadInteger(const Bytes& section, const Bytes& key, int defaultValue) const;

  // An integer read with the default 1 or 0: any value other than 0 is true.
  bool ReadBool(const Bytes& section, const Bytes& key, bool defaultValue) const;

  // Each write updates the file on disk at once. Throws PemrinError "%s に書き込めません" (the
  // file's path) when the file cannot be written; the file is then unchanged.
  void WriteString(const Bytes& section, const Bytes& key, const Bytes& value);
  void WriteInteger(const Bytes& section, const Bytes& key, int value);
  void WriteBool(const Bytes& section, const Bytes& key, bool value);

 private:
  std::string path_;
};

// The integer rule of ReadInteger applied to one value.
int ParseIniInteger(const Bytes& value, int defaultValue);

}  // namespace pemrin
