#include "dominance/kernels/strong_rows/strong_rows.h"

#include "common/no_contraction.h"

namespace {

// The rows spread over the matrix that scale the score and seed the strong rows.
constexpr std::int32_t kSampleRows = 64;

// Row a eliminates row b: a is <= b in every column, and smaller in one or lower-indexed.
bool eliminates(const MatrixView& m, std::int32_t a, std::int32_t b) {
  bool equal = true;
  for (std::int32_t k = 0; k < m.cols; ++k) {
    const double x = elementAt(m, a, k);
    const double y = elementAt(m, b, k);
    if (!(x <= y)) return false;
    equal = equal && x == y;
  }
  return !equal || a < b;
}

double scoreOf(const MatrixView& m, std::int32_t row, const StrongRows& strong) {
  double score = 0.0;
  for (std::int32_t k = 0; k < strong.scoredColumns; ++k) {
    score += (elementAt(m, row, k) - strong.low[k]) * strong.scale[k];
  }
  return score;
}

std::int32_t sampleRow(const MatrixView& m, std::int32_t s) {
  return static_cast<std::int32_t>(std::int64_t{m.rows - 1} * s / (kSampleRows - 1));
}

}  // namespace

void seedStrongRows(const MatrixView& m, StrongRows& strong) {
  strong.size = 0;
  strong.scoredColumns = m.cols < StrongRows::kScoredColumns ? m.cols : StrongRows::kScoredColumns;
  for (std::int32_t k = 0; k < strong.scoredColumns; ++k) {
    // Finite values only: an infinite range would flatten the column.
    double low = 0.0;
    double high = 0.0;
    bool seen = false;
    for (std::int32_t s = 0; s < kSampleRows; ++s) {
      const double v = elementAt(m, sampleRow(m, s), k);
      if (!(v - v == 0.0)) continue;
      low = !seen || v < low ? v : low;
      high = !seen || v > high ? v : high;
      seen = true;
    }
    strong.low[k] = low;
    strong.scale[k] = high > low ? 1.0 / (high - low) : 0.0;
  }
  for (std::int32_t s = 0; s < kSampleRows; ++s) {
    const std::int32_t row = sampleRow(m, s);
    if (s > 0 && row == sampleRow(m, s - 1)) continue;
    bool eliminated = false;
    for (std::int32_t w = 0; w < strong.size && !eliminated; ++w) {
      eliminated = eliminates(m, strong.rows[w], row);
    }
    if (!eliminated) offerStrongRow(m, row, strong);
  }
}

void offerStrongRow(const MatrixView& m, std::int32_t row, StrongRows& strong) {
  const double score = scoreOf(m, row, strong);
  // NaN scores (rows holding NaN, or infinities of both signs) never enter.
  if (!(score == score)) return;
  if (strong.size == StrongRows::kMost && !(score < strong.scores[strong.size - 1])) return;
  std::int32_t kept = 0;
  for (std::int32_t w = 0; w < strong.size; ++w) {
    if (eliminates(m, row, strong.rows[w])) continue;
    strong.rows[kept] = strong.rows[w];
    strong.scores[kept++] = strong.scores[w];
  }
  std::int32_t at = kept < StrongRows::kMost ? kept : StrongRows::kMost - 1;
  for (; at > 0 && !(strong.scores[at - 1] <= score); --at) {
    strong.rows[at] = strong.rows[at - 1];
    strong.scores[at] = strong.scores[at - 1];
  }
  strong.rows[at] = row;
  strong.scores[at] = score;
  strong.size = kept < StrongRows::kMost ? kept + 1 : StrongRows::kMost;
}
