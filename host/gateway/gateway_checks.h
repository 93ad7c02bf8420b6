#ifndef HOST_GATEWAY_GATEWAY_CHECKS_H
#define HOST_GATEWAY_GATEWAY_CHECKS_H

// Checks shared by the gateways. Each raises an error through the host and returns false
// when the call must stop; the gateway returns at once in case a host's error call returns.

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "common/matrix_view.h"
#include "mex.h"

// Other hosts' headers do not define this. Plug-ins are built with hidden visibility, so
// on ELF the entry point must be marked; Windows hosts' headers mark it themselves.
#ifndef MEX_EXPORT
#if (defined(__GNUC__) || defined(__clang__)) && !defined(_WIN32)
#define MEX_EXPORT __attribute__((visibility("default")))
#else
#define MEX_EXPORT
#endif
#endif

inline bool raiseGatewayError(const char* function, const char* idSuffix, const char* message) {
  char identifier[64];
  std::snprintf(identifier, sizeof identifier, "%s:%s", function, idSuffix);
  mexErrMsgIdAndTxt(identifier, "%s", message);
  return false;
}

// A count from the host (unsigned 64-bit) that must fit the 32-bit counts the logic and the
// constructor take; a larger one is refused rather than narrowed.
inline bool fitsCount(std::size_t count) {
  return count <= static_cast<std::size_t>(INT32_MAX);
}

// Reads input `position` (1-based) as a real, full double matrix, refusing any other class,
// complex or sparse storage (their data is not M*N real doubles) and oversized counts.
inline bool readRealMatrix(const char* function, const mxArray* input, int position,
                           MatrixView* view) {
  char message[128];
  if (!mxIsDouble(input) || mxIsComplex(input) || mxIsSparse(input)) {
    std::snprintf(message, sizeof message, "Input %d must be a real, full double matrix.",
                  position);
    return raiseGatewayError(function, "notRealDouble", message);
  }
  const std::size_t rows = mxGetM(input);
  const std::size_t cols = mxGetN(input);
  if (!fitsCount(rows) || !fitsCount(cols)) {
    std::snprintf(message, sizeof message,
                  "Input %d is too large: rows and columns must each be at most %d.", position,
                  INT32_MAX);
    return raiseGatewayError(function, "tooLarge", message);
  }
  view->rows = static_cast<std::int32_t>(rows);
  view->cols = static_cast<std::int32_t>(cols);
  view->data = mxGetPr(input);
  return true;
}

inline bool raiseOutOfMemory(const char* function) {
  return raiseGatewayError(function, "outOfMemory", "Not enough memory for the result.");
}

#endif
