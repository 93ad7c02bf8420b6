// A module built the way a plug-in must not be: it exports a second function and needs the
// shared C++ runtime. The binary check has to reject it.
#include <stdexcept>

#if defined(_WIN32)
#define LEAKY_EXPORT __declspec(dllexport)
#else
#define LEAKY_EXPORT __attribute__((visibility("default")))
#endif

extern "C" LEAKY_EXPORT void mexFunction() {}

extern "C" LEAKY_EXPORT void leakyHelper(int value) {
  if (value < 0) throw std::runtime_error("negative");
}
