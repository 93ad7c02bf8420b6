#ifndef TESTS_SUPPORT_MAPPING_FLAGS_H
#define TESTS_SUPPORT_MAPPING_FLAGS_H

// What the system records of this process's memory, read from its list of mappings: whether
// the mapping that holds an address was advised to take huge pages. Linux only.

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

inline bool systemTakesHugePageAdvice() {
  return static_cast<bool>(std::ifstream("/sys/kernel/mm/transparent_hugepage/enabled"));
}

// The flags line of the mapping that holds `address`, or "" if none holds it.
inline std::string mappingFlags(std::uintptr_t address) {
  std::ifstream maps("/proc/self/smaps");
  bool inside = false;
  for (std::string line; std::getline(maps, line);) {
    std::uintptr_t begin = 0;
    std::uintptr_t end = 0;
    char dash = 0;
    std::istringstream range(line);
    if (range >> std::hex >> begin >> dash >> end && dash == '-') {
      inside = begin <= address && address < end;
    } else if (inside && line.rfind("VmFlags:", 0) == 0) {
      return line;
    }
  }
  return "";
}

inline bool advisedForHugePages(std::uintptr_t address) {
  return mappingFlags(address).find(" hg") != std::string::npos;
}

#endif
