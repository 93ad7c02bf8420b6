#ifndef DOMINANCE_KERNELS_ROW_SCAN_ROW_SCAN_H
#define DOMINANCE_KERNELS_ROW_SCAN_ROW_SCAN_H

#include <cstdint>

#include "common/matrix_view.h"

// Where a scan stopped and how many rows of the second matrix it eliminated.
struct ScanOutcome {
  std::int32_t stop;
  std::int32_t eliminated;
};

// Compares row `row` of `first` with every standing row of `second` from `begin` on, in
// increasing order, and applies the pair decision to *firstFlag and secondFlags after each
// comparison. Rows whose flag is 0.0 are skipped, and the scan stops once the first row is
// eliminated: `stop` is then the eliminating row, otherwise second.rows. Both matrices have
// first.cols columns; `row` never lies in the scanned range when the two are one matrix.
using RowScan = ScanOutcome (*)(const MatrixView& first, std::int32_t row, double* firstFlag,
                                const MatrixView& second, std::int32_t begin, double* secondFlags);

// One scan per tier, each in row_scan_<tier>.cpp; tier_table.cpp declares the wider tiers'
// scans and picks one. The baseline scan is declared here for the others to fall back on.
ScanOutcome scanRowBaseline(const MatrixView& first, std::int32_t row, double* firstFlag,
                            const MatrixView& second, std::int32_t begin, double* secondFlags);

#endif
