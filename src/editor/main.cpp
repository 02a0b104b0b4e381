#include "editor/Corvane.h"
#include "vcl/Application.h"

int main(int argc, char** argv) {
  TApplicationSession session(argc, argv);
  return Corvane::RunCorvane();
}
