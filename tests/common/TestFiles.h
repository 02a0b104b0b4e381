#pragma once
// Whole files read and written byte for byte, for tests that check what a program stored.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace corvane::test {

// The file's bytes; empty when it cannot be read, also when a read fails after the open (a /proc file
// whose process has just ended), which the stream's buffer reports by throwing.
inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  try {
    return std::string(std::istreambuf_iterator<char>(in), {});
  } catch (const std::ios_base::failure&) {
    return {};
  }
}

inline void WriteFile(const std::filesystem::path& path, const std::string& data) {
  std::ofstream(path, std::ios::binary) << data;
}

// The build tree's folder of the programs' own files (help pages, cursors, icons), found from the
// build folder the test main names, not the way the programs find it; symbolic links resolved, as
// in the program's own path.
inline std::filesystem::path BuildDataFolder() {
  const char* build = std::getenv("CORVANE_BINARY_DIR");
  return build ? std::filesystem::weakly_canonical(std::filesystem::path(build) / "share" / "corvane")
               : std::filesystem::path();
}

}  // namespace corvane::test
