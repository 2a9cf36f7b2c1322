#pragma once
// Basic types shared by every part of the core.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace pemrin {

// Document text, dictionary entries and templates: Shift_JIS (code page 932) bytes.
using Bytes = std::string;

// A colour as 0x00BBGGRR: red in the lowest byte.
using TColor = std::uint32_t;

constexpr TColor RgbToTColor(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int TColorRed(TColor c) { return c & 0xFF; }
constexpr int TColorGreen(TColor c) { return (c >> 8) & 0xFF; }
constexpr int TColorBlue(TColor c) { return (c >> 16) & 0xFF; }

// The program's error: its message (UTF-8) is shown in the application's standard error box.
class PemrinError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The program's fixed names.
inline constexpr const char* kAppTitle = "Pemrin v1.37";
inline constexpr const char* kVersionText = "v1.37";

}  // namespace pemrin
