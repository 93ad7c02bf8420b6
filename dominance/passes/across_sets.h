#ifndef DOMINANCE_PASSES_ACROSS_SETS_H
#define DOMINANCE_PASSES_ACROSS_SETS_H

// The cross-set pass for a chosen instruction-set tier; markAcrossSetsFor chooses the tier of
// the processor it runs on. All tiers give identical flags.

#include <cstdint>

#include "common/matrix_view.h"
#include "common/tier.h"

void markAcrossSetsFor(Tier tier, const MatrixView& first, double* firstFlags,
                       const MatrixView& second, double* secondFlags);

// With at most `streamedRows` standing rows in `first` (and no more than the stream takes,
// kStreamedFirstRows), the second set streams past them. Otherwise the pass scans them in order
// first. Once the scan has passed more rows of `second` than `base` plus `perRow` for each row
// of both sets, it settles the rows still standing in sorted order instead: the scan is heading
// for the product of the counts, the sorted pass for little more than their sum. The sorted
// pass on three or more columns first finds which first-set rows are dominated at all, and
// scans those the same way while `dominatedBase` and `dominatedPerRow` allow.
struct AcrossAllowance {
  std::int64_t base;
  std::int64_t perRow;
  std::int64_t leafPairs;  // groups the sorted pass's queries of s compare pair by pair
  std::int64_t dominatedBase = std::int64_t{1} << 16;
  std::int64_t dominatedPerRow = 128;
  std::int64_t runPairs = 256;      // runs of the merged order settled in that order
  std::int64_t coverPairs = 65536;  // groups the tier's pair kernel compares whole
  // From five to eight columns and 4096 rows in all, the halving takes a pivot's regions apart.
  std::int32_t regionsFromColumns = 5;
  std::int64_t regionsFromRows = 4096;
  std::int32_t streamedRows = 64;
  // On two columns, the first-set rows dominated at all are found first, unless more than one
  // in this many of those passed are.
  std::int32_t sweptOneIn = 8;
};

void markAcrossSetsWithAllowance(Tier tier, const MatrixView& first, double* firstFlags,
                                 const MatrixView& second, double* secondFlags,
                                 const AcrossAllowance& allowance);

AcrossAllowance defaultAcrossAllowance();

#endif
