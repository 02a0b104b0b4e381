// Writes the "Editor Hot Keys" help page of a main window built with its default settings. The build
// runs it, so the page always matches the program's keys.
#include <fstream>
#include <iostream>
#include <memory>

#include "editor/HotKeysPage.h"
#include "editor/Unit1.h"
#include "vcl/Application.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: MakeHotKeysPage <page.htm>\n";
    return 2;
  }
  TApplicationSession session(argc, argv);
  std::unique_ptr<Corvane::TForm1> form(CreateForm<Corvane::TForm1>(nullptr));
  std::ofstream page(argv[1], std::ios::binary | std::ios::trunc);
  page << Corvane::HotKeysPageHtml(form.get());
  page.close();
  if (!page) {
    std::cerr << "MakeHotKeysPage: cannot write " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
