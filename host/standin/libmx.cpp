// Stand-in libmx: host-owned arrays with a class, a complexity and a sparse flag.

#include <cstdlib>
#include <cstring>

#include "host/standin/standin_host.h"

struct mxArray_tag {
  StandinClass arrayClass;
  size_t rows;
  size_t cols;
  bool complex;
  bool sparse;
  void* real;
  void* imaginary;
};

namespace {

int liveArrays = 0;
int creationsBeforeFailure = -1;

size_t elementSize(StandinClass arrayClass) {
  switch (arrayClass) {
    case standinDouble:
      return 8;
    case standinSingle:
    case standinInt32:
      return 4;
    case standinChar:
      return 2;
    case standinUint8:
    case standinLogical:
      return 1;
  }
  return 8;
}

mxArray* newArray(StandinClass arrayClass, size_t rows, size_t cols, bool complex, bool sparse,
                  bool backed) {
  mxArray* array = static_cast<mxArray*>(std::calloc(1, sizeof(mxArray)));
  if (array == nullptr) return nullptr;
  *array = mxArray{arrayClass, rows, cols, complex, sparse, nullptr, nullptr};
  if (backed) {
    const size_t count = sparse ? 1 : rows * cols;
    const size_t bytes = count * elementSize(arrayClass);
    // Empty arrays still get a distinct, non-null block, as hosts commonly give.
    array->real = std::calloc(bytes == 0 ? 1 : bytes, 1);
    if (complex) array->imaginary = std::calloc(bytes == 0 ? 1 : bytes, 1);
  }
  ++liveArrays;
  return array;
}

}  // namespace

extern "C" {

size_t mxGetM(const mxArray* array) {
  return array->rows;
}
size_t mxGetN(const mxArray* array) {
  return array->cols;
}
double* mxGetPr(const mxArray* array) {
  return static_cast<double*>(array->real);
}
bool mxIsDouble(const mxArray* array) {
  return array->arrayClass == standinDouble;
}
bool mxIsComplex(const mxArray* array) {
  return array->complex;
}
bool mxIsSparse(const mxArray* array) {
  return array->sparse;
}

void mxDestroyArray(mxArray* array) {
  if (array == nullptr) return;
  std::free(array->real);
  std::free(array->imaginary);
  std::free(array);
  --liveArrays;
}

mxArray* mxCreateDoubleMatrix_700(int m, int n, mxComplexity complexity) {
  if (creationsBeforeFailure == 0) {
    creationsBeforeFailure = -1;
    return nullptr;
  }
  if (creationsBeforeFailure > 0) --creationsBeforeFailure;
  if (m < 0 || n < 0) std::abort();  // a negative count is a gateway fault
  return newArray(standinDouble, static_cast<size_t>(m), static_cast<size_t>(n),
                  complexity == mxCOMPLEX, false, true);
}

mxArray* standinCreateArray(StandinClass arrayClass, size_t rows, size_t cols, bool complex,
                            bool sparse) {
  return newArray(arrayClass, rows, cols, complex, sparse, true);
}

mxArray* standinCreateUnbackedDouble(size_t rows, size_t cols) {
  return newArray(standinDouble, rows, cols, false, false, false);
}

void standinFailCreationAfter(int successes) {
  creationsBeforeFailure = successes;
}

int standinLiveArrays(void) {
  return liveArrays;
}

}  // extern "C"
