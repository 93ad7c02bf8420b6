#ifndef DOMINANCE_KERNELS_LEAVES_COVERED_LANES_AVX512_H
#define DOMINANCE_KERNELS_LEAVES_COVERED_LANES_AVX512_H

// The AVX-512 lane kernel that the front filter and the pair cover share: eight or sixteen
// candidate rows against a group of listed rows. Include only where TIER_HAS_X86 holds.

#include <immintrin.h>

#include <cstdint>

#include "common/avx512_diagnostics.h"
#include "common/matrix_view.h"
#include "common/tier_target.h"
#include "dominance/dominance_rule.h"
#include "dominance/kernels/lane_bits.h"
#include "dominance/kernels/leaves/open_columns.h"
#include "dominance/sorts/row_order.h"

TIER_BEGIN_AVX512

namespace {

// Eight or sixteen candidates at a time, each column of them in one or two registers, the
// verdicts in mask registers; up to eight columns stay in registers, and lanes that pass
// those with more columns are finished one by one. On an AMD EPYC (Zen 5) sixteen outpace
// the AVX2 kernel's eight candidates from four columns on; with fewer, eight measured faster.
constexpr std::int32_t kMaxHeld = 8;

template <int kHalves>
constexpr unsigned kAllLanes = (1u << (8 * kHalves)) - 1u;

__m512d columnLanes(const double* values, const std::int32_t* rows) {
  const __m256i index = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rows));
  return _mm512_i32gather_pd(index, values, 8);
}

// The candidates' held columns, each in one register per half, and the lanes whose
// candidate a row is <= in all of them.
template <std::int32_t kHeld, int kHalves>
struct HeldCandidates {
  __m512d x[kHalves][kHeld];
  const double* column[kHeld];

  HeldCandidates(const MatrixView& m, const OpenColumns& open, const std::int32_t* rows,
                 std::int32_t from) {
    for (std::int32_t k = 0; k < kHeld; ++k) column[k] = columnData(m, open.at(from + k));
    for (int h = 0; h < kHalves; ++h) {
      for (std::int32_t k = 0; k < kHeld; ++k) x[h][k] = columnLanes(column[k], rows + 8 * h);
    }
  }

  // Every held column, without stopping early: once members no longer wait for each other,
  // a branch on the first columns' verdict costs more than the compares it saves.
  unsigned coveredBy(std::int32_t member) const {
    __mmask8 cover[kHalves];
    __m512d v = _mm512_set1_pd(column[0][member]);
    for (int h = 0; h < kHalves; ++h) cover[h] = _mm512_cmp_pd_mask(v, x[h][0], _CMP_LE_OQ);
    for (std::int32_t k = 1; k < kHeld; ++k) {
      v = _mm512_set1_pd(column[k][member]);
      for (int h = 0; h < kHalves; ++h)
        cover[h] = _mm512_mask_cmp_pd_mask(cover[h], v, x[h][k], _CMP_LE_OQ);
    }
    unsigned covered = 0;
    for (int h = 0; h < kHalves; ++h) covered |= static_cast<unsigned>(cover[h]) << (8 * h);
    return covered;
  }
};

// The lanes of `covered` whose candidate `member` is also <= in the open columns past the
// held ones, from position `past` on.
inline unsigned coveredPast(const MatrixView& m, const OpenColumns& open, std::int32_t member,
                            const std::int32_t* rows, unsigned covered, std::int32_t past) {
  for (unsigned pending = covered; pending != 0; pending &= pending - 1) {
    const int lane = lowestLane(pending);
    if (!rowAtMostOn(m, open, member, rows[lane], past)) covered &= ~(1u << lane);
  }
  return covered;
}

// Lanes of the 8 * kHalves candidate `rows` (those set in `lanes`, held in `held`) that no
// row listed in group[0 .. size) is <= in every open column from position `from` on.
template <std::int32_t kHeld, int kHalves>
unsigned uncoveredLanes(const MatrixView& m, const OpenColumns& open, const double* group,
                        std::int32_t size, const HeldCandidates<kHeld, kHalves>& held,
                        const std::int32_t* rows, unsigned lanes, std::int32_t from) {
  const bool wide = open.count - from > kHeld;
  // Lanes already covered, and those never asked about. A member's compares do not read
  // this, so the compares of successive members overlap instead of waiting for each other.
  unsigned gone = ~lanes & kAllLanes<kHalves>;
  for (std::int32_t s = 0; s < size; ++s) {
    const std::int32_t member = rowOf(group[s]);
    unsigned covered = held.coveredBy(member);
    if (wide) covered = coveredPast(m, open, member, rows, covered & ~gone, from + kHeld);
    gone |= covered;
    if (gone == kAllLanes<kHalves>) return 0;
  }
  return ~gone & kAllLanes<kHalves>;
}

// Lanes of the `count` candidate `rows` (in sorted order) that the row of an earlier lane is
// <= in every open column from position `from` on.
template <std::int32_t kHeld, int kHalves>
unsigned coveredByEarlierLanes(const MatrixView& m, const OpenColumns& open,
                               const HeldCandidates<kHeld, kHalves>& held, const std::int32_t* rows,
                               std::int32_t count, std::int32_t from) {
  const bool wide = open.count - from > kHeld;
  unsigned fallen = 0;
  for (std::int32_t e = 0; e + 1 < count; ++e) {
    const std::int32_t member = rows[e];
    unsigned covered =
        held.coveredBy(member) & ~fallen & (kAllLanes<kHalves> << (e + 1)) & ((1u << count) - 1u);
    if (wide) covered = coveredPast(m, open, member, rows, covered, from + kHeld);
    fallen |= covered;
  }
  return fallen;
}

}  // namespace

TIER_END

#endif
