#ifndef HOST_STANDIN_STANDIN_HOST_H
#define HOST_STANDIN_STANDIN_HOST_H

// Test-side controls of the stand-in host (our own libmx and libmex), used to load a
// plug-in, hand it arrays of any class and shape, and observe what it does.

#include <stddef.h>

#include "mex.h"

#if defined(_WIN32)
#if defined(STANDIN_BUILDING_HOST)
#define STANDIN_API __declspec(dllexport)
#else
#define STANDIN_API __declspec(dllimport)
#endif
#else
#define STANDIN_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef enum {
  standinDouble,
  standinSingle,
  standinInt32,
  standinUint8,
  standinLogical,
  standinChar
} StandinClass;

/* A host array of any class; its data is zero-filled. A sparse array holds one nonzero,
   as a host stores only nonzeros. */
STANDIN_API mxArray* standinCreateArray(StandinClass arrayClass, size_t rows, size_t cols,
                                        bool complex, bool sparse);

/* A double array that reports the given dimensions but holds no data: for size checks
   that must refuse before reading. */
STANDIN_API mxArray* standinCreateUnbackedDouble(size_t rows, size_t cols);

/* The next `successes` constructor calls succeed and the one after returns NULL, once;
   a negative value turns this off. */
STANDIN_API void standinFailCreationAfter(int successes);

/* Arrays created and not yet destroyed. */
STANDIN_API int standinLiveArrays(void);

typedef void (*StandinGateway)(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]);

/* Calls a gateway as the host does. Returns 0 when it returned normally, 1 when it raised
   an error; the error's identifier and message stay readable until the next call. */
STANDIN_API int standinCall(StandinGateway gateway, int nlhs, mxArray* plhs[], int nrhs,
                            const mxArray* prhs[]);
STANDIN_API const char* standinErrorIdentifier(void);
STANDIN_API const char* standinErrorMessage(void);

#ifdef __cplusplus
}
#endif

#endif
