#include "qt/LineBookkeeping.h"

#include <algorithm>

namespace pemrin::qt {

// --- LineByteIndex ----------------------------------------------------------------------------

void LineByteIndex::Assign(std::vector<int> lineBytes) {
  bytes_ = std::move(lineBytes);
  sum_ = 0;
  for (int b : bytes_) sum_ += b + 2;
  tree_.clear();
}

void LineByteIndex::Replace(int first, int last, const std::vector<int>& lineBytes) {
  if (last - first == static_cast<int>(lineBytes.size())) {
    for (int i = first; i < last; ++i) Set(i, lineBytes[i - first]);
    return;
  }
  for (int i = first; i < last; ++i) sum_ -= bytes_[i] + 2;
  for (int b : lineBytes) sum_ += b + 2;
  bytes_.erase(bytes_.begin() + first, bytes_.begin() + last);
  bytes_.insert(bytes_.begin() + first, lineBytes.begin(), lineBytes.end());
  tree_.clear();
}

void LineByteIndex::Set(int line, int bytes) {
  const int delta = bytes - bytes_[line];
  if (delta == 0) return;
  bytes_[line] = bytes;
  sum_ += delta;
  if (tree_.empty()) return;
  for (int i = line + 1; i <= Count(); i += i & -i) tree_[i] += delta;
}

void LineByteIndex::Rebuild() const {
  const int n = Count();
  tree_.assign(n + 1, 0);
  for (int i = 1; i <= n; ++i) {
    tree_[i] += bytes_[i - 1] + 2;
    int parent = i + (i & -i);
    if (parent <= n) tree_[parent] += tree_[i];
  }
}

int LineByteIndex::Start(int line) const {
  if (tree_.empty()) Rebuild();
  int sum = 0;
  for (int i = line; i > 0; i -= i & -i) sum += tree_[i];
  return sum;
}

int LineByteIndex::LineAt(int byte) const {
  if (tree_.empty()) Rebuild();
  // Descend the tree: the largest count of lines whose bytes (with breaks) sum to <= byte.
  const int n = Count();
  int pos = 0;
  int step = 1;
  while (step * 2 <= n) step *= 2;
  for (; step > 0; step /= 2) {
    if (pos + step <= n && tree_[pos + step] <= byte) {
      pos += step;
      byte -= tree_[pos];
    }
  }
  return std::min(pos, n - 1);
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
