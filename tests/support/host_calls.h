#ifndef TESTS_SUPPORT_HOST_CALLS_H
#define TESTS_SUPPORT_HOST_CALLS_H

// Loads a built plug-in into the stand-in host and calls it the way a host does, with
// exactly max(nlhs, 1) output slots followed by guard slots that must stay untouched.

#include <cstdint>
#include <string>
#include <vector>

#include "host/standin/standin_host.h"

// The plug-in file `name` + platform suffix, from $MEX_PLUGIN_DIR or the build's dist folder.
StandinGateway loadGateway(const std::string& name);

struct GatewayCall {
  int status = 0;  // 0: returned, 1: raised an error
  std::string identifier;
  std::string message;
  std::vector<mxArray*> outputs;  // the max(nlhs, 1) provided slots
  bool guardSlotsIntact = true;
};

// Sentinel left in every slot before the call; a slot still holding it was not written.
mxArray* unwrittenSlot();

GatewayCall callGateway(StandinGateway gateway, int nlhs,
                        const std::vector<const mxArray*>& inputs);

// Host arrays for a test; everything made through it is destroyed with it.
class HostArrays {
 public:
  HostArrays() = default;
  HostArrays(const HostArrays&) = delete;
  HostArrays& operator=(const HostArrays&) = delete;
  ~HostArrays() { destroyAll(); }

  // A rows x cols double matrix from column-major values (zeros when values is empty).
  const mxArray* matrix(std::size_t rows, std::size_t cols, const std::vector<double>& values = {});
  const mxArray* ofClass(StandinClass arrayClass, std::size_t rows, std::size_t cols,
                         bool complex = false, bool sparse = false);
  const mxArray* unbacked(std::size_t rows, std::size_t cols);
  // Takes ownership of arrays a gateway left in its slots.
  void adopt(const std::vector<mxArray*>& outputs);
  void destroyAll();

 private:
  std::vector<mxArray*> owned_;
};

std::vector<double> valuesOf(const mxArray* array);

#endif
