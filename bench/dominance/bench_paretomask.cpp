// The dominance passes against the literal procedure on the same inputs, in one run, with
// the speed-up of each pass printed at the end.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "bench/dominance/literal_marking.h"
#include "bench/dominance/workloads.h"
#include "common/tier.h"
#include "dominance/across_sets.h"
#include "dominance/dominance.h"
#include "dominance/within_set.h"

namespace {

struct Case {
  std::string name;
  Workload first;
  Workload second;  // no rows: the one-matrix form
};

using WithinPass = void (*)(const MatrixView&, double*, Tier);
using AcrossPass = void (*)(const MatrixView&, double*, const MatrixView&, double*, Tier);

struct Pass {
  std::string name;
  Tier tier;
  WithinPass within;
  AcrossPass across;
};

void literalWithin(const MatrixView& set, double* flags, Tier) {
  literal::markWithinSet(set, flags);
}
void literalAcross(const MatrixView& a, double* fa, const MatrixView& b, double* fb, Tier) {
  literal::markAcrossSets(a, fa, b, fb);
}
void shippedWithin(const MatrixView& set, double* flags, Tier) {
  markWithinSet(set, flags);
}
void shippedAcross(const MatrixView& a, double* fa, const MatrixView& b, double* fb, Tier) {
  markAcrossSets(a, fa, b, fb);
}
void tierWithin(const MatrixView& set, double* flags, Tier tier) {
  markWithinSetFor(tier, set, flags);
}
void tierAcross(const MatrixView& a, double* fa, const MatrixView& b, double* fb, Tier tier) {
  markAcrossSetsFor(tier, a, fa, b, fb);
}

MatrixView viewOf(const Workload& w) {
  return MatrixView{w.rows, w.cols, w.values.data()};
}

void runPass(benchmark::State& state, const Case& c, const Pass& pass) {
  std::vector<double> fa(static_cast<std::size_t>(c.first.rows));
  std::vector<double> fb(static_cast<std::size_t>(c.second.rows));
  for (auto _ : state) {
    std::fill(fa.begin(), fa.end(), 1.0);
    std::fill(fb.begin(), fb.end(), 1.0);
    pass.within(viewOf(c.first), fa.data(), pass.tier);
    if (c.second.rows > 0) {
      pass.across(viewOf(c.first), fa.data(), viewOf(c.second), fb.data(), pass.tier);
    }
    benchmark::DoNotOptimize(fa.data());
    benchmark::DoNotOptimize(fb.data());
  }
}

// Prints, after the usual table, each pass's time as a speed-up over the literal procedure:
// CPU time, the best of --benchmark_repetitions, so that other work on a shared machine
// weighs less on the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter(std::vector<std::string> workloads, std::vector<std::string> passes)
      : workloads_(std::move(workloads)), passes_(std::move(passes)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration) continue;
      const auto known = milliseconds_.find(run.benchmark_name());
      const double ms = run.GetAdjustedCPUTime();
      if (known == milliseconds_.end() || ms < known->second) {
        milliseconds_[run.benchmark_name()] = ms;
      }
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\nSpeed-up over the literal procedure (CPU time, same run):\n");
    for (const std::string& workload : workloads_) {
      const auto literal = milliseconds_.find(workload + "/literal");
      if (literal == milliseconds_.end()) continue;
      std::printf("  %-20s literal %.4g ms", workload.c_str(), literal->second);
      for (const std::string& pass : passes_) {
        const auto run = milliseconds_.find(workload + "/" + pass);
        if (run == milliseconds_.end() || pass == "literal") continue;
        std::printf("  %s %.4g ms (%.1fx)", pass.c_str(), run->second,
                    literal->second / run->second);
      }
      std::printf("\n");
    }
  }

 private:
  std::vector<std::string> workloads_;
  std::vector<std::string> passes_;
  std::map<std::string, double> milliseconds_;
};

}  // namespace

int main(int argc, char** argv) {
  const Workload none{0, 0, {}};
  const std::vector<Case> cases = {
      {"uniform_100000x2", uniformRows(100000, 2, 1), none},
      {"uniform_100000x3", uniformRows(100000, 3, 2), none},
      {"front_20000x2", frontRows(20000, 2, 3), none},
      {"front_20000x3", frontRows(20000, 3, 4), none},
      {"front_10000x5", frontRows(10000, 5, 5), none},
      {"uniform_20000x8", uniformRows(20000, 8, 6), none},
      {"integers_100000x3", integerRows(100000, 3, 7), none},
      {"uniform_200x3", uniformRows(200, 3, 8), none},
      {"two_sets_5000x3", uniformRows(5000, 3, 9), uniformRows(5000, 3, 10)},
  };

  std::vector<Pass> passes = {{"literal", Tier::baseline, literalWithin, literalAcross},
                              {"shipped", Tier::baseline, shippedWithin, shippedAcross}};
  for (const Tier tier : kTiers) {
    if (tierRunsHere(tier)) passes.push_back({tierName(tier), tier, tierWithin, tierAcross});
  }

  std::vector<std::string> workloads;
  std::vector<std::string> passNames;
  for (const Pass& pass : passes) passNames.push_back(pass.name);
  for (const Case& c : cases) {
    workloads.push_back(c.name);
    for (const Pass& pass : passes) {
      benchmark::RegisterBenchmark((c.name + "/" + pass.name).c_str(), runPass, c, pass)
          ->Unit(benchmark::kMillisecond);
    }
  }
  RatioReporter reporter(workloads, passNames);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
