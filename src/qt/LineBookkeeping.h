#pragma once
// What QtRichEdit keeps beside its QTextDocument, line by line: the bytes of each line, summed
// in a Fenwick tree so that a byte offset finds its line in O(log n), and the colours of each
// line's characters as runs. Qt-free.

#include <vector>

#include "app/Types.h"

namespace pemrin::qt {

// Byte lengths of the lines of a text whose line breaks count two bytes.
class LineByteIndex {
 public:
  // Replaces the whole index: the byte length of each line, without its line break.
  void Assign(std::vector<int> lineBytes);
  // Replaces lines [first, last) with the given lines.
  void Replace(int first, int last, const std::vector<int>& lineBytes);
  void Set(int line, int bytes);

  int Count() const { return static_cast<int>(bytes_.size()); }
  int Bytes(int line) const { return bytes_[line]; }
  // The first byte of a line.
  int Start(int line) const;
  // Bytes of the whole text.
  int Total() const { return Count() == 0 ? 0 : sum_ - 2; }
  // The last line whose first byte is at or before `byte`.
  int LineAt(int byte) const;

 private:
  void Rebuild() const;

  std::vector<int> bytes_;
  int sum_ = 0;                    // of bytes_ + 2 per line
  mutable std::vector<int> tree_;  // Fenwick tree over bytes_ + 2; empty when stale
};

struct ColorRun {
  int length;
  TColor color;
  bool operator==(const ColorRun&) const = default;
};

// The colours of one line's units: its text and, one unit more, its line break.
class LineColors {
 public:
  LineColors() = default;
  explicit LineColors(TColor color) : uniform_(color) {}

  TColor At(int unit) const;
  // Colours units [from, to) of a line of `length` units.
  void Fill(int from, int to, TColor color, int length);
  bool IsUniform() const { return runs_.empty(); }
  TColor UniformColor() const { return uniform_; }
  // Appends this line's runs (over `length` units) to `out`.
  void AppendRuns(int length, std::vector<ColorRun>& out) const;
  // The line of the given runs (neighbours of one colour merge).
  static LineColors FromRuns(const ColorRun* begin, const ColorRun* end);

 private:
  TColor uniform_ = 0;
  std::vector<ColorRun> runs_;  // empty: every unit is uniform_
};

// Removes `removed` units at `at` and puts `added` units of `color` there.
void SpliceRuns(std::vector<ColorRun>& runs, int at, int removed, int added, TColor color);

// Cuts runs into lines of the given unit counts; units the runs do not cover take `fill`.
std::vector<LineColors> SplitRuns(const std::vector<ColorRun>& runs,
                                  const std::vector<int>& lineUnits, TColor fill);

}  // namespace pemrin::qt
