#include "win/FileNames.h"

#include "qt/QtConvert.h"
#include "vcl/SysUtils.h"

namespace {

bool Exists(const std::string& name) { return FileExists(name) || DirectoryExists(name); }

}  // namespace

std::string FileNameToText(const std::string& name) { return FromQString(FileNameToQString(name)); }

std::string StoredFileName(const std::string& stored) {
  if (stored.empty() || Exists(stored)) return stored;
  std::string name = FileNameFromQString(ToQString(stored));
  return Exists(name) ? name : stored;
}
