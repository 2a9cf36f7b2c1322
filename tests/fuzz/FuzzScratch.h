#pragma once
// A folder of this process's own for the files a fuzz target reads and writes: in memory
// (/dev/shm) where there is one, since the targets replace files with an fsync on every write.

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
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
    // Folders of processes that ended without their clean-up (a crash, libFuzzer's _Exit).
    for (const auto& entry : std::filesystem::directory_iterator(base, error)) {
      const std::string name = entry.path().filename().string();
      if (name.rfind("pemrin-fuzz-", 0) != 0) continue;
      const long pid = std::strtol(name.c_str() + 12, nullptr, 10);
      if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
        std::filesystem::remove_all(entry.path(), error);
      }
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
