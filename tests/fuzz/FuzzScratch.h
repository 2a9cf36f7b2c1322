#pragma once
// A folder of this process's own for the files a fuzz target reads and writes: in memory
// (/dev/shm) where there is one, since the targets replace files with an fsync on every write.

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace pemrin::fuzz {

inline const std::filesystem::path& ScratchDir() {
  static const std::filesystem::path dir = [] {
    std::error_code error;
    std::filesystem::path base = "/dev/shm";
    if (!std::filesystem::is_directory(base, error) || ::access(base.c_str(), W_OK) != 0) {
      base = std::filesystem::temp_directory_path();
    }
    std::filesystem::path made = base / ("pemrin-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(made, error);
    return made;
  }();
  return dir;
}

// Removes the folder when the process ends.
struct ScratchCleanup {
  ~ScratchCleanup() {
    std::error_code error;
    std::filesystem::remove_all(ScratchDir(), error);
  }
};

}  // namespace pemrin::fuzz
