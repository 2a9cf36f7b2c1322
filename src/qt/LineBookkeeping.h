#pragma once
// What QtRichEdit keeps beside its QTextDocument, line by line: the bytes of each line, summed
// so that a byte offset finds its line in O(log n), and the colours of each line's characters
// as runs. Qt-free.

#include <algorithm>
#include <iterator>
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

// A list kept in chunks of kChunk to 2 * kChunk elements (a lone chunk may hold fewer):
// adding or removing elements moves only those of the chunks they are in, and now and then
// rebuilds the sizes over the chunks, so neither grows with the list; an element is found by
// its index in O(log n).
template <class T>
class ChunkedList {
 public:
  static constexpr int kChunk = 64;

  // Chunks [first, first + removed) were replaced by chunks [first, first + added).
  struct Reshape {
    int first, removed, added;
  };

  ChunkedList() { Assign({}); }

  void Assign(std::vector<T> items) {
    chunks_.assign(1, std::vector<T>());
    sizes_.Assign({0});
    count_ = 0;
    Replace(0, 0, std::move(items));
  }

  // Replaces elements [first, last) with the given ones.
  Reshape Replace(int first, int last, std::vector<T> items) {
    const auto [cf, of] = Locate(first);
    auto [cl, ol] = Locate(last);
    // A range ending at a chunk's start ends in the chunk before it.
    if (last > first && ol == 0) {
      --cl;
      ol = static_cast<int>(chunks_[cl].size());
    }
    const int itemCount = static_cast<int>(items.size());
    if (cf == cl) {
      std::vector<T>& chunk = chunks_[cf];
      const int size = static_cast<int>(chunk.size()) - (ol - of) + itemCount;
      if (size > 0 && size <= 2 * kChunk && (size >= kChunk / 4 || chunks_.size() == 1)) {
        // The usual edit: one chunk takes the change.
        if (ol - of == itemCount) {
          std::move(items.begin(), items.end(), chunk.begin() + of);
        } else {
          chunk.erase(chunk.begin() + of, chunk.begin() + ol);
          chunk.insert(chunk.begin() + of, std::make_move_iterator(items.begin()),
                       std::make_move_iterator(items.end()));
        }
        count_ += size - sizes_.Value(cf);
        sizes_.Set(cf, size);
        return {cf, 1, 1};
      }
    }
    // The chunks the change touches, with a small remainder joined to a neighbour, are cut
    // anew; so every chunk but a lone one holds at least kChunk / 4 elements.
    std::vector<T> joined;
    joined.reserve(of + itemCount + chunks_[cl].size() - ol);
    std::move(chunks_[cf].begin(), chunks_[cf].begin() + of, std::back_inserter(joined));
    std::move(items.begin(), items.end(), std::back_inserter(joined));
    std::move(chunks_[cl].begin() + ol, chunks_[cl].end(), std::back_inserter(joined));
    int begin = cf, end = cl + 1;
    if (static_cast<int>(joined.size()) < kChunk / 4) {
      if (end < static_cast<int>(chunks_.size())) {
        std::move(chunks_[end].begin(), chunks_[end].end(), std::back_inserter(joined));
        ++end;
      } else if (begin > 0) {
        --begin;
        joined.insert(joined.begin(), std::make_move_iterator(chunks_[begin].begin()),
                      std::make_move_iterator(chunks_[begin].end()));
      }
    }
    std::vector<std::vector<T>> cut;
    const int n = static_cast<int>(joined.size());
    const int pieces = std::max(1, (n + kChunk - 1) / kChunk);
    for (int k = 0; k < pieces; ++k) {
      const int from = static_cast<int>(static_cast<long long>(n) * k / pieces);
      const int to = static_cast<int>(static_cast<long long>(n) * (k + 1) / pieces);
      cut.emplace_back(std::make_move_iterator(joined.begin() + from),
                       std::make_move_iterator(joined.begin() + to));
    }
    // A lone empty chunk stays when the list becomes empty: the end of a list is somewhere.
    if (n == 0 && (begin > 0 || end < static_cast<int>(chunks_.size()))) cut.clear();
    std::vector<int> sizes;
    for (const std::vector<T>& chunk : cut) sizes.push_back(static_cast<int>(chunk.size()));
    const Reshape reshape{begin, end - begin, static_cast<int>(cut.size())};
    chunks_.erase(chunks_.begin() + begin, chunks_.begin() + end);
    chunks_.insert(chunks_.begin() + begin, std::make_move_iterator(cut.begin()),
                   std::make_move_iterator(cut.end()));
    sizes_.Replace(begin, end, sizes);
    count_ = sizes_.Total();
    return reshape;
  }

  int size() const { return count_; }
  T& operator[](int i) {
    const auto [chunk, at] = Locate(i);
    return chunks_[chunk][at];
  }
  const T& operator[](int i) const {
    const auto [chunk, at] = Locate(i);
    return chunks_[chunk][at];
  }
  void push_back(T item) { Replace(count_, count_, std::vector<T>{std::move(item)}); }

  // The chunk holding an element and the element's place in it; an index past the last is the
  // end of the last chunk.
  std::pair<int, int> Locate(int i) const {
    if (i >= count_) {
      const int last = static_cast<int>(chunks_.size()) - 1;
      return {last, static_cast<int>(chunks_[last].size())};
    }
    // No chunk of a non-empty list is empty, so the chunk is the number of whole chunks before i.
    const int chunk = sizes_.CountUpTo(i);
    return {chunk, i - sizes_.Prefix(chunk)};
  }
  int ChunkCount() const { return static_cast<int>(chunks_.size()); }
  const std::vector<T>& Chunk(int chunk) const { return chunks_[chunk]; }
  // The index of a chunk's first element.
  int ChunkStart(int chunk) const { return sizes_.Prefix(chunk); }

  // Every element in order.
  template <class F>
  void ForEach(F&& f) {
    for (std::vector<T>& chunk : chunks_)
      for (T& item : chunk) f(item);
  }
  template <class F>
  void ForEach(F&& f) const {
    for (const std::vector<T>& chunk : chunks_)
      for (const T& item : chunk) f(item);
  }

 private:
  std::vector<std::vector<T>> chunks_;  // never empty: an empty list is one empty chunk
  Fenwick sizes_;                       // elements per chunk
  int count_ = 0;
};

// The bytes of the document's blocks. A block's text is followed by its break: 2 bytes (CR LF)
// for the end of a line, none for the last block or for a break the editor made itself inside
// a long line (a soft break). The blocks are a ChunkedList; each chunk keeps the sums of its
// bytes and breaks before each of its blocks, and the chunks' totals are summed in Fenwick
// trees: finding a block by its number, byte or line costs O(log n).
class LineByteIndex {
 public:
  struct Block {
    int text;
    int lineBreak;
  };

  void Assign(const std::vector<Block>& blocks);
  // Replaces blocks [first, last) with the given ones.
  void Replace(int first, int last, const std::vector<Block>& blocks);

  int Count() const { return blocks_.size(); }
  int TextBytes(int block) const { return blocks_[block].text; }
  int BreakBytes(int block) const { return blocks_[block].lineBreak; }
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

 private:
  // Bytes and line breaks before each block of a chunk, and after its last.
  struct ChunkSums {
    std::vector<int> bytes, breaks;
  };
  void Resum(const ChunkedList<Block>::Reshape& reshape);

  ChunkedList<Block> blocks_;
  std::vector<ChunkSums> sums_;  // one per chunk of blocks_
  Fenwick bytes_;                // text + break per chunk
  Fenwick breaks_;               // line breaks per chunk
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
