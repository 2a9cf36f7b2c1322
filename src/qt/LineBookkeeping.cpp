#include "qt/LineBookkeeping.h"

#include <algorithm>

namespace pemrin::qt {

// --- Fenwick ----------------------------------------------------------------------------------

void Fenwick::Assign(std::vector<int> values) {
  values_ = std::move(values);
  sum_ = 0;
  for (int v : values_) sum_ += v;
  tree_.clear();
}

void Fenwick::Replace(int first, int last, const std::vector<int>& values) {
  if (last - first == static_cast<int>(values.size())) {
    for (int i = first; i < last; ++i) Set(i, values[i - first]);
    return;
  }
  for (int i = first; i < last; ++i) sum_ -= values_[i];
  for (int v : values) sum_ += v;
  values_.erase(values_.begin() + first, values_.begin() + last);
  values_.insert(values_.begin() + first, values.begin(), values.end());
  tree_.clear();
}

void Fenwick::Set(int i, int value) {
  const int delta = value - values_[i];
  if (delta == 0) return;
  values_[i] = value;
  sum_ += delta;
  if (tree_.empty()) return;
  for (int k = i + 1; k <= Count(); k += k & -k) tree_[k] += delta;
}

void Fenwick::Rebuild() const {
  const int n = Count();
  tree_.assign(n + 1, 0);
  for (int i = 1; i <= n; ++i) {
    tree_[i] += values_[i - 1];
    const int parent = i + (i & -i);
    if (parent <= n) tree_[parent] += tree_[i];
  }
}

int Fenwick::Prefix(int count) const {
  if (tree_.empty()) Rebuild();
  int sum = 0;
  for (int i = count; i > 0; i -= i & -i) sum += tree_[i];
  return sum;
}

int Fenwick::CountUpTo(int sum) const {
  if (tree_.empty()) Rebuild();
  const int n = Count();
  int count = 0;
  int step = 1;
  while (step * 2 <= n) step *= 2;
  for (; step > 0; step /= 2) {
    if (count + step <= n && tree_[count + step] <= sum) {
      count += step;
      sum -= tree_[count];
    }
  }
  return count;
}

// --- LineByteIndex ----------------------------------------------------------------------------

void LineByteIndex::Assign(const std::vector<Block>& blocks) {
  blocks_.Assign(blocks);
  sums_.clear();
  bytes_.Assign({});
  breaks_.Assign({});
  Resum({0, 0, blocks_.ChunkCount()});
}

void LineByteIndex::Replace(int first, int last, const std::vector<Block>& blocks) {
  Resum(blocks_.Replace(first, last, blocks));
}

void LineByteIndex::Resum(const ChunkedList<Block>::Reshape& reshape) {
  std::vector<ChunkSums> sums;
  std::vector<int> bytes, breaks;
  for (int c = reshape.first; c < reshape.first + reshape.added; ++c) {
    ChunkSums chunk;
    chunk.bytes.reserve(blocks_.Chunk(c).size() + 1);
    chunk.breaks.reserve(blocks_.Chunk(c).size() + 1);
    int chunkBytes = 0, chunkBreaks = 0;
    for (const Block& b : blocks_.Chunk(c)) {
      chunk.bytes.push_back(chunkBytes);
      chunk.breaks.push_back(chunkBreaks);
      chunkBytes += b.text + b.lineBreak;
      chunkBreaks += b.lineBreak > 0 ? 1 : 0;
    }
    chunk.bytes.push_back(chunkBytes);
    chunk.breaks.push_back(chunkBreaks);
    sums.push_back(std::move(chunk));
    bytes.push_back(chunkBytes);
    breaks.push_back(chunkBreaks);
  }
  if (reshape.removed == 1 && reshape.added == 1) {
    sums_[reshape.first] = std::move(sums.front());
  } else {
    sums_.erase(sums_.begin() + reshape.first, sums_.begin() + reshape.first + reshape.removed);
    sums_.insert(sums_.begin() + reshape.first, std::make_move_iterator(sums.begin()),
                 std::make_move_iterator(sums.end()));
  }
  bytes_.Replace(reshape.first, reshape.first + reshape.removed, bytes);
  breaks_.Replace(reshape.first, reshape.first + reshape.removed, breaks);
}

int LineByteIndex::Start(int block) const {
  const auto [chunk, at] = blocks_.Locate(block);
  return bytes_.Prefix(chunk) + sums_[chunk].bytes[at];
}

int LineByteIndex::BlockAt(int byte) const {
  const int chunk = bytes_.CountUpTo(byte);
  if (chunk >= blocks_.ChunkCount()) return Count() - 1;
  // The chunk's bytes run past `byte`: the last of its blocks that starts at or before it.
  const std::vector<int>& starts = sums_[chunk].bytes;
  const int rest = byte - bytes_.Prefix(chunk);
  const int at =
      static_cast<int>(std::upper_bound(starts.begin(), starts.end(), rest) - starts.begin()) - 1;
  return std::min(blocks_.ChunkStart(chunk) + at, Count() - 1);
}

int LineByteIndex::LineOfBlock(int block) const {
  const auto [chunk, at] = blocks_.Locate(block);
  return breaks_.Prefix(chunk) + sums_[chunk].breaks[at];
}

int LineByteIndex::FirstBlockOfLine(int line) const {
  if (line <= 0) return 0;
  if (line >= LineCount()) return -1;
  // The block holding the line-th break, and the one after it.
  const int chunk = breaks_.CountUpTo(line - 1);
  const std::vector<int>& before = sums_[chunk].breaks;
  const int rest = line - 1 - breaks_.Prefix(chunk);
  const int at =
      static_cast<int>(std::upper_bound(before.begin(), before.end(), rest) - before.begin()) - 1;
  return blocks_.ChunkStart(chunk) + at + 1;
}

// --- LineColors -------------------------------------------------------------------------------

TColor LineColors::At(int unit) const {
  if (runs_.empty()) return uniform_;
  for (const ColorRun& run : runs_) {
    if (unit < run.length) return run.color;
    unit -= run.length;
  }
  return runs_.back().color;
}

void LineColors::AppendRuns(int length, std::vector<ColorRun>& out) const {
  if (runs_.empty()) {
    if (length > 0) out.push_back({length, uniform_});
    return;
  }
  out.insert(out.end(), runs_.begin(), runs_.end());
}

LineColors LineColors::FromRuns(const ColorRun* begin, const ColorRun* end) {
  LineColors line;
  for (const ColorRun* run = begin; run != end; ++run) {
    if (run->length <= 0) continue;
    if (!line.runs_.empty() && line.runs_.back().color == run->color)
      line.runs_.back().length += run->length;
    else
      line.runs_.push_back(*run);
  }
  if (line.runs_.size() <= 1) {
    if (!line.runs_.empty()) line.uniform_ = line.runs_.front().color;
    line.runs_.clear();
  }
  return line;
}

void LineColors::Fill(int from, int to, TColor color, int length) {
  from = std::clamp(from, 0, length);
  to = std::clamp(to, from, length);
  if (from == to) return;
  if (from == 0 && to == length) {
    runs_.clear();
    uniform_ = color;
    return;
  }
  std::vector<ColorRun> runs;
  AppendRuns(length, runs);
  SpliceRuns(runs, from, to - from, to - from, color);
  *this = FromRuns(runs.data(), runs.data() + runs.size());
}

// --- Runs -------------------------------------------------------------------------------------

void SpliceRuns(std::vector<ColorRun>& runs, int at, int removed, int added, TColor color) {
  std::vector<ColorRun> out;
  out.reserve(runs.size() + 2);
  int pos = 0;
  bool inserted = false;
  auto insert = [&] {
    if (!inserted && added > 0) out.push_back({added, color});
    inserted = true;
  };
  for (const ColorRun& run : runs) {
    const int begin = pos, end = pos + run.length;
    pos = end;
    // The part before the removed range, then the new units, then the part after it.
    if (begin < at) out.push_back({std::min(end, at) - begin, run.color});
    if (end >= at) insert();
    if (end > at + removed) {
      const int keepFrom = std::max(begin, at + removed);
      out.push_back({end - keepFrom, run.color});
    }
  }
  insert();
  runs.clear();
  for (const ColorRun& run : out) {
    if (run.length <= 0) continue;
    if (!runs.empty() && runs.back().color == run.color)
      runs.back().length += run.length;
    else
      runs.push_back(run);
  }
}

std::vector<LineColors> SplitRuns(const std::vector<ColorRun>& runs,
                                  const std::vector<int>& lineUnits, TColor fill) {
  std::vector<LineColors> lines;
  lines.reserve(lineUnits.size());
  std::size_t r = 0;
  int usedOfRun = 0;
  std::vector<ColorRun> piece;
  for (int units : lineUnits) {
    piece.clear();
    while (units > 0) {
      if (r >= runs.size()) {
        piece.push_back({units, fill});
        break;
      }
      const int take = std::min(units, runs[r].length - usedOfRun);
      piece.push_back({take, runs[r].color});
      units -= take;
      usedOfRun += take;
      if (usedOfRun == runs[r].length) {
        ++r;
        usedOfRun = 0;
      }
    }
    lines.push_back(LineColors::FromRuns(piece.data(), piece.data() + piece.size()));
  }
  return lines;
}

}  // namespace pemrin::qt
