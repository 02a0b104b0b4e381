#include "editor/regftyp.h"

#include "support/CKSLib.h"
#include "vcl/Registry.h"

namespace {

void WriteDefaultValue(const std::string& key, const std::string& value) {
  TRegistry registry;
  registry.SetRootKey(HKEY_CLASSES_ROOT);
  if (!registry.OpenKey(key, true)) throw ERegistryException("Failed to create key " + key);
  registry.WriteString("", value);
}

}  // namespace

void RegisterFileType(const std::string& Extension, const std::string& TypeName, const std::string& Description,
                      const std::string& Program, const std::string& Icon) {
  const std::string extension = RemoveChar(Extension, '.');
  if (extension.empty() || Program.empty()) return;
  const std::string typeName = TypeName.empty() ? extension + "_auto_file" : TypeName;
  WriteDefaultValue("." + extension, typeName);
  WriteDefaultValue(typeName, Description);
  if (!Icon.empty()) WriteDefaultValue(typeName + "\\DefaultIcon", Icon);
  WriteDefaultValue(typeName + "\\Shell\\Edit\\command", Program + " %1");
  WriteDefaultValue(typeName + "\\Shell\\Edit", "&Edit");
  WriteDefaultValue(typeName + "\\Shell", "Edit");
}
