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

LineByteIndex::Chunk LineByteIndex::MakeChunk(std::vector<Block> blocks) {
  Chunk chunk;
  chunk.blocks = std::move(blocks);
  for (const Block& b : chunk.blocks) {
    chunk.bytes += b.text + b.lineBreak;
    chunk.breaks += b.lineBreak > 0 ? 1 : 0;
  }
  return chunk;
}

void LineByteIndex::Assign(const std::vector<Block>& blocks) {
  chunks_.clear();
  SpliceChunks(0, 0, {});
  Replace(0, 0, blocks);
}

void LineByteIndex::SpliceChunks(int first, int last, std::vector<Chunk> chunks) {
  chunks_.erase(chunks_.begin() + first, chunks_.begin() + last);
  chunks_.insert(chunks_.begin() + first, std::make_move_iterator(chunks.begin()),
                 std::make_move_iterator(chunks.end()));
  if (chunks_.empty()) chunks_.push_back(Chunk());  // the end of an empty list is somewhere
  std::vector<int> sizes, bytes, breaks;
  sizes.reserve(chunks_.size());
  bytes.reserve(chunks_.size());
  breaks.reserve(chunks_.size());
  count_ = 0;
  for (const Chunk& chunk : chunks_) {
    sizes.push_back(static_cast<int>(chunk.blocks.size()));
    bytes.push_back(chunk.bytes);
    breaks.push_back(chunk.breaks);
    count_ += sizes.back();
  }
  sizes_.Assign(std::move(sizes));
  bytes_.Assign(std::move(bytes));
  breaks_.Assign(std::move(breaks));
}

std::pair<int, int> LineByteIndex::Locate(int block) const {
  if (block >= count_) {
    const int last = static_cast<int>(chunks_.size()) - 1;
    return {last, static_cast<int>(chunks_[last].blocks.size())};
  }
  // No chunk is empty, so the chunk is the number of whole chunks before the block.
  const int chunk = sizes_.CountUpTo(block);
  return {chunk, block - sizes_.Prefix(chunk)};
}

const LineByteIndex::Block& LineByteIndex::At(int block) const {
  const auto [chunk, at] = Locate(block);
  return chunks_[chunk].blocks[at];
}

void LineByteIndex::Replace(int first, int last, const std::vector<Block>& blocks) {
  const auto [cf, of] = Locate(first);
  auto [cl, ol] = Locate(last);
  // A range ending at a chunk's start ends in the chunk before it.
  if (last > first && ol == 0) {
    --cl;
    ol = static_cast<int>(chunks_[cl].blocks.size());
  }
  if (cf == cl) {
    Chunk& chunk = chunks_[cf];
    const int size =
        static_cast<int>(chunk.blocks.size()) - (ol - of) + static_cast<int>(blocks.size());
    if (size > 0 && size <= 2 * kChunk && (size >= kChunk / 4 || chunks_.size() == 1)) {
      // The usual edit: the chunk takes the change, the trees a new value for it.
      for (int i = of; i < ol; ++i) {
        chunk.bytes -= chunk.blocks[i].text + chunk.blocks[i].lineBreak;
        chunk.breaks -= chunk.blocks[i].lineBreak > 0 ? 1 : 0;
      }
      for (const Block& b : blocks) {
        chunk.bytes += b.text + b.lineBreak;
        chunk.breaks += b.lineBreak > 0 ? 1 : 0;
      }
      if (ol - of == static_cast<int>(blocks.size())) {
        std::copy(blocks.begin(), blocks.end(), chunk.blocks.begin() + of);
      } else {
        chunk.blocks.erase(chunk.blocks.begin() + of, chunk.blocks.begin() + ol);
        chunk.blocks.insert(chunk.blocks.begin() + of, blocks.begin(), blocks.end());
      }
      count_ += size - (sizes_.Value(cf));
      sizes_.Set(cf, size);
      bytes_.Set(cf, chunk.bytes);
      breaks_.Set(cf, chunk.breaks);
      return;
    }
  }
  // The chunks the change touches, with a small remainder joined to a neighbour, are cut anew;
  // so every chunk but a lone one holds at least kChunk / 4 blocks.
  std::vector<Block> joined(chunks_[cf].blocks.begin(), chunks_[cf].blocks.begin() + of);
  joined.insert(joined.end(), blocks.begin(), blocks.end());
  joined.insert(joined.end(), chunks_[cl].blocks.begin() + ol, chunks_[cl].blocks.end());
  int begin = cf, end = cl + 1;
  if (static_cast<int>(joined.size()) < kChunk / 4) {
    if (end < static_cast<int>(chunks_.size())) {
      joined.insert(joined.end(), chunks_[end].blocks.begin(), chunks_[end].blocks.end());
      ++end;
    } else if (begin > 0) {
      --begin;
      joined.insert(joined.begin(), chunks_[begin].blocks.begin(), chunks_[begin].blocks.end());
    }
  }
  std::vector<Chunk> cut;
  const int n = static_cast<int>(joined.size());
  const int pieces = (n + kChunk - 1) / kChunk;
  for (int k = 0; k < pieces; ++k) {
    const int from = static_cast<int>(static_cast<long long>(n) * k / pieces);
    const int to = static_cast<int>(static_cast<long long>(n) * (k + 1) / pieces);
    cut.push_back(MakeChunk(std::vector<Block>(joined.begin() + from, joined.begin() + to)));
  }
  SpliceChunks(begin, end, std::move(cut));
}

int LineByteIndex::Start(int block) const {
  const auto [chunk, at] = Locate(block);
  int bytes = bytes_.Prefix(chunk);
  const std::vector<Block>& blocks = chunks_[chunk].blocks;
  for (int i = 0; i < at; ++i) bytes += blocks[i].text + blocks[i].lineBreak;
  return bytes;
}

int LineByteIndex::BlockAt(int byte) const {
  const int chunk = bytes_.CountUpTo(byte);
  if (chunk >= static_cast<int>(chunks_.size())) return count_ - 1;
  int rest = byte - bytes_.Prefix(chunk);
  int block = sizes_.Prefix(chunk);
  // The chunk's bytes run past `byte`, so this stops inside it.
  for (const Block& b : chunks_[chunk].blocks) {
    if (b.text + b.lineBreak > rest) break;
    rest -= b.text + b.lineBreak;
    ++block;
  }
  return std::min(block, count_ - 1);
}

int LineByteIndex::LineOfBlock(int block) const {
  const auto [chunk, at] = Locate(block);
  int line = breaks_.Prefix(chunk);
  const std::vector<Block>& blocks = chunks_[chunk].blocks;
  for (int i = 0; i < at; ++i) line += blocks[i].lineBreak > 0 ? 1 : 0;
  return line;
}

int LineByteIndex::FirstBlockOfLine(int line) const {
  if (line <= 0) return 0;
  if (line >= LineCount()) return -1;
  // The block holding the line-th break, and the one after it.
  const int chunk = breaks_.CountUpTo(line - 1);
  int rest = line - 1 - breaks_.Prefix(chunk);
  int block = sizes_.Prefix(chunk);
  for (const Block& b : chunks_[chunk].blocks) {
    if (b.lineBreak > 0) {
      if (rest == 0) break;
      --rest;
    }
    ++block;
  }
  return block + 1;
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
