#ifndef BENCH_DOMINANCE_WORKLOADS_H
#define BENCH_DOMINANCE_WORKLOADS_H

// Seeded matrices (column-major) for the benchmarks.

#include <algorithm>
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

// The three kinds of sets of the skyline literature: independent (uniform values, above),
// correlated (rows near the diagonal: small fronts) and anti-correlated (rows near the plane
// where the values sum to cols / 2: large fronts). Each row starts with every value at a
// centre c; then each column in turn trades an amount with the next one, which keeps the
// row's sum; rows that leave [0, 1] are drawn again.
template <class Centre, class Trade>
Workload tradedRows(std::int32_t rows, std::int32_t cols, std::uint64_t seed, Centre centre,
                    Trade trade) {
  std::mt19937_64 rng(seed);
  Workload w{rows, cols, std::vector<double>(static_cast<std::size_t>(rows) * cols)};
  std::vector<double> x(static_cast<std::size_t>(cols));
  for (std::int32_t r = 0; r < rows; ++r) {
    bool inside = false;
    while (!inside) {
      const double c = centre(rng);
      for (double& v : x) v = c;
      for (std::size_t k = 0; k < x.size(); ++k) {
        const double h = trade(rng, std::min(c, 1.0 - c));
        x[k] += h;
        x[(k + 1) % x.size()] -= h;
      }
      inside = std::all_of(x.begin(), x.end(), [](double v) { return v >= 0.0 && v <= 1.0; });
    }
    for (std::int32_t k = 0; k < cols; ++k) {
      w.values[static_cast<std::size_t>(r) + static_cast<std::size_t>(k) * rows] =
          x[static_cast<std::size_t>(k)];
    }
  }
  return w;
}

// Centres spread over the diagonal, trades small; rows near the ends mostly leave [0, 1] and
// are drawn again, so the front is more than the few rows closest to the origin.
inline Workload correlatedRows(std::int32_t rows, std::int32_t cols, std::uint64_t seed) {
  return tradedRows(
      rows, cols, seed,
      [](std::mt19937_64& rng) {
        std::normal_distribution<double> centre(0.5, 0.25);
        double c = -1.0;
        while (c < 0.0 || c > 1.0) c = centre(rng);
        return c;
      },
      [](std::mt19937_64& rng, double) {
        return std::normal_distribution<double>(0.0, 0.05)(rng);
      });
}

// Centres close to 0.5, trades anywhere within the room there.
inline Workload antiCorrelatedRows(std::int32_t rows, std::int32_t cols, std::uint64_t seed) {
  return tradedRows(
      rows, cols, seed,
      [](std::mt19937_64& rng) { return std::normal_distribution<double>(0.5, 0.05)(rng); },
      [](std::mt19937_64& rng, double room) {
        return std::uniform_real_distribution<double>(-room, room)(rng);
      });
}

// Integers 0 .. 9: many ties and repeated rows.
inline Workload integerRows(std::int32_t rows, std::int32_t cols, std::uint64_t seed) {
  std::mt19937_64 rng(seed);
  std::uniform_int_distribution<int> digit(0, 9);
  Workload w{rows, cols, std::vector<double>(static_cast<std::size_t>(rows) * cols)};
  for (double& v : w.values) v = digit(rng);
  return w;
}

// Listings as a shop might hold them: price in cents (log-normal), a rating of 1 to 5 stars
// (fewer is worse, so it is stored as 5 - stars), days to deliver and weight to 0.1 kg. Many
// ties in every column but the price.
inline Workload listingRows(std::int32_t rows, std::int32_t cols, std::uint64_t seed) {
  std::mt19937_64 rng(seed);
  std::lognormal_distribution<double> price(3.0, 1.0);
  std::uniform_int_distribution<int> stars(1, 5);
  std::uniform_int_distribution<int> days(1, 10);
  std::gamma_distribution<double> weight(2.0, 1.5);
  Workload w{rows, cols, std::vector<double>(static_cast<std::size_t>(rows) * cols)};
  for (std::int32_t r = 0; r < rows; ++r) {
    for (std::int32_t k = 0; k < cols; ++k) {
      double v = 0.0;
      switch (k % 4) {
        case 0:
          v = std::round(price(rng) * 100.0) / 100.0;
          break;
        case 1:
          v = 5 - stars(rng);
          break;
        case 2:
          v = days(rng);
          break;
        default:
          v = std::round(weight(rng) * 10.0) / 10.0;
          break;
      }
      w.values[static_cast<std::size_t>(r) + static_cast<std::size_t>(k) * rows] = v;
    }
  }
  return w;
}

// Uniform rows whose columns lie on very different scales and signs: 1e-9, -1, 1e4, -1e12.
inline Workload scaledRows(std::int32_t rows, std::int32_t cols, std::uint64_t seed) {
  Workload w = uniformRows(rows, cols, seed);
  const double scale[] = {1e-9, -1.0, 1e4, -1e12};
  for (std::int32_t k = 0; k < cols; ++k) {
    for (std::int32_t r = 0; r < rows; ++r) {
      w.values[static_cast<std::size_t>(r) + static_cast<std::size_t>(k) * rows] *= scale[k % 4];
    }
  }
  return w;
}

// The first column uniform, the others within 0.001 of 0.5: the first column alone decides
// most comparisons.
inline Workload leadingColumnRows(std::int32_t rows, std::int32_t cols, std::uint64_t seed) {
  Workload w = uniformRows(rows, cols, seed);
  for (std::size_t p = static_cast<std::size_t>(rows); p < w.values.size(); ++p) {
    w.values[p] = 0.5 + 0.001 * w.values[p];
  }
  return w;
}

// Gaussian blobs of uniform size around twenty random centres in the unit cube.
inline Workload clusteredRows(std::int32_t rows, std::int32_t cols, std::uint64_t seed) {
  constexpr std::int32_t kCentres = 20;
  const Workload centres = uniformRows(kCentres, cols, seed + 1);
  std::mt19937_64 rng(seed);
  std::normal_distribution<double> gauss(0.0, 0.05);
  Workload w{rows, cols, std::vector<double>(static_cast<std::size_t>(rows) * cols)};
  for (std::int32_t r = 0; r < rows; ++r) {
    const auto centre = static_cast<std::int32_t>(rng() % kCentres);
    for (std::int32_t k = 0; k < cols; ++k) {
      w.values[static_cast<std::size_t>(r) + static_cast<std::size_t>(k) * rows] =
          centres.values[static_cast<std::size_t>(centre + k * kCentres)] + gauss(rng);
    }
  }
  return w;
}

#endif
