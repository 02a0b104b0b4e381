#include "editor/regftyp.h"

#include "support/CKSLib.h"
#include "vcl/SysUtils.h"
#include "win/FileTypes.h"

namespace Corvane {

void RegisterFileType(const std::string& Extension, const std::string& TypeName, const std::string& Description,
                      const std::string& Program, const std::string& Icon) {
  const std::string extension = RemoveChar(Extension, '.');
  if (extension.empty() || Program.empty()) return;
  const std::string typeName = TypeName.empty() ? extension + "_auto_file" : TypeName;
  if (!AssociateFileType(extension, typeName, Description, Program, Icon))
    throw Exception("Failed to register the file type ." + extension);
}

}  // namespace Corvane
