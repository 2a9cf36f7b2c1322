// libFuzzer's entry for one target, chosen when the target is built (PEMRIN_FUZZ_TARGET): a
// broken rule is reported and ends the run with a crash, which libFuzzer keeps as a reproducer.

#include <cstdio>
#include <cstdlib>

#include "FuzzTargets.h"

#ifdef PEMRIN_FUZZ_QT
#include <QApplication>

// Qt and fontconfig keep caches for the life of the process, which LeakSanitizer would report.
extern "C" const char* __asan_default_options() {
  return "detect_leaks=0";
}

// The application lives until the process ends; destroying it among the exit handlers, after
// parts of Qt it relies on, would crash.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  new QApplication(*argc, *argv);
  return 0;
}
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    pemrin::fuzz::PEMRIN_FUZZ_TARGET(data, size);
  } catch (const pemrin::fuzz::FuzzFailure& failure) {
    std::fprintf(stderr, "broken rule: %s\n", failure.what());
    std::abort();
  }
  return 0;
}
