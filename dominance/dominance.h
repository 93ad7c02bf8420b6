#ifndef DOMINANCE_DOMINANCE_H
#define DOMINANCE_DOMINANCE_H

#include "common/matrix_view.h"
#include "dominance/dominance_rule.h"

// Both passes allocate nothing, and use the fastest instruction-set tier of the processor
// they run on; every tier gives the same flags.

// Flags (1.0 on entry) end as 1.0 for rows no other row dominates and that no lower-indexed
// row equals; all others become 0.0.
void markWithinSet(const MatrixView& set, double* flags);

// Judges the surviving rows of `first` (flags from markWithinSet) against the rows of
// `second` (flags all 1.0 on entry), in the fixed scan order that defines the result.
void markAcrossSets(const MatrixView& first, double* firstFlags, const MatrixView& second,
                    double* secondFlags);

#endif
