#pragma once
// Teaching the desktop which program opens a kind of file, where this desktop looks for it: desktop
// entries in the user's applications folder, the user's MIME database and the user's MIME
// applications list (freedesktop.org), not a private store.
#include <string>

// Makes the desktop offer `program` for the text files with the extension (given without a dot):
// - the program's desktop entry "<program's file name>-<type name>.desktop" in
//   $XDG_DATA_HOME/applications (else ~/.local/share/applications) starts the program on the file,
//   shows the icon file when one is given, and lists the extension's MIME types that are text, as the
//   MIME database types a file of that name, with their aliases. Types the entry listed before stay;
//   an empty icon leaves the entry's icon as it was;
// - an extension the database knows no text type for gets a type of its own, "application/x-" and
//   the extension, a text type described by the description, in the user's MIME database
//   ($XDG_DATA_HOME/mime), which is then rebuilt;
// - the user's MIME applications list ($XDG_CONFIG_HOME/mimeapps.list, else ~/.config/mimeapps.list)
//   adds the entry to each type's associations, and makes it the type's default where the list names
//   no default for the type or one of its aliases.
// Nothing of other programs' associations is removed, and a file that would get the content it has
// is not written again. False when a file could not be written, the database not rebuilt, or a text
// cannot be stored in these files (not UTF-8, a program path with "%", an extension no type can be
// named after).
bool AssociateFileType(const std::string& extension, const std::string& typeName, const std::string& description,
                       const std::string& program, const std::string& icon);
