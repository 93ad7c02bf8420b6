#ifndef BENCH_DOMINANCE_WORKLOADS_H
#define BENCH_DOMINANCE_WORKLOADS_H

// Seeded matrices (column-major) for the benchmarks.

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

struct Workload {
  std::int32_t rows;
  std::int32_t cols;
  std::vector<double> values;
};

// Independent uniform values in [0, 1): small fronts.
inline Workload uniformRows(std::int32_t rows, std::int32_t cols, std::uint64_t seed) {
  std::mt19937_64 rng(seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  Workload w{rows, cols, std::vector<double>(static_cast<std::size_t>(rows) * cols)};
  for (double& v : w.values) v = unit(rng);
  return w;
}

// 1 - |g| / |g|_2 for Gaussian g: points on a sphere, none dominating another.
inline Workload frontRows(std::int32_t rows, std::int32_t cols, std::uint64_t seed) {
  std::mt19937_64 rng(seed);
  std::normal_distribution<double> gauss;
  Workload w{rows, cols, std::vector<double>(static_cast<std::size_t>(rows) * cols)};
  std::vector<double> g(static_cast<std::size_t>(cols));
  for (std::int32_t r = 0; r < rows; ++r) {
    double norm = 0.0;
    for (double& x : g) {
      x = std::fabs(gauss(rng));
      norm += x * x;
    }
    norm = std::sqrt(norm);
    for (std::int32_t c = 0; c < cols; ++c) {
      w.values[static_cast<std::size_t>(r) + static_cast<std::size_t>(c) * rows] =
          1.0 - g[static_cast<std::size_t>(c)] / norm;
    }
  }
  return w;
}

// |g| / |g|_2 for Gaussian g: a concave front, none dominating another.
inline Workload concaveFrontRows(std::int32_t rows, std::int32_t cols, std::uint64_t seed) {
  Workload w = frontRows(rows, cols, seed);
  for (double& v : w.values) v = 1.0 - v;
  return w;
}

// Points of frontRows gathered around a few centres on the front.
inline Workload clusteredFrontRows(std::int32_t rows, std::int32_t cols, std::uint64_t seed) {
  constexpr std::int32_t kCentres = 8;
  const Workload centres = frontRows(kCentres, cols, seed + 1);
  std::mt19937_64 rng(seed);
  std::normal_distribution<double> gauss;
  Workload w{rows, cols, std::vector<double>(static_cast<std::size_t>(rows) * cols)};
  std::vector<double> g(static_cast<std::size_t>(cols));
  for (std::int32_t r = 0; r < rows; ++r) {
    const auto centre = static_cast<std::int32_t>(rng() % kCentres);
    double norm = 0.0;
    for (std::int32_t c = 0; c < cols; ++c) {
      const double x = std::fabs(centres.values[static_cast<std::size_t>(centre + c * kCentres)] -
                                 1.0 + 0.05 * gauss(rng));
      g[static_cast<std::size_t>(c)] = x;
      norm += x * x;
    }
    norm = std::sqrt(norm);
    for (std::int32_t c = 0; c < cols; ++c) {
      w.values[static_cast<std::size_t>(r) + static_cast<std::size_t>(c) * rows] =
          1.0 - g[static_cast<std::size_t>(c)] / norm;
    }
  }
  return w;
}

// frontRows with every other row pushed back by a random amount in every column, so half the
// rows are dominated, mixed in among the front.
inline Workload mixedFrontRows(std::int32_t rows, std::int32_t cols, std::uint64_t seed) {
  Workload w = frontRows(rows, cols, seed);
  std::mt19937_64 rng(seed + 1);
  std::uniform_real_distribution<double> push(0.0, 0.2);
  for (std::int32_t r = 1; r < rows; r += 2) {
    for (std::int32_t c = 0; c < cols; ++c) {
      w.values[static_cast<std::size_t>(r) + static_cast<std::size_t>(c) * rows] += push(rng);
    }
  }
  return w;
}

// Integers 0 .. 9: many ties and repeated rows.
inline Workload integerRows(std::int32_t rows, std::int32_t cols, std::uint64_t seed) {
  std::mt19937_64 rng(seed);
  std::uniform_int_distribution<int> digit(0, 9);
  Workload w{rows, cols, std::vector<double>(static_cast<std::size_t>(rows) * cols)};
  for (double& v : w.values) v = digit(rng);
  return w;
}

#endif
