#include "common/PerlCorpus.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace corvane::test {

std::vector<std::string> PerlModuleFiles() {
  std::vector<std::string> files;
  std::error_code error;
  for (auto it = std::filesystem::recursive_directory_iterator("/usr/share/perl", error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    if (it->is_regular_file() && it->path().extension() == ".pm") files.push_back(it->path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string PerlCorpusText(int copies) {
  std::string once;
  for (const std::string& file : PerlModuleFiles()) {
    std::ifstream in(file, std::ios::binary);
    once.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!once.empty() && once.back() != '\n') once += '\n';
  }
  std::string all;
  all.reserve(once.size() * static_cast<size_t>(std::max(copies, 0)));
  for (int i = 0; i < copies; ++i) all += once;
  return all;
}

std::vector<std::string_view> CorpusLines(const std::string& text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.emplace_back(text.data() + start, end - start);
    start = end + 1;
  }
  return lines;
}

}  // namespace corvane::test
