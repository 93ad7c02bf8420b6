#ifndef BENCH_DOMINANCE_TWO_SET_WORKLOADS_H
#define BENCH_DOMINANCE_TWO_SET_WORKLOADS_H

// Pairs of sets for the two-matrix form, and the one matrix stacking both, whose one-matrix
// call each pair is timed against in the same run.

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "bench/dominance/workloads.h"

// -log(u) / sum: points spread evenly over the plane where the columns sum to one.
inline Workload simplexRows(std::int32_t rows, std::int32_t cols, std::uint64_t seed) {
  std::mt19937_64 rng(seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  Workload w{rows, cols, std::vector<double>(static_cast<std::size_t>(rows) * cols)};
  std::vector<double> e(static_cast<std::size_t>(cols));
  for (std::int32_t r = 0; r < rows; ++r) {
    double sum = 0.0;
    for (double& x : e) {
      x = -std::log(1.0 - unit(rng));
      sum += x;
    }
    for (std::int32_t c = 0; c < cols; ++c) {
      w.values[static_cast<std::size_t>(r) + static_cast<std::size_t>(c) * rows] =
          e[static_cast<std::size_t>(c)] / sum;
    }
  }
  return w;
}

// Every value moved by `by`: behind the original for positive amounts, ahead for negative.
inline Workload shiftedRows(Workload w, double by) {
  for (double& v : w.values) v += by;
  return w;
}

// The rows of `first` and then those of `second`, as the one-matrix form takes them.
inline Workload stackedRows(const Workload& first, const Workload& second) {
  const std::int32_t rows = first.rows + second.rows;
  const std::int32_t cols = first.rows > 0 ? first.cols : second.cols;
  Workload w{rows, cols, std::vector<double>(static_cast<std::size_t>(rows) * cols)};
  for (std::int32_t c = 0; c < cols; ++c) {
    for (std::int32_t r = 0; r < first.rows; ++r) {
      w.values[static_cast<std::size_t>(r) + static_cast<std::size_t>(c) * rows] =
          first.values[static_cast<std::size_t>(r) + static_cast<std::size_t>(c) * first.rows];
    }
    for (std::int32_t r = 0; r < second.rows; ++r) {
      w.values[static_cast<std::size_t>(first.rows + r) + static_cast<std::size_t>(c) * rows] =
          second.values[static_cast<std::size_t>(r) + static_cast<std::size_t>(c) * second.rows];
    }
  }
  return w;
}

inline Workload behindFrontRows(std::int32_t rows, std::int32_t cols, std::uint64_t seed) {
  return shiftedRows(frontRows(rows, cols, seed), 0.002);
}

inline Workload aheadFrontRows(std::int32_t rows, std::int32_t cols, std::uint64_t seed) {
  return shiftedRows(frontRows(rows, cols, seed), -0.002);
}

// One set of a pair: its generator, rows and seed.
struct SetSpec {
  Workload (*make)(std::int32_t rows, std::int32_t cols, std::uint64_t seed);
  std::int32_t rows;
  std::uint64_t seed;
};

struct TwoSetSpec {
  const char* name;
  std::int32_t cols;
  SetSpec first;
  SetSpec second;
  bool literal;  // the literal procedure finishes in reasonable time
};

// Fronts against fronts (overlapping, or one a little ahead or behind), fronts against
// uniform sets, uniform sets, and the small shapes the scan keeps.
inline std::vector<TwoSetSpec> twoSetSpecs() {
  return {
      {"fronts_20000+20000x2", 2, {frontRows, 20000, 31}, {frontRows, 20000, 32}, true},
      {"fronts_20000+20000x3", 3, {frontRows, 20000, 33}, {frontRows, 20000, 34}, true},
      {"fronts_10000+10000x5", 5, {frontRows, 10000, 35}, {frontRows, 10000, 36}, true},
      {"fronts_10000+10000x8", 8, {frontRows, 10000, 37}, {frontRows, 10000, 38}, false},
      {"simplex_50000+50000x3", 3, {simplexRows, 50000, 39}, {simplexRows, 50000, 40}, false},
      {"front_20000x4+behind", 4, {frontRows, 20000, 41}, {behindFrontRows, 20000, 42}, true},
      {"front_20000x4+ahead", 4, {frontRows, 20000, 43}, {aheadFrontRows, 20000, 44}, false},
      {"front_200000x2+uniform", 2, {frontRows, 200000, 45}, {uniformRows, 200000, 46}, false},
      {"uniform_100000+100000x3", 3, {uniformRows, 100000, 47}, {uniformRows, 100000, 48}, true},
      {"fronts_200000+200000x3", 3, {frontRows, 200000, 49}, {frontRows, 200000, 50}, false},
      {"fronts_300+300x3", 3, {frontRows, 300, 51}, {frontRows, 300, 52}, true},
      {"row_1+front_20000x3", 3, {frontRows, 1, 53}, {frontRows, 20000, 54}, true},
      {"front_20000x3+row_1", 3, {frontRows, 20000, 55}, {frontRows, 1, 56}, true},
      {"empty+front_20000x3", 3, {frontRows, 0, 57}, {frontRows, 20000, 58}, true},
  };
}

#endif
