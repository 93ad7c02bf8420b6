// Host entry of rowdist: the symmetric table of Euclidean distances between rows.

#include "distance/row_distance.h"
#include "host/gateway/gateway_checks.h"
#include "host/gateway/result_pages.h"
#include "mex.h"

namespace {
const char* const kFunction = "rowdist";
}

extern "C" MEX_EXPORT void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  if (nrhs != 1) return mexErrMsgTxt("A single input is required.");
  if (nlhs > 1) return mexErrMsgTxt("A single output is required.");

  MatrixView x{0, 0, nullptr};
  if (!readRealMatrix(kFunction, prhs[0], 1, &x)) return;

  mxArray* table = createFreshMatrix(x.rows, x.rows);
  if (table == nullptr) {
    raiseOutOfMemory(kFunction);
    return;
  }
  plhs[0] = table;
  fillRowDistances(x.data, x.cols, x.rows, mxGetPr(table));
}
