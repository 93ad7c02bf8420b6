#ifndef DISTANCE_ROW_DISTANCE_H
#define DISTANCE_ROW_DISTANCE_H

#include <cstdint>

// Writes the M x M column-major table of Euclidean distances between the rows of the
// column-major M x N matrix `data` into `out`, every cell. Each pair sums its squared
// differences (row i minus row j, i < j) in one double, columns in increasing order, so
// the table is bit-reproducible; the diagonal is 0.0. Allocates nothing, and takes under
// 32 KiB of stack. Runs the fastest tier this processor supports; every tier writes the
// same bits, NaN payloads aside.
void fillRowDistances(const double* data, std::int32_t cols, std::int32_t rows, double* out);

#endif
