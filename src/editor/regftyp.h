#pragma once
// Makes the desktop open script files with the editor: the program's desktop entry for the type,
// and the extension's types associated with it in the user's MIME applications list.
#include <string>

namespace Corvane {

// Dots are dropped from the extension; an empty extension or program writes nothing. An empty
// type name becomes the extension followed by "_auto_file", an empty icon leaves the entry's icon
// as it was. Other programs' associations stay (see AssociateFileType). A file that cannot be
// written raises Exception.
void RegisterFileType(const std::string& Extension, const std::string& TypeName, const std::string& Description,
                      const std::string& Program, const std::string& Icon);

}  // namespace Corvane
