// The distance table of 4000 rows against the plain loop and against writing the table
// alone, in one run, with the ratios printed at the end.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "common/tier.h"
#include "distance/row_distance.h"
#include "distance/row_distance_variants.h"

namespace {

constexpr std::int32_t kRows = 4000;
constexpr std::int32_t kColumnCounts[] = {3, 32, 256};

// The same values peer_scipy.py builds, so that both time the same matrices.
std::vector<double> benchMatrix(std::int32_t rows, std::int32_t cols) {
  std::vector<double> x(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
  for (std::int64_t c = 0; c < cols; ++c) {
    for (std::int64_t r = 0; r < rows; ++r) {
      x[static_cast<std::size_t>(r + c * rows)] =
          static_cast<double>((r * 7919 + c * 104729) % 100003) / 100003.0 - 0.5;
    }
  }
  return x;
}

// The table as first written: clear it, then one pair at a time, mirrored with a stride.
void literalFill(const double* data, std::int32_t cols, std::int32_t rows, double* out) {
  const std::ptrdiff_t m = rows;
  for (std::ptrdiff_t cell = 0; cell < m * m; ++cell) out[cell] = 0.0;
  for (std::ptrdiff_t i = 0; i + 1 < m; ++i) {
    for (std::ptrdiff_t j = i + 1; j < m; ++j) {
      double sum = 0.0;
      for (std::ptrdiff_t k = 0; k < cols; ++k) {
        const double d = data[i + k * m] - data[j + k * m];
        sum = sum + d * d;
      }
      const double dist = std::sqrt(sum);
      out[i + j * m] = dist;
      out[j + i * m] = dist;
    }
  }
}

// A table's worth of plain stores of one nonzero value: no build can write it faster.
void writeFloor(const double*, std::int32_t, std::int32_t rows, double* out) {
  const std::ptrdiff_t cells = static_cast<std::ptrdiff_t>(rows) * rows;
  for (std::ptrdiff_t cell = 0; cell < cells; ++cell) out[cell] = 1.0;
}

using Fill = void (*)(const double*, std::int32_t, std::int32_t, double*);

void runFill(benchmark::State& state, Fill fill) {
  const auto cols = static_cast<std::int32_t>(state.range(0));
  const std::vector<double> x = benchMatrix(kRows, cols);
  std::vector<double> table(static_cast<std::size_t>(kRows) * kRows, 0.5);
  for (auto _ : state) {
    fill(x.data(), cols, kRows, table.data());
    benchmark::DoNotOptimize(table.data());
    benchmark::ClobberMemory();
  }
}

void registerAll() {
  struct Entry {
    const char* name;
    Fill fill;
    Tier needs;
  };
  const Entry entries[] = {
      {"kernel", fillRowDistances, Tier::baseline},
      {"literal", literalFill, Tier::baseline},
      {"baseline", fillRowDistancesBaseline, Tier::baseline},
      {"avx2", fillRowDistancesAvx2, Tier::avx2},
      {"avx512", fillRowDistancesAvx512, Tier::avx512},
  };
  for (const Entry& e : entries) {
    if (!tierRunsHere(e.needs)) continue;
    auto* b = benchmark::RegisterBenchmark(e.name, runFill, e.fill);
    for (std::int32_t cols : kColumnCounts) b->Arg(cols);
    b->Unit(benchmark::kMillisecond)->UseRealTime();
  }
  benchmark::RegisterBenchmark("write_floor", runFill, writeFloor)
      ->Arg(0)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
}

// Remembers the best seconds per iteration of each benchmark, by name, for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  SummaryReporter() : ConsoleReporter(OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
        const double seconds = run.real_accumulated_time / static_cast<double>(run.iterations);
        double& best = seconds_[run.benchmark_name()];
        best = best > 0.0 ? std::min(best, seconds) : seconds;
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  double seconds(const std::string& name) const {
    const auto it = seconds_.find(name);
    return it == seconds_.end() ? 0.0 : it->second;
  }

 private:
  std::map<std::string, double> seconds_;
};

void printSummary(const SummaryReporter& r) {
  const double floor = r.seconds("write_floor/0/real_time");
  std::printf("\nrowdist, M = %d: write floor %.2f ms\n", kRows, floor * 1e3);
  std::printf("%6s %12s %12s %18s %16s\n", "N", "kernel ms", "literal ms", "literal / kernel",
              "kernel / floor");
  for (std::int32_t cols : kColumnCounts) {
    const std::string arg = "/" + std::to_string(cols) + "/real_time";
    const double kernel = r.seconds("kernel" + arg);
    const double literal = r.seconds("literal" + arg);
    if (kernel <= 0.0) continue;
    std::printf("%6d %12.2f %12.2f %17.2fx %15.2fx\n", cols, kernel * 1e3, literal * 1e3,
                literal / kernel, floor > 0.0 ? kernel / floor : 0.0);
  }
  std::printf("%14s", "each build, ms");
  for (std::int32_t cols : kColumnCounts) {
    std::printf("  %8s", ("N = " + std::to_string(cols)).c_str());
  }
  std::printf("\n");
  for (const char* build : {"sse2", "avx2", "avx512"}) {
    std::printf("%14s", build);
    for (std::int32_t cols : kColumnCounts) {
      std::printf("  %8.2f", r.seconds(build + ("/" + std::to_string(cols)) + "/real_time") * 1e3);
    }
    std::printf("\n");
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  registerAll();
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  printSummary(reporter);
  benchmark::Shutdown();
  return 0;
}
