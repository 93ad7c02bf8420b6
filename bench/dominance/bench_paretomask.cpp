// The dominance passes against two baselines on the same inputs, in one run: the literal
// procedure, and a frozen copy of the passes as they stood before the divide and conquer for
// many columns. The speed-up over each is printed at the end.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "bench/dominance/frozen/dominance.h"
#include "bench/dominance/literal_marking.h"
#include "bench/dominance/two_set_workloads.h"
#include "bench/dominance/workloads.h"
#include "common/tier.h"
#include "dominance/dominance.h"
#include "dominance/passes/across_sets.h"
#include "dominance/passes/within_set.h"

namespace {

struct Case {
  std::string name;
  Workload first;
  Workload second;  // no rows: the one-matrix form
  // Which baselines finish in reasonable time, and whether each tier is timed too.
  bool literal;
  bool frozen;
  bool tiers;
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
void frozenWithin(const MatrixView& set, double* flags, Tier) {
  frozen::markWithinSet(set, flags);
}
void frozenAcross(const MatrixView& a, double* fa, const MatrixView& b, double* fb, Tier) {
  frozen::markAcrossSets(a, fa, b, fb);
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

// Prints, after the usual table, each pass's time as a speed-up over the two baselines:
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
    std::printf(
        "\nSpeed-up over the literal procedure and the frozen passes (CPU time, same run):\n");
    for (const std::string& workload : workloads_) {
      std::printf("  %-22s", workload.c_str());
      const double* literal = timeOf(workload, "literal");
      const double* frozen = timeOf(workload, "frozen");
      const double* stacked = timeOf(workload, "stacked");
      if (stacked != nullptr) std::printf(" stacked %.4g ms", *stacked);
      if (literal != nullptr) std::printf(" literal %.4g ms", *literal);
      if (frozen != nullptr) std::printf(" frozen %.4g ms", *frozen);
      for (const std::string& pass : passes_) {
        const double* ms = timeOf(workload, pass);
        if (ms == nullptr || pass == "literal" || pass == "frozen" || pass == "stacked") continue;
        std::printf("  %s %.4g ms", pass.c_str(), *ms);
        if (stacked != nullptr) std::printf(" [%.2fx stacked]", *ms / *stacked);
        if (literal != nullptr) std::printf(" (%.1fx literal", *literal / *ms);
        if (frozen != nullptr)
          std::printf("%s%.2fx frozen", literal != nullptr ? ", " : " (", *frozen / *ms);
        if (literal != nullptr || frozen != nullptr) std::printf(")");
      }
      std::printf("\n");
    }
  }

 private:
  const double* timeOf(const std::string& workload, const std::string& pass) const {
    const auto found = milliseconds_.find(workload + "/" + pass);
    return found == milliseconds_.end() ? nullptr : &found->second;
  }

  std::vector<std::string> workloads_;
  std::vector<std::string> passes_;
  std::map<std::string, double> milliseconds_;
};

}  // namespace

int main(int argc, char** argv) {
  const Workload none{0, 0, {}};
  std::vector<Case> cases = {
      {"uniform_100000x2", uniformRows(100000, 2, 1), none, true, true, true},
      {"uniform_1000000x2", uniformRows(1000000, 2, 11), none, true, true, false},
      {"uniform_100000x3", uniformRows(100000, 3, 2), none, true, true, true},
      {"integers_100000x3", integerRows(100000, 3, 7), none, true, true, true},
      {"front_20000x3", frontRows(20000, 3, 4), none, true, true, true},
      {"uniform_20000x5", uniformRows(20000, 5, 12), none, true, true, false},
      {"uniform_200000x6", uniformRows(200000, 6, 13), none, false, true, false},
      {"front_5000x8", frontRows(5000, 8, 14), none, true, true, false},
      {"front_20000x2", frontRows(20000, 2, 3), none, true, true, true},
      {"front_100000x2", frontRows(100000, 2, 15), none, false, true, false},
      {"front_10000x5", frontRows(10000, 5, 5), none, true, true, true},
      {"uniform_20000x8", uniformRows(20000, 8, 6), none, true, true, true},
      {"front_50000x4", frontRows(50000, 4, 16), none, false, true, true},
      {"concave_50000x4", concaveFrontRows(50000, 4, 17), none, false, true, false},
      {"clustered_50000x4", clusteredFrontRows(50000, 4, 18), none, false, true, false},
      {"mixed_50000x4", mixedFrontRows(50000, 4, 19), none, false, true, false},
      {"front_50000x6", frontRows(50000, 6, 20), none, false, true, false},
      {"front_200000x4", frontRows(200000, 4, 21), none, false, true, false},
      {"front_1000000x4", frontRows(1000000, 4, 22), none, false, false, false},
      {"uniform_200x3", uniformRows(200, 3, 8), none, true, true, true},
      {"two_sets_5000x3", uniformRows(5000, 3, 9), uniformRows(5000, 3, 10), true, true, true},
  };

  // The two-matrix form, each pair also timed as one call on its rows stacked.
  std::vector<std::pair<std::string, Workload>> stacks;
  for (TwoSetWorkload& w : twoSetWorkloads()) {
    stacks.emplace_back(w.name, stackedRows(w.first, w.second));
    const bool scanFinishes = w.first.rows < 100000;
    cases.push_back(
        {w.name, std::move(w.first), std::move(w.second), w.literal, scanFinishes, false});
  }

  std::vector<Pass> passes = {{"literal", Tier::baseline, literalWithin, literalAcross},
                              {"frozen", Tier::baseline, frozenWithin, frozenAcross},
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
      const bool timed = pass.name == "literal"  ? c.literal
                         : pass.name == "frozen" ? c.frozen
                                                 : pass.name == "shipped" || c.tiers;
      if (!timed) continue;
      benchmark::RegisterBenchmark((c.name + "/" + pass.name).c_str(), runPass, c, pass)
          ->Unit(benchmark::kMillisecond);
    }
  }
  for (const auto& stack : stacks) {
    benchmark::RegisterBenchmark((stack.first + "/stacked").c_str(), [&stack](
                                                                         benchmark::State& state) {
      std::vector<double> flags(static_cast<std::size_t>(stack.second.rows));
      for (auto _ : state) {
        std::fill(flags.begin(), flags.end(), 1.0);
        markWithinSet(viewOf(stack.second), flags.data());
        benchmark::DoNotOptimize(flags.data());
      }
    })->Unit(benchmark::kMillisecond);
  }
  passNames.push_back("stacked");
  RatioReporter reporter(workloads, passNames);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
