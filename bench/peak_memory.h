// SPDX-License-Identifier: MIT
#pragma once
// The process's peak virtual size, for the benchmarks that report it.
#include <cstdlib>
#include <fstream>
#include <string>

namespace tesura::bench {

// The kernel's VmPeak line, in kB; 0 where there is none.
inline long peak_virtual_kb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmPeak:", 0) == 0) return std::atol(line.c_str() + 7);
  return 0;
}

}  // namespace tesura::bench
