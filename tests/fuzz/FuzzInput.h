#pragma once
// Reads a fuzzer's bytes as a sequence of small decisions. Past the end every read gives zeros,
// so any input is a complete program of operations.

#include <cstddef>
#include <cstdint>
#include <string>

namespace pemrin::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool Empty() const { return pos_ >= size_; }

  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }

  // A number in 0 .. n - 1 (n >= 1), from one byte or, for n above 256, two.
  int Below(int n) {
    const unsigned raw = n > 256 ? (Byte() << 8 | Byte()) : Byte();
    return static_cast<int>(raw % static_cast<unsigned>(n));
  }

  // Up to `count` bytes, fewer at the end of the input.
  std::string Take(std::size_t count) {
    const std::size_t n = count < size_ - Clamp() ? count : size_ - Clamp();
    std::string bytes(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    return bytes;
  }

  // A string of at most maxLength bytes: its length byte, then its bytes.
  std::string String(int maxLength) { return Take(Below(maxLength + 1)); }

 private:
  std::size_t Clamp() {
    if (pos_ > size_) pos_ = size_;
    return pos_;
  }

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

}  // namespace pemrin::fuzz
