#pragma once
// Makes the desktop open script files with the editor: the extension's class and its "Edit" verb
// under HKEY_CLASSES_ROOT.
#include <string>

// Dots are dropped from the extension; an empty extension or program writes nothing. An empty
// type name becomes the extension followed by "_auto_file", an empty icon writes no
// "DefaultIcon". Existing values and verbs of the type stay. A key that cannot be written
// raises ERegistryException.
void RegisterFileType(const std::string& Extension, const std::string& TypeName, const std::string& Description,
                      const std::string& Program, const std::string& Icon);
