#pragma once
// The process's resident memory as Linux reports it, for benchmarks that watch what a job holds.
#include <fstream>
#include <string>

// A field of /proc/self/status in kilobytes ("VmRSS", "VmHWM").
inline double StatusKilobytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(field + ":", 0) == 0) return std::stod(line.substr(field.size() + 1));
  return 0;
}

// Starts the peak (VmHWM) over from the current resident size, so a job's own peak can be read.
inline void ResetPeakResident() { std::ofstream("/proc/self/clear_refs") << "5"; }
