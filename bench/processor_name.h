#ifndef BENCH_PROCESSOR_NAME_H
#define BENCH_PROCESSOR_NAME_H

// The processor's name as the operating system reports it, for the summaries: every figure
// is named with the processor it was measured on.

#include <fstream>
#include <string>

inline std::string processorName() {
  std::ifstream info("/proc/cpuinfo");
  std::string line;
  while (std::getline(info, line)) {
    if (line.rfind("model name", 0) == 0) {
      const std::size_t colon = line.find(':');
      if (colon != std::string::npos) return line.substr(colon + 2);
    }
  }
  return "unknown processor";
}

#endif
