#ifndef DOMINANCE_KERNELS_FIRST_ROWS_STREAM_FIRST_ROWS_STREAM_H
#define DOMINANCE_KERNELS_FIRST_ROWS_STREAM_FIRST_ROWS_STREAM_H

// The cross-set pass when few rows of the first set stand: the second set streams past all
// of them once, in its index order, each block of its rows held in registers while it meets
// them. This is the literal scan turned around, and gives its flags (see the closed form in
// dominance_rule.h): a first-set row is *open* until the first second-set row that dominates
// it, which closes it (its flag becomes 0.0); a second-set row falls when an open row is <= it
// in every column. A second-set row that any first-set row is <= dominates none of them, so
// only the rows no open row is <= are compared the other way.

#include <cstdint>

#include "common/matrix_view.h"

// The most standing first-set rows the stream takes.
constexpr std::int32_t kStreamedFirstRows = 64;

// Gives both flag vectors the cross-set result. firstFlags are the within-set result, with
// at most kStreamedFirstRows standing rows that hold no NaN (rows holding NaN stand and take
// no part); secondFlags are all 1.0. Uses about 1.5 KiB of stack.
using FirstRowsStream = void (*)(const MatrixView& first, double* firstFlags,
                                 const MatrixView& second, double* secondFlags);

void streamPastFirstRowsBaseline(const MatrixView& first, double* firstFlags,
                                 const MatrixView& second, double* secondFlags);

#endif
