// The distance table of 4000 rows in one run: every tier and the dispatched kernel into a
// reused table against writing that table once and against the tier's arithmetic floor, the
// plain loop, and, through the stand-in host, the plug-in making a fresh result against
// creating one and writing it once.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench/distance/arithmetic_floor.h"
#include "bench/processor_name.h"
#include "common/tier.h"
#include "common/tier_target.h"
#include "distance/row_distance.h"
#include "distance/row_distance_tiers.h"
#include "tests/distance/literal_table.h"

#if TIER_HAS_X86
#include <immintrin.h>
#endif

#if defined(BENCH_THROUGH_HOST)
#include "host/gateway/result_pages.h"
#include "tests/support/host_calls.h"
#endif

namespace {

constexpr std::int32_t kRows = 4000;
constexpr std::int32_t kColumnCounts[] = {3, 32, 256};
// The arithmetic floor at the widths the table is compared at, and at a narrower and a
// wider one: its time per lane-step must not depend on how long its loop runs.
constexpr std::int32_t kFloorColumnCounts[] = {16, 32, 256, 512};

// Pair-steps d = a - b; s = s + d * d of the table of kRows rows and `cols` columns.
std::int64_t laneSteps(std::int32_t cols) {
  return static_cast<std::int64_t>(kRows) * (kRows - 1) / 2 * cols;
}

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

// Every cell of the table written once, in order, with plain (not streaming) stores of
// 16, 32 or 64 bytes, aligned: the floor for writing the table. Wider stores keep more
// lines in flight, so the floor is the fastest of those this processor has.
using Writer = void (*)(double* out, std::ptrdiff_t cells);

// Plain stores up to the first 64-byte boundary; returns the first cell on it.
std::ptrdiff_t writeToLine(double* out, std::ptrdiff_t cells) {
  std::ptrdiff_t cell = 0;
  for (; cell < cells && reinterpret_cast<std::uintptr_t>(out + cell) % 64 != 0; ++cell) {
    out[cell] = 1.0;
  }
  return cell;
}

#if TIER_HAS_X86
void writeWith16(double* out, std::ptrdiff_t cells) {
  const __m128d one = _mm_set1_pd(1.0);
  std::ptrdiff_t cell = writeToLine(out, cells);
  for (; cell + 2 <= cells; cell += 2) _mm_store_pd(out + cell, one);
  for (; cell < cells; ++cell) out[cell] = 1.0;
}

TIER_TARGET_AVX2 void writeWith32(double* out, std::ptrdiff_t cells) {
  const __m256d one = _mm256_set1_pd(1.0);
  std::ptrdiff_t cell = writeToLine(out, cells);
  for (; cell + 4 <= cells; cell += 4) _mm256_store_pd(out + cell, one);
  for (; cell < cells; ++cell) out[cell] = 1.0;
}

TIER_TARGET_AVX512 void writeWith64(double* out, std::ptrdiff_t cells) {
  const __m512d one = _mm512_set1_pd(1.0);
  std::ptrdiff_t cell = writeToLine(out, cells);
  for (; cell + 8 <= cells; cell += 8) _mm512_store_pd(out + cell, one);
  for (; cell < cells; ++cell) out[cell] = 1.0;
}

// Store widths by the tier that has them, lowest first, as in kTiers.
const Writer kWriterByTier[] = {writeWith16, writeWith32, writeWith64};
const char* const kWriterNames[] = {"write_floor_16", "write_floor_32", "write_floor_64"};
#else
void writePlain(double* out, std::ptrdiff_t cells) {
  for (std::ptrdiff_t cell = 0; cell < cells; ++cell) out[cell] = 1.0;
}

const Writer kWriterByTier[] = {writePlain, writePlain, writePlain};
const char* const kWriterNames[] = {"write_floor_8", "write_floor_8", "write_floor_8"};
#endif

// The widest writer this processor runs.
Writer widestWriter() {
  return kWriterByTier[static_cast<int>(detectTier())];
}

template <int kTierIndex>
void writeFloor(const double*, std::int32_t, std::int32_t rows, double* out) {
  kWriterByTier[kTierIndex](out, static_cast<std::ptrdiff_t>(rows) * rows);
}

const RowDistanceFill kFloorByTier[] = {writeFloor<0>, writeFloor<1>, writeFloor<2>};

// Into one table, allocated and written before timing starts, as a caller reusing its
// table, or a host's allocator handing back the same memory, would have it.
void runReused(benchmark::State& state, RowDistanceFill fill) {
  const auto cols = static_cast<std::int32_t>(state.range(0));
  const std::vector<double> x = benchMatrix(kRows, cols);
  std::vector<double> table(static_cast<std::size_t>(kRows) * kRows, 0.5);
  for (auto _ : state) {
    fill(x.data(), cols, kRows, table.data());
    benchmark::DoNotOptimize(table.data());
    benchmark::ClobberMemory();
  }
}

// The lane-steps of the table at state.range(0) columns, in rounds of eight vector steps of
// the tier's width with every operand in a register.
void runFloor(benchmark::State& state, Tier tier) {
  const std::int64_t rounds =
      laneSteps(static_cast<std::int32_t>(state.range(0))) / (8 * floorLanes(tier));
  for (auto _ : state) benchmark::DoNotOptimize(runArithmeticFloor(tier, rounds));
}

#if defined(BENCH_THROUGH_HOST)
// The plug-in as a host calls it: a new result every call, whose pages are first written
// by the plug-in, then destroyed.
void runPlugin(benchmark::State& state) {
  const auto cols = static_cast<std::int32_t>(state.range(0));
  const StandinGateway gateway = loadGateway("rowdist");
  HostArrays arrays;
  const mxArray* input =
      arrays.matrix(kRows, static_cast<std::size_t>(cols), benchMatrix(kRows, cols));
  for (auto _ : state) {
    const GatewayCall call = callGateway(gateway, 1, {input});
    if (call.status != 0) state.SkipWithError(call.message.c_str());
    mxDestroyArray(call.outputs[0]);
  }
}

// The same through the host without the plug-in: create the result, advise its pages as the
// plug-in does, write each cell once in order, destroy it.
void runHostFloor(benchmark::State& state) {
  for (auto _ : state) {
    mxArray* table = createFreshMatrix(kRows, kRows);
    widestWriter()(mxGetPr(table), static_cast<std::ptrdiff_t>(kRows) * kRows);
    benchmark::ClobberMemory();
    mxDestroyArray(table);
  }
}
#endif

void registerAll() {
  const auto reused = [](const std::string& name, RowDistanceFill fill) {
    auto* b = benchmark::RegisterBenchmark(name.c_str(), runReused, fill);
    for (std::int32_t cols : kColumnCounts) b->Arg(cols);
    b->Unit(benchmark::kMillisecond)->UseRealTime();
  };
  reused("kernel", fillRowDistances);
  reused("literal", literalFill);
  for (Tier tier : kTiers) {
    if (tierRunsHere(tier)) reused(tierName(tier), rowDistanceFillFor(tier));
  }
  for (Tier tier : kTiers) {
    if (!tierRunsHere(tier)) continue;
    benchmark::RegisterBenchmark(kWriterNames[static_cast<int>(tier)], runReused,
                                 kFloorByTier[static_cast<int>(tier)])
        ->Arg(0)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
  for (Tier tier : kTiers) {
    if (!tierRunsHere(tier)) continue;
    auto* b = benchmark::RegisterBenchmark((std::string("floor_") + tierName(tier)).c_str(),
                                           runFloor, tier);
    for (std::int32_t cols : kFloorColumnCounts) b->Arg(cols);
    b->Unit(benchmark::kMillisecond)->UseRealTime();
  }
#if defined(BENCH_THROUGH_HOST)
  auto* plugin = benchmark::RegisterBenchmark("plugin_fresh", runPlugin);
  for (std::int32_t cols : kColumnCounts) plugin->Arg(cols);
  plugin->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark("host_floor", runHostFloor)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
#endif
}

// Remembers the best CPU seconds per iteration of each benchmark, by name, for the summary:
// CPU time, which counts the page faults of a fresh result, is less disturbed than wall
// time by other programs sharing the processor.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  SummaryReporter() : ConsoleReporter(OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
        const double seconds = run.cpu_accumulated_time / static_cast<double>(run.iterations);
        double& best = seconds_[run.benchmark_name()];
        best = best > 0.0 ? std::min(best, seconds) : seconds;
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  double ms(const std::string& name, const std::string& arg) const {
    const auto it = seconds_.find(name + arg + "/real_time");
    return it == seconds_.end() ? 0.0 : it->second * 1e3;
  }

 private:
  std::map<std::string, double> seconds_;
};

double ratio(double a, double b) {
  return a > 0.0 && b > 0.0 ? a / b : 0.0;
}

void printSummary(const SummaryReporter& r) {
  double floor = 0.0;
  std::string floorName;
  for (const char* name : kWriterNames) {
    const double ms = r.ms(name, "/0");
    if (ms > 0.0 && (floor <= 0.0 || ms < floor)) {
      floor = ms;
      floorName = name;
    }
  }
  std::printf("\nrowdist, M = %d, on %s (CPU time, best of the runs above)\n", kRows,
              processorName().c_str());
  std::printf("into a reused table; write floor %.2f ms (%s)\n", floor, floorName.c_str());
  std::printf("%6s %10s %10s %10s %16s\n", "N", "path", "ms", "/ floor", "literal / path");
  for (std::int32_t cols : kColumnCounts) {
    const std::string arg = "/" + std::to_string(cols);
    const double literal = r.ms("literal", arg);
    std::vector<std::string> paths = {"kernel"};
    for (Tier tier : kTiers) paths.push_back(tierName(tier));
    for (const std::string& path : paths) {
      const double ms = r.ms(path, arg);
      if (ms <= 0.0) continue;
      std::printf("%6d %10s %10.2f %9.2fx %15.2fx\n", cols, path.c_str(), ms, ratio(ms, floor),
                  ratio(literal, ms));
    }
  }
  std::printf("each tier against its arithmetic floor (the same lane-steps from registers)\n");
  std::printf("%6s %10s %10s %10s %9s\n", "N", "tier", "tier ms", "floor ms", "/ floor");
  for (std::int32_t cols : {32, 256}) {
    const std::string arg = "/" + std::to_string(cols);
    for (Tier tier : kTiers) {
      const double ms = r.ms(tierName(tier), arg);
      const double floorMs = r.ms(std::string("floor_") + tierName(tier), arg);
      if (floorMs <= 0.0) continue;
      std::printf("%6d %10s %10.2f %10.2f %8.2fx\n", cols, tierName(tier), ms, floorMs,
                  ratio(ms, floorMs));
    }
  }
  std::printf("the floor's time per lane-step (ps) as its loop grows\n%10s", "tier");
  for (std::int32_t cols : kFloorColumnCounts) std::printf(" %8s%-4d", "N = ", cols);
  std::printf("\n");
  for (Tier tier : kTiers) {
    const std::string name = std::string("floor_") + tierName(tier);
    if (r.ms(name, "/256") <= 0.0) continue;
    std::printf("%10s", tierName(tier));
    for (std::int32_t cols : kFloorColumnCounts) {
      const double ps = r.ms(name, "/" + std::to_string(cols)) * 1e9 / laneSteps(cols);
      std::printf(" %12.2f", ps);
    }
    std::printf("\n");
  }
  const double hostFloor = r.ms("host_floor", "");
  if (hostFloor <= 0.0) return;
  std::printf("a fresh result through the stand-in host; floor (create, write once) %.2f ms\n",
              hostFloor);
  std::printf("%6s %10s %10s\n", "N", "plug-in ms", "/ floor");
  for (std::int32_t cols : kColumnCounts) {
    const double ms = r.ms("plugin_fresh", "/" + std::to_string(cols));
    std::printf("%6d %10.2f %9.2fx\n", cols, ms, ratio(ms, hostFloor));
  }
}

}  // namespace

// Three repetitions in random order unless the command line says otherwise (its flags come
// later and win): the summary's best of each benchmark then comes from runs spread over the
// session, where back to back one burst of load from another program could spoil a tier's
// time and not its floor's.
int main(int argc, char** argv) {
  static char repetitions[] = "--benchmark_repetitions=3";
  static char interleaving[] = "--benchmark_enable_random_interleaving=true";
  std::vector<char*> args(argv, argv + argc);
  args.insert(args.begin() + 1, {repetitions, interleaving});
  int count = static_cast<int>(args.size());
  args.push_back(nullptr);
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  registerAll();
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  printSummary(reporter);
  benchmark::Shutdown();
  return 0;
}
