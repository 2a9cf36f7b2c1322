// libFuzzer target for the kanji-code converter. Built by hand, not by CMake, from the
// repository's top folder:
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I src/core
//       tests/fuzz/fuzz_converter.cpp src/core/documents/kanji/*.cpp -o /tmp/fz
//   /tmp/fz -max_total_time=60
// Every buffer is allocated to its exact size, so AddressSanitizer reports any write past it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "documents/kanji/KanjiConverter.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using pemrin::KanjiCode;
  // The program's buffer: 4 x L bytes, zero-filled, allocated exactly.
  const size_t capacity = 4 * size;
  std::unique_ptr<unsigned char[]> buffer(new unsigned char[capacity]());
  pemrin::ConversionResult full = pemrin::ConvertToSjis(data, size, buffer.get(), capacity);
  Check(full.length <= capacity);
  Check(full.length <= 2 * size);

  // The status bar names the code the text was converted from.
  Check(pemrin::GuessKanjiCode(data, size) == full.code);
  Check(pemrin::StatusKanjiCode(data, size) == static_cast<int>(full.code));
  int quick = pemrin::DetectKanjiCode(data, size);
  Check(quick >= 0 && quick <= 2);
  if (quick == 1) Check(full.code == KanjiCode::Jis);

  // Shift_JIS comes back byte for byte.
  if (full.code == KanjiCode::Sjis) {
    Check(full.length == size);
    Check(size == 0 || std::memcmp(buffer.get(), data, size) == 0);
  }

  // A smaller buffer, also exact: never overrun, and it receives the start of the output.
  if (size > 0) {
    size_t small = (data[0] * 131u + size) % (2 * size + 1);
    std::unique_ptr<unsigned char[]> part(new unsigned char[small]);
    pemrin::ConversionResult cut = pemrin::ConvertToSjis(data, size, part.get(), small);
    Check(cut.length <= small);
    Check(cut.code == full.code);
    Check(cut.length <= full.length);
    Check(cut.length == 0 || std::memcmp(part.get(), buffer.get(), cut.length) == 0);
  }
  return 0;
}
