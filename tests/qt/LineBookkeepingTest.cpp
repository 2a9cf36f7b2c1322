// What QtRichEdit keeps line by line, checked against plain lists through random edits of every
// size: each query must give what the plain list gives.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "qt/LineBookkeeping.h"

namespace pemrin::qt {
namespace {

using Block = LineByteIndex::Block;

// What each query of the index means, computed from the whole list.
void ExpectSameAsList(const LineByteIndex& index, const std::vector<Block>& list) {
  const int n = static_cast<int>(list.size());
  ASSERT_EQ(index.Count(), n);
  int bytes = 0, breaks = 0;
  std::vector<int> starts, firstOfLine{0};
  for (int i = 0; i < n; ++i) {
    ASSERT_EQ(index.TextBytes(i), list[i].text) << i;
    ASSERT_EQ(index.BreakBytes(i), list[i].lineBreak) << i;
    ASSERT_EQ(index.Start(i), bytes) << i;
    ASSERT_EQ(index.LineOfBlock(i), breaks) << i;
    starts.push_back(bytes);
    bytes += list[i].text + list[i].lineBreak;
    if (list[i].lineBreak > 0) {
      ++breaks;
      firstOfLine.push_back(i + 1);
    }
  }
  ASSERT_EQ(index.Total(), bytes);
  ASSERT_EQ(index.LineCount(), breaks + 1);
  for (int line = 0; line <= breaks + 1; ++line)
    ASSERT_EQ(index.FirstBlockOfLine(line), line <= breaks ? firstOfLine[line] : -1) << line;
  int expected = 0;
  for (int byte = 0; byte <= bytes + 1; ++byte) {
    while (expected + 1 < n && starts[expected + 1] <= byte) ++expected;
    ASSERT_EQ(index.BlockAt(byte), expected) << byte;
  }
}

TEST(LineByteIndex, RandomEditsOfEverySizeAnswerAsTheWholeList) {
  std::mt19937 random(7);
  auto block = [&] {
    // Empty lines, soft breaks (no bytes) and a last block without a break all occur.
    const int kind = static_cast<int>(random() % 4);
    return Block{static_cast<int>(random() % 5), kind == 0 ? 0 : 2};
  };
  // From one block to a few hundred, so that chunks fill, split, shrink and merge.
  for (const int size : {1, 3, 70, 300}) {
    std::vector<Block> list;
    for (int i = 0; i < size; ++i) list.push_back(block());
    LineByteIndex index;
    index.Assign(list);
    ExpectSameAsList(index, list);
    for (int step = 0; step < 300; ++step) {
      const int n = static_cast<int>(list.size());
      const int first = static_cast<int>(random() % (n + 1));
      // Mostly one block for one or two (typing, Enter, joining lines), now and then many.
      const bool wide = random() % 10 == 0;
      const int last = std::min(n, first + static_cast<int>(random() % (wide ? 200 : 3)));
      std::vector<Block> fresh(random() % (wide ? 200 : 3));
      for (Block& b : fresh) b = block();
      if (n - (last - first) + static_cast<int>(fresh.size()) == 0) fresh.push_back(block());
      list.erase(list.begin() + first, list.begin() + last);
      list.insert(list.begin() + first, fresh.begin(), fresh.end());
      index.Replace(first, last, fresh);
      ExpectSameAsList(index, list);
      if (HasFatalFailure()) return;
    }
  }
}

// Elements that own memory, as the editor's lines do, keep their order and values through
// edits that fill, split, shrink and merge chunks.
TEST(ChunkedList, RandomEditsKeepTheElementsInOrder) {
  std::mt19937 random(11);
  std::vector<std::string> list;
  ChunkedList<std::string> chunked;
  int next = 0;
  for (int step = 0; step < 400; ++step) {
    const int n = static_cast<int>(list.size());
    const int first = static_cast<int>(random() % (n + 1));
    const bool wide = random() % 8 == 0;
    const int last = std::min(n, first + static_cast<int>(random() % (wide ? 150 : 3)));
    std::vector<std::string> fresh(random() % (wide ? 150 : 3));
    for (std::string& item : fresh) item = "line " + std::to_string(next++);
    list.erase(list.begin() + first, list.begin() + last);
    list.insert(list.begin() + first, fresh.begin(), fresh.end());
    chunked.Replace(first, last, fresh);
    ASSERT_EQ(chunked.size(), static_cast<int>(list.size()));
    std::vector<std::string> walked;
    chunked.ForEach([&](const std::string& item) { walked.push_back(item); });
    ASSERT_EQ(walked, list) << step;
    for (int i = 0; i < chunked.size(); ++i) ASSERT_EQ(chunked[i], list[i]) << step;
  }
}

}  // namespace
}  // namespace pemrin::qt
