#pragma once
// The fuzz targets as plain functions: libFuzzer drives them (tests/fuzz/FuzzEntry.cpp), and the
// ordinary test run replays every input kept under tests/fuzz/corpus/<target>/ through them.
// A target returns normally or throws FuzzFailure saying which rule the input broke; memory
// errors are for the sanitizers to find.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace pemrin::fuzz {

struct FuzzFailure : std::logic_error {
  using std::logic_error::logic_error;
};

inline void Check(bool ok, const std::string& rule) {
  if (!ok) throw FuzzFailure(rule);
}

// Bytes for a report: printable ASCII as it is, every other byte as \xHH.
inline std::string Printable(const std::string& bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += static_cast<char>(c);
    } else {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

// The kanji-code converter and DetectKanjiCode on any bytes.
void FuzzConverter(const std::uint8_t* data, std::size_t size);
// A settings file of any bytes, then a sequence of reads and writes.
void FuzzIniFile(const std::uint8_t* data, std::size_t size);
// The string-list loader on any bytes.
void FuzzStringList(const std::uint8_t* data, std::size_t size);
// The main window's logic on MemoryEditor: a document, then keys and commands.
void FuzzEditing(const std::uint8_t* data, std::size_t size);
// MemoryEditor and QtRichEdit driven by the same EditorControl operations (needs a
// QApplication).
void FuzzEditors(const std::uint8_t* data, std::size_t size);

}  // namespace pemrin::fuzz
