#ifndef MEX_H
#define MEX_H

/* The host interface the gateways use, declared from the host's documented C API.
   Gateways include "mex.h"; the same sources also build against GNU Octave's header. */

#include <stdbool.h>
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct mxArray_tag mxArray;

typedef enum { mxREAL = 0, mxCOMPLEX = 1 } mxComplexity;

size_t mxGetM(const mxArray* array);
size_t mxGetN(const mxArray* array);
double* mxGetPr(const mxArray* array);
bool mxIsDouble(const mxArray* array);
bool mxIsComplex(const mxArray* array);
bool mxIsSparse(const mxArray* array);
void mxDestroyArray(mxArray* array);

/* The constructor with 32-bit dimensions; the plain name maps onto it. */
mxArray* mxCreateDoubleMatrix_700(int m, int n, mxComplexity complexity);
#define mxCreateDoubleMatrix mxCreateDoubleMatrix_700

/* Both raise an error in the host and do not return to the caller. */
void mexErrMsgTxt(const char* message);
void mexErrMsgIdAndTxt(const char* identifier, const char* format, ...);

#if defined(_WIN32)
#define MEX_EXPORT __declspec(dllexport)
#else
#define MEX_EXPORT __attribute__((visibility("default")))
#endif

/* The plug-in's single entry point, called by the host. */
MEX_EXPORT void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]);

#ifdef __cplusplus
}
#endif

#endif
