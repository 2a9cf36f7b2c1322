#include "settings/StrToInt.h"

#include <climits>
#include <cstdint>

#include "app/Types.h"

namespace pemrin {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

int DigitValue(char c, int base) {
  int value = -1;
  if (c >= '0' && c <= '9') value = c - '0';
  if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value < base ? value : -1;
}

}  // namespace

int StrToInt(const std::string& text) {
  const auto fail = [&]() -> int { throw PemrinError("'" + text + "' は整数ではありません"); };

  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;

  bool negative = false;
  if (begin < end && (text[begin] == '+' || text[begin] == '-')) {
    negative = text[begin] == '-';
    ++begin;
  }
  int base = 10;
  if (begin < end && text[begin] == '$') {
    base = 16;
    begin += 1;
  } else if (end - begin > 2 && text[begin] == '0' &&
             (text[begin + 1] == 'x' || text[begin + 1] == 'X')) {
    base = 16;
    begin += 2;
  }
  if (begin == end) return fail();

  // Accumulate the magnitude; one past INT_MAX is allowed for the most negative value.
  const std::int64_t limit = negative ? -static_cast<std::int64_t>(INT_MIN) : INT_MAX;
  std::int64_t magnitude = 0;
  for (std::size_t i = begin; i < end; ++i) {
    const int digit = DigitValue(text[i], base);
    if (digit < 0) return fail();
    magnitude = magnitude * base + digit;
    if (magnitude > limit) return fail();
  }
  return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace pemrin
