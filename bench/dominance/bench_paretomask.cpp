// The dominance passes on seeded workloads, in one run: the shipped passes (dispatched, and
// each tier on its own) against the literal procedure where it finishes, and, where the
// front is small, against the floor of reading the matrix once. Speed-ups over earlier
// commits come from `make bench-compare`, which runs this program as built at both.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "bench/dominance/literal_marking.h"
#include "bench/dominance/two_set_workloads.h"
#include "bench/dominance/workloads.h"
#include "bench/processor_name.h"
#include "common/tier.h"
#include "dominance/dominance.h"
#include "dominance/passes/across_sets.h"
#include "dominance/passes/within_set.h"

#if defined(BENCH_THROUGH_HOST)
#include "tests/support/host_calls.h"
#endif

namespace {

using Generator = Workload (*)(std::int32_t rows, std::int32_t cols, std::uint64_t seed);

// A workload built on first use, so that a filtered run builds only what it times.
class LazyWorkload {
 public:
  LazyWorkload() = default;
  LazyWorkload(Generator make, std::int32_t rows, std::int32_t cols, std::uint64_t seed)
      : make_(make), rows_(rows), cols_(cols), seed_(seed) {}

  const Workload& get() const {
    if (!built_) built_ = std::make_shared<Workload>(make_(rows_, cols_, seed_));
    return *built_;
  }
  bool empty() const { return make_ == nullptr; }

 private:
  Generator make_ = nullptr;
  std::int32_t rows_ = 0;
  std::int32_t cols_ = 0;
  std::uint64_t seed_ = 0;
  mutable std::shared_ptr<Workload> built_;
};

struct Case {
  std::string name;
  LazyWorkload first;
  LazyWorkload second;  // empty: the one-matrix form
  bool literal;         // the literal procedure finishes in reasonable time
  bool tiers;           // each tier is timed too
  bool floor;           // a small front: time against one read of the matrix
  bool host = false;    // also the plug-in through the stand-in host, fresh flags each call
};

// stacked: the one-matrix call on both sets' rows, first above second. first_within: the
// within-set pass on the first set alone, the part of the two-matrix call before the cross-set
// pass.
enum class Pass { literal, shipped, tier, readFloor, stacked, firstWithin };

MatrixView viewOf(const Workload& w) {
  return MatrixView{w.rows, w.cols, w.values.data()};
}

// One pass that sums the whole matrix, with enough independent sums that the additions keep
// up with memory: what any pass that reads every value once costs at least.
double sumOf(const Workload& w) {
  double sums[8] = {};
  const std::size_t n = w.values.size();
  std::size_t p = 0;
  for (; p + 8 <= n; p += 8) {
    for (int k = 0; k < 8; ++k) sums[k] += w.values[p + static_cast<std::size_t>(k)];
  }
  for (; p < n; ++p) sums[0] += w.values[p];
  double total = 0.0;
  for (const double s : sums) total += s;
  return total;
}

// Flags start at 1.0 in every iteration, as a host's fresh result vectors do.
// `c` lives as long as the program, so every pass of a workload shares its one copy.
void runPass(benchmark::State& state, const Case* c, Pass pass, Tier tier) {
  const Workload& a = c->first.get();
  const Workload* b = c->second.empty() ? nullptr : &c->second.get();
  if (pass == Pass::stacked) {
    const Workload stacked = stackedRows(a, *b);
    std::vector<double> flags(static_cast<std::size_t>(stacked.rows));
    for (auto _ : state) {
      std::fill(flags.begin(), flags.end(), 1.0);
      markWithinSet(viewOf(stacked), flags.data());
      benchmark::DoNotOptimize(flags.data());
    }
    return;
  }
  if (pass == Pass::firstWithin) {
    std::vector<double> flags(static_cast<std::size_t>(a.rows));
    for (auto _ : state) {
      std::fill(flags.begin(), flags.end(), 1.0);
      markWithinSet(viewOf(a), flags.data());
      benchmark::DoNotOptimize(flags.data());
    }
    return;
  }
  std::vector<double> fa(static_cast<std::size_t>(a.rows));
  std::vector<double> fb(b != nullptr ? static_cast<std::size_t>(b->rows) : 0);
  for (auto _ : state) {
    if (pass == Pass::readFloor) {
      benchmark::DoNotOptimize(sumOf(a));
      continue;
    }
    std::fill(fa.begin(), fa.end(), 1.0);
    std::fill(fb.begin(), fb.end(), 1.0);
    if (pass == Pass::literal) {
      literal::markWithinSet(viewOf(a), fa.data());
      if (b != nullptr) literal::markAcrossSets(viewOf(a), fa.data(), viewOf(*b), fb.data());
    } else if (pass == Pass::shipped) {
      markWithinSet(viewOf(a), fa.data());
      if (b != nullptr) markAcrossSets(viewOf(a), fa.data(), viewOf(*b), fb.data());
    } else {
      markWithinSetFor(tier, viewOf(a), fa.data());
      if (b != nullptr) markAcrossSetsFor(tier, viewOf(a), fa.data(), viewOf(*b), fb.data());
    }
    benchmark::DoNotOptimize(fa.data());
    benchmark::DoNotOptimize(fb.data());
  }
}

#if defined(BENCH_THROUGH_HOST)
// The plug-in as a host calls it: new flags every call, first written by the plug-in, then
// destroyed.
void runPlugin(benchmark::State& state, const Case* c) {
  const StandinGateway gateway = loadGateway("paretomask");
  HostArrays arrays;
  const Workload& a = c->first.get();
  const mxArray* input =
      arrays.matrix(static_cast<std::size_t>(a.rows), static_cast<std::size_t>(a.cols), a.values);
  for (auto _ : state) {
    const GatewayCall call = callGateway(gateway, 1, {input});
    if (call.status != 0) state.SkipWithError(call.message.c_str());
    mxDestroyArray(call.outputs[0]);
  }
}
#endif

// 64-bit FNV-1a of the values' bytes, in hexadecimal.
std::string fingerprint(const Workload& w) {
  std::uint64_t hash = 1469598103934665603u;
  const auto* bytes = reinterpret_cast<const unsigned char*>(w.values.data());
  for (std::size_t i = 0; i < w.values.size() * sizeof(double); ++i) {
    hash = (hash ^ bytes[i]) * 1099511628211u;
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return std::to_string(w.rows) + "x" + std::to_string(w.cols) + ":" + text;
}

// After the usual table, per workload: the shipped time, its speed-up over the literal
// procedure, its multiple of the read floor, and each tier's time. CPU time, the best of the
// repetitions, so that other work on a shared machine weighs less.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  explicit SummaryReporter(std::vector<std::string> workloads) : workloads_(std::move(workloads)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
      const double ms = run.GetAdjustedCPUTime();
      const auto known = ms_.find(run.benchmark_name());
      if (known == ms_.end() || ms < known->second) ms_[run.benchmark_name()] = ms;
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\nparetomask passes on %s (CPU ms, best of the runs above)\n",
                processorName().c_str());
    for (const std::string& workload : workloads_) {
      const double* shipped = timeOf(workload, "shipped");
      if (shipped == nullptr) continue;
      std::printf("  %-28s shipped %9.4g", workload.c_str(), *shipped);
      if (const double* literal = timeOf(workload, "literal")) {
        std::printf("  literal %9.4g (%.1fx)", *literal, *literal / *shipped);
      }
      if (const double* stacked = timeOf(workload, "stacked")) {
        std::printf("  stacked %9.4g (x%.2f)", *stacked, *shipped / *stacked);
        if (const double* within = timeOf(workload, "first_within")) {
          std::printf("  first within %9.4g (x%.2f)", *within, *within / *stacked);
        }
      }
      if (const double* floor = timeOf(workload, "read_floor")) {
        std::printf("  read floor %.3g (x%.2f)", *floor, *shipped / *floor);
      }
      for (const Tier tier : kTiers) {
        if (const double* ms = timeOf(workload, tierName(tier))) {
          std::printf("  %s %.4g", tierName(tier), *ms);
        }
      }
      std::printf("\n");
    }
  }

 private:
  const double* timeOf(const std::string& workload, const std::string& pass) const {
    const auto found = ms_.find(workload + "/" + pass);
    return found == ms_.end() ? nullptr : &found->second;
  }

  std::vector<std::string> workloads_;
  std::map<std::string, double> ms_;
};

// The --benchmark_filter of the command line ("." when none), read before the library
// consumes it.
std::string filterOf(int argc, char** argv) {
  const char* const flag = "--benchmark_filter=";
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], flag, std::strlen(flag)) == 0) {
      const std::string filter = argv[i] + std::strlen(flag);
      return filter.empty() || filter == "all" ? "." : filter;
    }
  }
  return ".";
}

std::vector<Case> allCases() {
  const LazyWorkload none;
  const auto one = [&none](const char* name, Generator make, std::int32_t rows, std::int32_t cols,
                           std::uint64_t seed, bool literal, bool tiers, bool floor = false) {
    return Case{name, LazyWorkload(make, rows, cols, seed), none, literal, tiers, floor};
  };
  const auto host = [](Case c) {
    c.host = true;
    return c;
  };
  std::vector<Case> cases = {
      one("uniform_100000x2", uniformRows, 100000, 2, 1, true, true),
      one("uniform_1000000x2", uniformRows, 1000000, 2, 11, true, false, true),
      host(one("uniform_10000000x2", uniformRows, 10000000, 2, 14, false, false, true)),
      one("uniform_100000x3", uniformRows, 100000, 3, 2, true, true),
      one("integers_100000x3", integerRows, 100000, 3, 7, true, true),
      one("front_20000x3", frontRows, 20000, 3, 4, true, true),
      one("uniform_20000x5", uniformRows, 20000, 5, 12, true, false),
      one("uniform_200000x6", uniformRows, 200000, 6, 13, false, false),
      one("front_5000x8", frontRows, 5000, 8, 14, true, false),
      one("front_20000x2", frontRows, 20000, 2, 3, true, true),
      one("front_100000x2", frontRows, 100000, 2, 15, false, false),
      one("front_10000x5", frontRows, 10000, 5, 5, true, true),
      one("uniform_20000x8", uniformRows, 20000, 8, 6, true, true),
      one("uniform_20000x16", uniformRows, 20000, 16, 23, true, false),
      one("front_50000x4", frontRows, 50000, 4, 16, false, true),
      one("concave_50000x4", concaveFrontRows, 50000, 4, 17, false, false),
      one("clustered_50000x4", clusteredFrontRows, 50000, 4, 18, false, false),
      one("mixed_50000x4", mixedFrontRows, 50000, 4, 19, false, false),
      one("front_50000x6", frontRows, 50000, 6, 20, false, false),
      one("front_200000x4", frontRows, 200000, 4, 21, false, false),
      one("front_1000000x4", frontRows, 1000000, 4, 22, false, false),
      one("uniform_200x3", uniformRows, 200, 3, 8, true, true),
      // The skyline literature's sets at the sizes it compares: independent, correlated and
      // anti-correlated rows, and a sphere front.
      one("independent_100000x3", uniformRows, 100000, 3, 31, false, false, true),
      one("independent_1000000x3", uniformRows, 1000000, 3, 32, false, false, true),
      one("independent_1000000x4", uniformRows, 1000000, 4, 33, false, true, true),
      one("independent_1000000x6", uniformRows, 1000000, 6, 34, false, false, true),
      one("independent_100000x8", uniformRows, 100000, 8, 35, false, false),
      one("correlated_1000000x4", correlatedRows, 1000000, 4, 36, false, true, true),
      one("correlated_1000000x6", correlatedRows, 1000000, 6, 37, false, false, true),
      one("correlated_1000000x8", correlatedRows, 1000000, 8, 38, false, false, true),
      one("anticorrelated_100000x3", antiCorrelatedRows, 100000, 3, 39, false, false),
      one("anticorrelated_1000000x4", antiCorrelatedRows, 1000000, 4, 40, false, false),
      one("anticorrelated_100000x6", antiCorrelatedRows, 100000, 6, 41, false, false),
      one("anticorrelated_1000000x6", antiCorrelatedRows, 1000000, 6, 42, false, false),
      one("anticorrelated_100000x8", antiCorrelatedRows, 100000, 8, 43, false, false),
      one("sphere_50000x8", frontRows, 50000, 8, 44, false, false),
      // Shapes no algorithm here was tuned on.
      one("listings_1000000x4", listingRows, 1000000, 4, 45, false, false, true),
      one("scaled_1000000x4", scaledRows, 1000000, 4, 46, false, false, true),
      one("leading_1000000x4", leadingColumnRows, 1000000, 4, 47, false, false, true),
      one("clusters_1000000x4", clusteredRows, 1000000, 4, 48, false, false, true),
      Case{"two_sets_5000x3", LazyWorkload(uniformRows, 5000, 3, 9),
           LazyWorkload(uniformRows, 5000, 3, 10), true, true, false},
  };
  for (const TwoSetSpec& w : twoSetSpecs()) {
    cases.push_back(Case{w.name, LazyWorkload(w.first.make, w.first.rows, w.cols, w.first.seed),
                         LazyWorkload(w.second.make, w.second.rows, w.cols, w.second.seed),
                         w.literal, false, false});
  }
  return cases;
}

}  // namespace

int main(int argc, char** argv) {
  static const std::vector<Case> cases = allCases();
  const std::regex filter(filterOf(argc, argv));
  std::vector<std::string> workloads;
  for (const Case& c : cases) {
    workloads.push_back(c.name);
    std::vector<std::pair<std::string, std::pair<Pass, Tier>>> passes;
    if (c.literal) passes.push_back({"literal", {Pass::literal, Tier::baseline}});
    passes.push_back({"shipped", {Pass::shipped, Tier::baseline}});
    if (c.floor) passes.push_back({"read_floor", {Pass::readFloor, Tier::baseline}});
    if (!c.second.empty()) {
      passes.push_back({"stacked", {Pass::stacked, Tier::baseline}});
      passes.push_back({"first_within", {Pass::firstWithin, Tier::baseline}});
    }
    for (const Tier tier : kTiers) {
      if (c.tiers && tierRunsHere(tier)) passes.push_back({tierName(tier), {Pass::tier, tier}});
    }
    bool matched = false;
    for (const auto& [name, pass] : passes) {
      const std::string full = c.name + "/" + name;
      matched = matched || std::regex_search(full, filter);
      benchmark::RegisterBenchmark(full.c_str(), runPass, &c, pass.first, pass.second)
          ->Unit(benchmark::kMillisecond);
    }
#if defined(BENCH_THROUGH_HOST)
    if (c.host) {
      const std::string full = c.name + "/plugin_fresh";
      matched = matched || std::regex_search(full, filter);
      benchmark::RegisterBenchmark(full.c_str(), runPlugin, &c)->Unit(benchmark::kMillisecond);
    }
#endif
    // What the inputs were, for comparisons between builds: only of the workloads that run.
    if (matched) {
      std::string print = fingerprint(c.first.get());
      if (!c.second.empty()) print += " " + fingerprint(c.second.get());
      benchmark::AddCustomContext("input:" + c.name, print);
    }
  }
  SummaryReporter reporter(workloads);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
