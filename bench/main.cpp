// pemrin-bench: prints one line per figure, "name: value unit". Given figure names as
// arguments, it measures only those. Runs on the offscreen platform; no display needed.

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <set>
#include <string>

#include "Bench.h"

namespace pemrin::bench {

std::vector<Figure>& Figures() {
  static std::vector<Figure> figures;
  return figures;
}

double NowMs() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

double PeakRssMb() {
  FILE* status = std::fopen("/proc/self/status", "r");
  if (!status) return -1;
  char line[256];
  double kilobytes = -1;
  while (std::fgets(line, sizeof line, status)) {
    if (std::sscanf(line, "VmHWM: %lf kB", &kilobytes) == 1) break;
  }
  std::fclose(status);
  return kilobytes / 1024.0;
}

}  // namespace pemrin::bench

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::set<std::string> wanted(argv + 1, argv + argc);
  int unknown = static_cast<int>(wanted.size());
  for (const auto& figure : pemrin::bench::Figures()) {
    if (!wanted.empty() && !wanted.count(figure.name)) continue;
    if (!wanted.empty()) --unknown;
    double value = figure.measure();
    std::printf("%s: %.2f %s\n", figure.name.c_str(), value, figure.unit.c_str());
    std::fflush(stdout);
  }
  if (unknown > 0) {
    std::fprintf(stderr, "pemrin-bench: unknown figure name given\n");
    return 2;
  }
  return 0;
}
