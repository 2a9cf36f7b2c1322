// The kanji-code converter on any bytes. Every buffer is allocated to its exact size, so
// AddressSanitizer reports any write past it.

#include <cstring>
#include <memory>

#include "FuzzTargets.h"
#include "documents/kanji/KanjiConverter.h"

namespace pemrin::fuzz {

void FuzzConverter(const std::uint8_t* data, std::size_t size) {
  // The program's buffer: 4 x L bytes, zero-filled, allocated exactly.
  const std::size_t capacity = 4 * size;
  std::unique_ptr<unsigned char[]> buffer(new unsigned char[capacity]());
  const ConversionResult full = ConvertToSjis(data, size, buffer.get(), capacity);
  Check(full.length <= capacity, "wrote past the buffer's length");
  Check(full.length <= 2 * size, "output longer than twice the input");

  // The status bar names the code the text was converted from.
  Check(GuessKanjiCode(data, size) == full.code, "GuessKanjiCode differs from the conversion");
  Check(StatusKanjiCode(data, size) == static_cast<int>(full.code),
        "StatusKanjiCode differs from the conversion");
  const int quick = DetectKanjiCode(data, size);
  Check(quick >= 0 && quick <= 2, "DetectKanjiCode outside 0..2");
  if (quick == 1) Check(full.code == KanjiCode::Jis, "escape sequence seen but not read as JIS");

  // Shift_JIS comes back byte for byte.
  if (full.code == KanjiCode::Sjis) {
    Check(full.length == size, "Shift_JIS changed length");
    Check(size == 0 || std::memcmp(buffer.get(), data, size) == 0, "Shift_JIS changed");
  }

  // Shift_JIS that no reading as EUC-JP or JIS could explain (ASCII without ESC, and characters
  // whose lead byte is 0x81-0x9F and trail byte 0x40-0x7E) comes back byte for byte.
  std::string sjis;
  for (std::size_t i = 0; i < size; ++i) {
    const unsigned b = data[i];
    if (b < 0x80) {
      sjis += static_cast<char>(b == 0x1B ? '[' : b);
    } else {
      sjis += static_cast<char>(0x81 + b % 31);
      sjis += static_cast<char>(0x40 + b * 7 % 63);
    }
  }
  KanjiCode sjisCode;
  Check(ConvertToSjis(sjis, &sjisCode) == sjis && sjisCode == KanjiCode::Sjis,
        "plain Shift_JIS was changed: " + Printable(sjis));

  // The string form gives the same bytes.
  KanjiCode code;
  const std::string whole =
      ConvertToSjis(std::string(reinterpret_cast<const char*>(data), size), &code);
  Check(code == full.code && whole.size() == full.length &&
            std::memcmp(whole.data(), buffer.get(), full.length) == 0,
        "the string form differs");

  // A smaller buffer, also exact: never overrun, and it receives the start of the output.
  if (size > 0) {
    const std::size_t small = (data[0] * 131u + size) % (2 * size + 1);
    std::unique_ptr<unsigned char[]> part(new unsigned char[small]);
    const ConversionResult cut = ConvertToSjis(data, size, part.get(), small);
    Check(cut.length <= small, "wrote past a small buffer");
    Check(cut.code == full.code, "a small buffer changed the code");
    Check(cut.length <= full.length, "a small buffer gave more output");
    Check(cut.length == 0 || std::memcmp(part.get(), buffer.get(), cut.length) == 0,
          "a small buffer gave other bytes");
  }
}

}  // namespace pemrin::fuzz
