#include "tests/support/host_calls.h"

#include <cstdlib>
#include <stdexcept>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#ifndef MEX_PLUGIN_DIR
#define MEX_PLUGIN_DIR "."
#endif

namespace {

#if defined(_WIN32)
const char* const kSuffix = ".mexw64";
#else
const char* const kSuffix = ".mexa64";
#endif

constexpr int kGuardSlots = 4;

}  // namespace

StandinGateway loadGateway(const std::string& name) {
  const char* dir = std::getenv("MEX_PLUGIN_DIR");
  const std::string path =
      std::string(dir != nullptr ? dir : MEX_PLUGIN_DIR) + "/" + name + kSuffix;
#if defined(_WIN32)
  HMODULE module = LoadLibraryA(path.c_str());
  if (module == nullptr) throw std::runtime_error("cannot load " + path);
  FARPROC entry = GetProcAddress(module, "mexFunction");
  if (entry == nullptr) throw std::runtime_error("no mexFunction in " + path);
  return reinterpret_cast<StandinGateway>(reinterpret_cast<void*>(entry));
#else
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) throw std::runtime_error(std::string("cannot load: ") + dlerror());
  void* entry = dlsym(module, "mexFunction");
  if (entry == nullptr) throw std::runtime_error("no mexFunction in " + path);
  return reinterpret_cast<StandinGateway>(entry);
#endif
}

mxArray* unwrittenSlot() {
  static int marker;
  return reinterpret_cast<mxArray*>(&marker);
}

GatewayCall callGateway(StandinGateway gateway, int nlhs,
                        const std::vector<const mxArray*>& inputs) {
  const int provided = nlhs > 1 ? nlhs : 1;
  std::vector<mxArray*> slots(static_cast<std::size_t>(provided + kGuardSlots), unwrittenSlot());
  GatewayCall call;
  call.status = standinCall(gateway, nlhs, slots.data(), static_cast<int>(inputs.size()),
                            const_cast<const mxArray**>(inputs.data()));
  call.identifier = standinErrorIdentifier();
  call.message = standinErrorMessage();
  for (int s = 0; s < provided; ++s) call.outputs.push_back(slots[static_cast<std::size_t>(s)]);
  for (std::size_t s = static_cast<std::size_t>(provided); s < slots.size(); ++s) {
    call.guardSlotsIntact = call.guardSlotsIntact && slots[s] == unwrittenSlot();
  }
  return call;
}

void HostArrays::destroyAll() {
  for (mxArray* array : owned_) mxDestroyArray(array);
  owned_.clear();
}

const mxArray* HostArrays::matrix(std::size_t rows, std::size_t cols,
                                  const std::vector<double>& values) {
  mxArray* array = standinCreateArray(standinDouble, rows, cols, false, false);
  double* data = mxGetPr(array);
  for (std::size_t i = 0; i < values.size(); ++i) data[i] = values[i];
  owned_.push_back(array);
  return array;
}

const mxArray* HostArrays::ofClass(StandinClass arrayClass, std::size_t rows, std::size_t cols,
                                   bool complex, bool sparse) {
  owned_.push_back(standinCreateArray(arrayClass, rows, cols, complex, sparse));
  return owned_.back();
}

const mxArray* HostArrays::unbacked(std::size_t rows, std::size_t cols) {
  owned_.push_back(standinCreateUnbackedDouble(rows, cols));
  return owned_.back();
}

void HostArrays::adopt(const std::vector<mxArray*>& outputs) {
  for (mxArray* array : outputs) {
    if (array != unwrittenSlot() && array != nullptr) owned_.push_back(array);
  }
}

std::vector<double> valuesOf(const mxArray* array) {
  const double* data = mxGetPr(array);
  return std::vector<double>(data, data + mxGetM(array) * mxGetN(array));
}
