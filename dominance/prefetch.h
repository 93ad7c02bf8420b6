#ifndef DOMINANCE_PREFETCH_H
#define DOMINANCE_PREFETCH_H

// A hint to start loading what a later step reads, for loops that read rows of a large
// matrix in an order of their own. Compilers without such a hint skip it.

#include <cstdint>

#if defined(_MSC_VER) && !defined(__clang__) && (defined(_M_X64) || defined(_M_AMD64))
#include <xmmintrin.h>
#endif

// How many steps ahead such loops ask for the rows they will read: on matrices beyond the
// caches the loads then overlap.
constexpr std::int32_t kPrefetchAhead = 16;

inline void prefetchRead(const double* p) {
#if defined(__GNUC__) || defined(__clang__)
  __builtin_prefetch(p);
#elif defined(_MSC_VER) && (defined(_M_X64) || defined(_M_AMD64))
  _mm_prefetch(reinterpret_cast<const char*>(p), _MM_HINT_T0);
#else
  (void)p;
#endif
}

#endif
