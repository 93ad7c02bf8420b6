#include "common/no_contraction.h"
#include "dominance/kernels/cross_cover/cross_cover.h"

void coverAcrossPairsBaseline(CrossEntries pointSet, const double* points, std::int32_t pointCount,
                              CrossEntries querySet, double* queries, std::int32_t queryCount,
                              const OpenColumns& open, std::int32_t from, double mark) {
  for (std::int32_t q = 0; q < queryCount; ++q) {
    const std::int32_t row = crossRow(queries[q], querySet.rowMask);
    for (std::int32_t p = 0; p < pointCount; ++p) {
      if (rowAtMostAcrossOn(pointSet.set, crossRow(points[p], pointSet.rowMask), querySet.set, row,
                            open, from)) {
        queries[q] += mark;
        break;
      }
    }
  }
}
