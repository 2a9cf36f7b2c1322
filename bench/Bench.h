#pragma once
// The benchmark program's registry: each figure is a function that returns one measured value.
// Figures register themselves from their own files with PEMRIN_BENCH_FIGURE.

#include <functional>
#include <string>
#include <vector>

namespace pemrin::bench {

struct Figure {
  std::string name;
  std::string unit;
  std::function<double()> measure;
};

std::vector<Figure>& Figures();

struct Registrar {
  Registrar(std::string name, std::string unit, std::function<double()> measure) {
    Figures().push_back({std::move(name), std::move(unit), std::move(measure)});
  }
};

// Milliseconds of a steady clock, for timing inside a figure.
double NowMs();

// The peak resident memory of this process image in MB (VmHWM: unlike getrusage, it does not
// carry over the parent's peak into a child started with fork and exec).
double PeakRssMb();

}  // namespace pemrin::bench

#define PEMRIN_BENCH_CONCAT2(a, b) a##b
#define PEMRIN_BENCH_CONCAT(a, b) PEMRIN_BENCH_CONCAT2(a, b)
// PEMRIN_BENCH_FIGURE("name", "unit") { return value; }
#define PEMRIN_BENCH_FIGURE(name, unit)                                                     \
  static double PEMRIN_BENCH_CONCAT(benchFigure_, __LINE__)();                              \
  static ::pemrin::bench::Registrar PEMRIN_BENCH_CONCAT(benchRegistrar_, __LINE__)(         \
      name, unit, &PEMRIN_BENCH_CONCAT(benchFigure_, __LINE__));                            \
  static double PEMRIN_BENCH_CONCAT(benchFigure_, __LINE__)()
