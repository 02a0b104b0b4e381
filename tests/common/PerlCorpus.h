#pragma once
// The Perl modules of the machine's Perl installation, as test and benchmark material: real scripts of
// every style, about 318,000 lines in 518 files under /usr/share/perl.
#include <string>
#include <string_view>
#include <vector>

namespace corvane::test {

// Every *.pm file under /usr/share/perl, sorted by path.
std::vector<std::string> PerlModuleFiles();
// The modules' text joined, the whole set repeated `copies` times (4 gives the 1.2-million-line corpus).
std::string PerlCorpusText(int copies);

// The lines of a text cut at LF (a CR before it stays in the line), as views into the text.
std::vector<std::string_view> CorpusLines(const std::string& text);

}  // namespace corvane::test
