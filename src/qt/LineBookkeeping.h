#pragma once
// What QtRichEdit keeps beside its QTextDocument, line by line: the bytes of each line, summed
// so that a byte offset finds its line in O(log n), and the colours of each line's characters
// as runs. Qt-free.

#include <utility>
#include <vector>

#include "app/Types.h"

namespace pemrin::qt {

// Sums over a list of values, each changed or searched in O(log n); a change in the number of
// values rebuilds the sums when they are next needed.
class Fenwick {
 public:
  void Assign(std::vector<int> values);
  // Replaces values [first, last) with the given ones.
  void Replace(int first, int last, const std::vector<int>& values);
  void Set(int i, int value);
  int Count() const { return static_cast<int>(values_.size()); }
  int Value(int i) const { return values_[i]; }
  int Total() const { return sum_; }
  // The sum of values [0, count).
  int Prefix(int count) const;
  // The largest count whose prefix sum is at most `sum`.
  int CountUpTo(int sum) const;

 private:
  void Rebuild() const;

  std::vector<int> values_;
  int sum_ = 0;
  mutable std::vector<int> tree_;  // empty when stale
};

// The bytes of the document's blocks. A block's text is followed by its break: 2 bytes (CR LF)
// for the end of a line, none for the last block or for a break the editor made itself inside
// a long line (a soft break).
//
// The blocks are kept in chunks of kChunk to 2 * kChunk, each with its sums, and the chunks'
// sums in Fenwick trees: adding or removing a block (Enter, joining lines) touches one chunk and
// now and then rebuilds the trees over the chunks, so neither grows with the number of lines;
// finding a block by its number, byte or line costs O(log n + kChunk).
class LineByteIndex {
 public:
  struct Block {
    int text;
    int lineBreak;
  };

  void Assign(const std::vector<Block>& blocks);
  // Replaces blocks [first, last) with the given ones.
  void Replace(int first, int last, const std::vector<Block>& blocks);

  int Count() const { return count_; }
  int TextBytes(int block) const { return At(block).text; }
  int BreakBytes(int block) const { return At(block).lineBreak; }
  // The first byte of a block.
  int Start(int block) const;
  int Total() const { return bytes_.Total(); }
  // The last block whose first byte is at or before `byte`.
  int BlockAt(int byte) const;

  // Lines are counted by their breaks of 2 bytes.
  int LineCount() const { return breaks_.Total() + 1; }
  int LineOfBlock(int block) const;
  // The first block of a line, or -1 for a line past the last.
  int FirstBlockOfLine(int line) const;

  static constexpr int kChunk = 64;

 private:
  struct Chunk {
    std::vector<Block> blocks;
    int bytes = 0;   // text + break of its blocks
    int breaks = 0;  // its breaks of 2 bytes
  };
  static Chunk MakeChunk(std::vector<Block> blocks);
  // The chunk holding a block and the block's place in it; a block past the last is the end
  // of the last chunk.
  std::pair<int, int> Locate(int block) const;
  const Block& At(int block) const;
  // Puts `chunks` in place of chunks [first, last) and rebuilds the trees' values.
  void SpliceChunks(int first, int last, std::vector<Chunk> chunks);

  std::vector<Chunk> chunks_;  // never empty: an empty list is one empty chunk
  int count_ = 0;
  Fenwick sizes_;   // blocks per chunk
  Fenwick bytes_;   // bytes per chunk
  Fenwick breaks_;  // line breaks per chunk
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
