// The main of the benchmarks that open windows: they are measured on Qt's
// offscreen platform unless another one is asked for, so they need no screen
// and paint just the same.
#include <benchmark/benchmark.h>
#include <stdlib.h>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
