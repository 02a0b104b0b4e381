#pragma once
// The "Editor Hot Keys" help page, made from a main window's menus and the key table of its editor,
// so the page shows the keys the program really has.
#include <string>

namespace Corvane {

class TForm1;

std::string HotKeysPageHtml(TForm1* Form);

}  // namespace Corvane
