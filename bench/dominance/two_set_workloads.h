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

struct TwoSetWorkload {
  std::string name;
  Workload first;
  Workload second;
  bool literal;  // whether the literal procedure finishes in reasonable time
};

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

// Fronts against fronts (overlapping, or one a little ahead or behind), fronts against
// uniform sets, uniform sets, and the small shapes the scan keeps.
inline std::vector<TwoSetWorkload> twoSetWorkloads() {
  const Workload none{0, 3, {}};
  return {
      {"fronts_20000+20000x2", frontRows(20000, 2, 31), frontRows(20000, 2, 32), true},
      {"fronts_20000+20000x3", frontRows(20000, 3, 33), frontRows(20000, 3, 34), true},
      {"fronts_10000+10000x5", frontRows(10000, 5, 35), frontRows(10000, 5, 36), true},
      {"fronts_10000+10000x8", frontRows(10000, 8, 37), frontRows(10000, 8, 38), false},
      {"simplex_50000+50000x3", simplexRows(50000, 3, 39), simplexRows(50000, 3, 40), false},
      {"front_20000x4+behind", frontRows(20000, 4, 41), shiftedRows(frontRows(20000, 4, 42), 0.002),
       true},
      {"front_20000x4+ahead", frontRows(20000, 4, 43), shiftedRows(frontRows(20000, 4, 44), -0.002),
       false},
      {"front_200000x2+uniform", frontRows(200000, 2, 45), uniformRows(200000, 2, 46), false},
      {"uniform_100000+100000x3", uniformRows(100000, 3, 47), uniformRows(100000, 3, 48), true},
      {"fronts_200000+200000x3", frontRows(200000, 3, 49), frontRows(200000, 3, 50), false},
      {"fronts_300+300x3", frontRows(300, 3, 51), frontRows(300, 3, 52), true},
      {"row_1+front_20000x3", frontRows(1, 3, 53), frontRows(20000, 3, 54), true},
      {"front_20000x3+row_1", frontRows(20000, 3, 55), frontRows(1, 3, 56), true},
      {"empty+front_20000x3", none, frontRows(20000, 3, 57), true},
  };
}

#endif
