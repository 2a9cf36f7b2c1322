#pragma once
// Replays the inputs kept for a fuzz target (its corpus and the reproducers of what the fuzzers
// found: tests/fuzz/corpus/<target>/) through the target's function in the ordinary test run.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzTargets.h"

namespace pemrin::fuzz {

using FuzzFunction = void (*)(const std::uint8_t*, std::size_t);

inline void ReplayCorpus(const std::string& target, FuzzFunction function) {
  const std::filesystem::path dir =
      std::filesystem::path(PEMRIN_SOURCE_DIR) / "tests/fuzz/corpus" / target;
  ASSERT_TRUE(std::filesystem::is_directory(dir)) << dir;
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  EXPECT_FALSE(files.empty()) << "no inputs kept in " << dir;
  for (const auto& file : files) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    try {
      function(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    } catch (const FuzzFailure& failure) {
      ADD_FAILURE() << file.filename().string() << ": " << failure.what();
    } catch (const std::exception& error) {
      ADD_FAILURE() << file.filename().string() << ": exception: " << error.what();
    }
  }
}

}  // namespace pemrin::fuzz
