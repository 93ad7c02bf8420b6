#include "dominance/fronts/front_regions.h"

#include "common/no_contraction.h"
#include "dominance/dominance_rule.h"
#include "dominance/sorts/index_slots.h"

namespace {

constexpr std::int32_t kMaskColumns = 8;
constexpr std::int32_t kRegions = 1 << kMaskColumns;
constexpr std::int32_t kSampleRows = 256;

// The bits of the columns, among the first eight, in which `row` is >= the pivot.
unsigned regionOf(const MatrixView& m, std::int32_t row, const double* pivot, std::int32_t bits) {
  unsigned mask = 0;
  for (std::int32_t k = 0; k < bits; ++k) {
    mask |= (elementAt(m, row, k) >= pivot[k] ? 1u : 0u) << k;
  }
  return mask;
}

// The scale of the sample's ranges, column by column, and a row's largest value on it.
struct Heights {
  std::int32_t bits;
  double low[kMaskColumns];
  double scale[kMaskColumns];

  double of(const MatrixView& m, std::int32_t row) const {
    double height = 0.0;
    for (std::int32_t k = 0; k < bits; ++k) {
      const double h = (elementAt(m, row, k) - low[k]) * scale[k];
      height = h > height ? h : height;
    }
    return height;
  }
};

std::int32_t sampledRow(const double* order, std::int32_t count, std::int32_t s) {
  const std::int32_t samples = count < kSampleRows ? count : kSampleRows;
  return rowOf(order[std::int64_t{count - 1} * s / (samples > 1 ? samples - 1 : 1)]);
}

Heights heightsOf(const MatrixView& m, const double* order, std::int32_t count, std::int32_t bits) {
  const std::int32_t samples = count < kSampleRows ? count : kSampleRows;
  Heights h{bits, {}, {}};
  for (std::int32_t k = 0; k < bits; ++k) {
    double lo = elementAt(m, sampledRow(order, count, 0), k);
    double hi = lo;
    for (std::int32_t s = 1; s < samples; ++s) {
      const double v = elementAt(m, sampledRow(order, count, s), k);
      lo = v < lo ? v : lo;
      hi = v > hi ? v : hi;
    }
    h.low[k] = lo;
    // Infinite ranges give no scale; such columns then count for nothing.
    h.scale[k] = hi > lo && hi - lo < 1e300 ? 1.0 / (hi - lo) : 0.0;
  }
  return h;
}

// Rows near the middle of the front: the sampled rows whose largest value, on the scale of
// the sample's ranges, is smallest, in that order. Returns how many there are (fewer than
// `wanted` on small samples).
std::int32_t pivotRows(const MatrixView& m, const double* order, std::int32_t count,
                       std::int32_t bits, std::int32_t wanted, std::int32_t* pivots) {
  const std::int32_t samples = count < kSampleRows ? count : kSampleRows;
  const Heights heights = heightsOf(m, order, count, bits);
  // Rows by (height, sample position), taken in turn past the last one taken.
  double lastHeight = -1.0;
  std::int32_t lastSample = -1;
  std::int32_t found = 0;
  for (std::int32_t rank = 0; found < wanted && rank < samples; ++rank) {
    std::int32_t next = -1;
    double nextHeight = 0.0;
    for (std::int32_t s = 0; s < samples; ++s) {
      const double h = heights.of(m, sampledRow(order, count, s));
      const bool after = h > lastHeight || (h == lastHeight && s > lastSample);
      if (after && (next < 0 || h < nextHeight || (h == nextHeight && s < next))) {
        next = s;
        nextHeight = h;
      }
    }
    lastHeight = nextHeight;
    lastSample = next;
    pivots[found++] = sampledRow(order, count, next);
  }
  return found;
}

// Groups the entries by region, stably, so that each region keeps the sorted order; `begin`
// receives where each region starts, and begin[kRegions] == count.
void groupByRegion(const MatrixView& m, double* order, std::int32_t count, const double* pivot,
                   std::int32_t bits, std::int32_t* begin) {
  for (std::int32_t r = 0; r <= kRegions; ++r) begin[r] = 0;
  // Each slot i is written only after entry i, which covers it, has been read.
  for (std::int32_t i = 0; i < count; ++i) {
    const std::int32_t row = rowOf(order[i]);
    ++begin[regionOf(m, row, pivot, bits) + 1];
    setSlot(order, i, static_cast<std::uint32_t>(row));
  }
  for (std::int32_t r = 0; r < kRegions; ++r) begin[r + 1] += begin[r];
  std::int32_t next[kRegions];
  for (std::int32_t r = 0; r < kRegions; ++r) next[r] = begin[r];
  for (std::int32_t i = 0; i < count; ++i) {
    const std::uint32_t row = slotAt(order, i);
    const unsigned region = regionOf(m, static_cast<std::int32_t>(row), pivot, bits);
    setSlot(order, count + next[region]++, row);
  }
  for (std::int32_t i = 0; i < count; ++i) setSlot(order, i, slotAt(order, count + i));
  for (std::int32_t i = count - 1; i >= 0; --i) order[i] = slotAt(order, i);
}

// Moves the entries that hold rows to the start of [begin, begin + size); returns how many.
std::int32_t keepStanding(double* begin, std::int32_t size) {
  std::int32_t live = 0;
  for (std::int32_t p = 0; p < size; ++p) {
    if (begin[p] >= 0.0) {
      const double entry = begin[p];
      begin[p] = kNoRow;
      begin[live++] = entry;
    }
  }
  return live;
}

// Of a few rows near the middle of the front, the one whose regions leave the fewest pairs of
// sampled rows to compare (in the same region, or in regions whose sets are subsets).
std::int32_t bestPivot(const MatrixView& m, const double* order, std::int32_t count,
                       std::int32_t bits) {
  constexpr std::int32_t kCandidates = 8;
  std::int32_t candidates[kCandidates] = {};
  const std::int32_t found = pivotRows(m, order, count, bits, kCandidates, candidates);
  const std::int32_t samples = count < kSampleRows ? count : kSampleRows;
  std::int32_t best = candidates[0];
  std::int64_t fewest = -1;
  for (std::int32_t c = 0; c < found; ++c) {
    double pivot[kMaskColumns];
    for (std::int32_t k = 0; k < bits; ++k) pivot[k] = elementAt(m, candidates[c], k);
    unsigned char regions[kSampleRows];
    for (std::int32_t s = 0; s < samples; ++s) {
      regions[s] =
          static_cast<unsigned char>(regionOf(m, sampledRow(order, count, s), pivot, bits));
    }
    std::int64_t pairs = 0;
    for (std::int32_t a = 0; a < samples; ++a) {
      for (std::int32_t b = 0; b < samples; ++b) pairs += (regions[a] & ~regions[b]) == 0 ? 1 : 0;
    }
    if (fewest < 0 || pairs < fewest) {
      fewest = pairs;
      best = candidates[c];
    }
  }
  return best;
}

}  // namespace

void settleByRegions(Tier tier, const MatrixView& m, double* order, std::int32_t count,
                     DivideLimits limits) {
  const std::int32_t bits = m.cols < kMaskColumns ? m.cols : kMaskColumns;
  const std::int32_t pivotAt = bestPivot(m, order, count, bits);
  double pivot[kMaskColumns];
  for (std::int32_t k = 0; k < bits; ++k) pivot[k] = elementAt(m, pivotAt, k);
  std::int32_t begin[kRegions + 1];
  groupByRegion(m, order, count, pivot, bits, begin);
  // Regions in increasing order of their bits, so that every subset of a region's set is
  // settled before the region meets it.
  std::int32_t live[kRegions];
  for (std::int32_t r = 0; r < kRegions; ++r) {
    double* const rows = order + begin[r];
    const std::int32_t size = begin[r + 1] - begin[r];
    live[r] = 0;
    if (size == 0) continue;
    divideFront(tier, m, rows, size, limits);
    live[r] = keepStanding(rows, size);
    for (unsigned sub = (r - 1u) & static_cast<unsigned>(r);; sub = (sub - 1u) & r) {
      if (sub != static_cast<unsigned>(r) && live[sub] > 0 && live[r] > 0) {
        // The subset's rows are below the pivot where the region's are at or above it.
        const OpenColumns open = columnsBesides(m.cols, static_cast<unsigned>(r) & ~sub);
        coverRowsAcross(tier, m, open, order + begin[sub], live[sub], rows, live[r], limits);
        live[r] = keepStanding(rows, live[r]);
      }
      if (sub == 0) break;
    }
  }
}
