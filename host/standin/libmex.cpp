// Stand-in libmex: calls a gateway and turns its error call into a jump back to the caller,
// so an error never returns to the plug-in.

#include <csetjmp>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/standin/standin_host.h"

namespace {

std::jmp_buf* activeCall = nullptr;
char errorIdentifier[256];
char errorMessage[1024];

[[noreturn]] void raise(const char* identifier) {
  std::snprintf(errorIdentifier, sizeof errorIdentifier, "%s", identifier);
  if (activeCall == nullptr) {
    std::fprintf(stderr, "stand-in host: error raised outside a call: %s\n", errorMessage);
    std::abort();
  }
  std::longjmp(*activeCall, 1);
}

}  // namespace

extern "C" {

void mexErrMsgTxt(const char* message) {
  std::snprintf(errorMessage, sizeof errorMessage, "%s", message);
  raise("");
}

void mexErrMsgIdAndTxt(const char* identifier, const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::vsnprintf(errorMessage, sizeof errorMessage, format, args);
  va_end(args);
  raise(identifier);
}

int standinCall(StandinGateway gateway, int nlhs, mxArray* plhs[], int nrhs,
                const mxArray* prhs[]) {
  errorIdentifier[0] = '\0';
  errorMessage[0] = '\0';
  std::jmp_buf call;
  std::jmp_buf* outer = activeCall;
  activeCall = &call;
  if (setjmp(call) != 0) {
    activeCall = outer;
    return 1;
  }
  gateway(nlhs, plhs, nrhs, prhs);
  activeCall = outer;
  return 0;
}

const char* standinErrorIdentifier(void) {
  return errorIdentifier;
}
const char* standinErrorMessage(void) {
  return errorMessage;
}

}  // extern "C"
