// Host entry of paretomask: flags of the non-dominated rows of one matrix, or of two
// matrices judged across each other.

#include "dominance/dominance.h"
#include "host/gateway/gateway_checks.h"
#include "host/gateway/result_pages.h"
#include "mex.h"

namespace {

const char* const kFunction = "paretomask";

// A rows x 1 double vector with every flag standing (1.0), or NULL if the host has no memory.
mxArray* createStandingFlags(std::int32_t rows) {
  mxArray* flags = createFreshMatrix(rows, 1);
  if (flags == nullptr) return nullptr;
  double* data = mxGetPr(flags);
  for (std::int32_t r = 0; r < rows; ++r) data[r] = 1.0;
  return flags;
}

}  // namespace

extern "C" MEX_EXPORT void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const int inputs = nrhs < 2 ? nrhs : 2;
  if (inputs < 1) return mexErrMsgTxt("Not enough input arguments.");
  if (inputs == 2 && mxGetN(prhs[0]) != mxGetN(prhs[1])) {
    return mexErrMsgTxt("The number of columns must agree");
  }
  if (nlhs > 2) return mexErrMsgTxt("Too many output arguments.");

  MatrixView a{0, 0, nullptr};
  MatrixView b{0, 0, nullptr};
  if (!readRealMatrix(kFunction, prhs[0], 1, &a)) return;
  if (inputs == 2 && !readRealMatrix(kFunction, prhs[1], 2, &b)) return;

  // Both results exist before either reaches a slot, so a failure leaves no output behind.
  mxArray* flagsA = createStandingFlags(a.rows);
  mxArray* flagsB = inputs == 2 ? createStandingFlags(b.rows) : nullptr;
  if (flagsA == nullptr || (inputs == 2 && flagsB == nullptr)) {
    if (flagsA != nullptr) mxDestroyArray(flagsA);
    if (flagsB != nullptr) mxDestroyArray(flagsB);
    raiseOutOfMemory(kFunction);
    return;
  }

  plhs[0] = flagsA;
  markWithinSet(a, mxGetPr(flagsA));
  if (inputs == 1) return;

  // The flags of B are needed for A's result even when the caller does not ask for them;
  // they go only into a slot the host provided.
  markAcrossSets(a, mxGetPr(flagsA), b, mxGetPr(flagsB));
  if (nlhs == 2) {
    plhs[1] = flagsB;
  } else {
    mxDestroyArray(flagsB);
  }
}
