#include "vcl/Registry.h"

#include <cstring>
#include <vector>

namespace {

bool IsRelative(const std::string& key) { return key.empty() || key.front() != '\\'; }

std::string WithoutLeadingSeparator(const std::string& key) { return IsRelative(key) ? key : key.substr(1); }

[[noreturn]] void ReadError(const std::string& name) {
  throw ERegistryException("Invalid data type for '" + name + "'");
}

TRegDataType DataTypeOf(DWORD type) {
  switch (type) {
    case REG_SZ:
      return rdString;
    case REG_EXPAND_SZ:
      return rdExpandString;
    case REG_DWORD:
      return rdInteger;
    case REG_BINARY:
      return rdBinary;
    default:
      return rdUnknown;
  }
}

// Strings are stored as on Windows, with a terminating zero that a read drops again; only that
// one goes, so a text holding zero bytes reads back whole.
std::string StoredString(const std::string& text) { return text + '\0'; }

std::string StringFromStored(const std::string& data) {
  return !data.empty() && data.back() == '\0' ? data.substr(0, data.size() - 1) : data;
}

bool QueryData(HKEY key, const std::string& name, DWORD& type, std::string& data) {
  return RegQueryValueData(key, name, type, data) == ERROR_SUCCESS;
}

void SetData(HKEY key, const std::string& name, DWORD type, const std::string& data) {
  if (RegSetValueEx(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                    static_cast<DWORD>(data.size())) != ERROR_SUCCESS)
    throw ERegistryException("Failed to set data for '" + name + "'");
}

std::string ReadStringOf(HKEY key, const std::string& name) {
  DWORD type = REG_NONE;
  std::string data;
  if (!QueryData(key, name, type, data)) return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ) ReadError(name);
  return StringFromStored(data);
}

int IntegerFromStored(const std::string& name, const std::string& data) {
  if (data.size() != sizeof(std::uint32_t)) ReadError(name);
  std::uint32_t value = 0;
  std::memcpy(&value, data.data(), sizeof value);
  return static_cast<int>(value);
}

int ReadIntegerOf(HKEY key, const std::string& name) {
  DWORD type = REG_NONE;
  std::string data;
  if (!QueryData(key, name, type, data)) throw ERegistryException("Failed to get data for '" + name + "'");
  if (type != REG_DWORD) ReadError(name);
  return IntegerFromStored(name, data);
}

std::string StoredInteger(int value) {
  const auto bits = static_cast<std::uint32_t>(value);
  return std::string(reinterpret_cast<const char*>(&bits), sizeof bits);
}

void FillStrings(TStrings* strings, const std::vector<std::string>& names) {
  strings->BeginUpdate();
  strings->Clear();
  for (const auto& name : names) strings->Add(name);
  strings->EndUpdate();
}

}  // namespace

TRegistry::TRegistry() = default;

TRegistry::TRegistry(DWORD access) : access_(access) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY key) {
  if (key == rootKey_) return;
  CloseKey();
  rootKey_ = key;
}

HKEY TRegistry::BaseKey(bool relative) const { return (currentKey_ == HKEY{} || !relative) ? rootKey_ : currentKey_; }

void TRegistry::ChangeKey(HKEY key, const std::string& path) {
  CloseKey();
  currentKey_ = key;
  currentPath_ = path;
}

void TRegistry::CloseKey() {
  if (currentKey_ != HKEY{}) RegCloseKey(currentKey_);
  currentKey_ = HKEY{};
  currentPath_.clear();
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
  const bool relative = IsRelative(key);
  const std::string path = WithoutLeadingSeparator(key);
  HKEY opened{};
  LONG status;
  if (!canCreate || path.empty()) {
    status = RegOpenKeyEx(BaseKey(relative), path.c_str(), 0, access_, &opened);
  } else {
    DWORD disposition = 0;
    status = RegCreateKeyEx(BaseKey(relative), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_, nullptr,
                            &opened, &disposition);
  }
  if (status != ERROR_SUCCESS) return false;
  const std::string fullPath =
      (currentKey_ != HKEY{} && relative) ? (currentPath_.empty() ? path : currentPath_ + "\\" + path) : path;
  ChangeKey(opened, fullPath);
  return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
  const DWORD saved = access_;
  access_ = KEY_READ;
  const bool opened = OpenKey(key, false);
  access_ = saved;
  return opened;
}

bool TRegistry::CreateKey(const std::string& key) {
  const bool relative = IsRelative(key);
  const std::string path = WithoutLeadingSeparator(key);
  HKEY created{};
  DWORD disposition = 0;
  if (RegCreateKeyEx(BaseKey(relative), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                     &created, &disposition) != ERROR_SUCCESS)
    throw ERegistryException("Failed to create key " + key);
  RegCloseKey(created);
  return true;
}

bool TRegistry::DeleteKey(const std::string& key) {
  const bool relative = IsRelative(key);
  return RegDeleteTree(BaseKey(relative), WithoutLeadingSeparator(key).c_str()) == ERROR_SUCCESS;
}

bool TRegistry::DeleteValue(const std::string& name) {
  return RegDeleteValue(currentKey_, name.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::KeyExists(const std::string& key) {
  HKEY opened{};
  const bool relative = IsRelative(key);
  if (RegOpenKeyEx(BaseKey(relative), WithoutLeadingSeparator(key).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
    return false;
  RegCloseKey(opened);
  return true;
}

bool TRegistry::GetData(const std::string& name, DWORD& type, std::string& data) {
  return QueryData(currentKey_, name, type, data);
}

void TRegistry::PutData(const std::string& name, DWORD type, const std::string& data) {
  SetData(currentKey_, name, type, data);
}

bool TRegistry::ValueExists(const std::string& name) {
  DWORD type = REG_NONE;
  std::string data;
  return GetData(name, type, data);
}

bool TRegistry::GetDataInfo(const std::string& name, TRegDataInfo& info) {
  DWORD type = REG_NONE;
  std::string data;
  if (!GetData(name, type, data)) {
    info = {};
    return false;
  }
  info = {DataTypeOf(type), static_cast<int>(data.size())};
  return true;
}

int TRegistry::GetDataSize(const std::string& name) {
  TRegDataInfo info;
  return GetDataInfo(name, info) ? info.DataSize : -1;
}

TRegDataType TRegistry::GetDataType(const std::string& name) {
  TRegDataInfo info;
  GetDataInfo(name, info);
  return info.RegData;
}

bool TRegistry::HasSubKeys() {
  std::vector<std::string> names;
  return RegSubKeyNames(currentKey_, names) == ERROR_SUCCESS && !names.empty();
}

void TRegistry::GetKeyNames(TStrings* strings) {
  std::vector<std::string> names;
  RegSubKeyNames(currentKey_, names);
  FillStrings(strings, names);
}

void TRegistry::GetValueNames(TStrings* strings) {
  std::vector<std::string> names;
  RegValueNames(currentKey_, names);
  FillStrings(strings, names);
}

std::string TRegistry::ReadString(const std::string& name) { return ReadStringOf(currentKey_, name); }

int TRegistry::ReadInteger(const std::string& name) { return ReadIntegerOf(currentKey_, name); }

bool TRegistry::ReadBool(const std::string& name) { return ReadInteger(name) != 0; }

std::string TRegistry::ReadBinaryData(const std::string& name) {
  DWORD type = REG_NONE;
  std::string data;
  if (!GetData(name, type, data)) throw ERegistryException("Failed to get data for '" + name + "'");
  if (type != REG_BINARY) ReadError(name);
  return data;
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  PutData(name, REG_SZ, StoredString(value));
}

void TRegistry::WriteExpandString(const std::string& name, const std::string& value) {
  PutData(name, REG_EXPAND_SZ, StoredString(value));
}

void TRegistry::WriteInteger(const std::string& name, int value) { PutData(name, REG_DWORD, StoredInteger(value)); }

void TRegistry::WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }

void TRegistry::WriteBinaryData(const std::string& name, const std::string& bytes) { PutData(name, REG_BINARY, bytes); }

namespace {

// The key of one section for the time of one operation: the file key itself for an empty
// section, else its subkey, opened (or created) and closed again.
class SectionKey {
 public:
  SectionKey(HKEY fileKey, const std::string& section, REGSAM access, bool create) {
    if (fileKey == HKEY{}) return;
    if (section.empty()) {
      key_ = fileKey;
      return;
    }
    LONG status;
    if (create) {
      DWORD disposition = 0;
      status = RegCreateKeyEx(fileKey, section.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key_,
                              &disposition);
    } else {
      status = RegOpenKeyEx(fileKey, section.c_str(), 0, access, &key_);
    }
    if (status != ERROR_SUCCESS) key_ = HKEY{};
    owned_ = key_ != HKEY{};
  }
  ~SectionKey() {
    if (owned_) RegCloseKey(key_);
  }
  SectionKey(const SectionKey&) = delete;
  SectionKey& operator=(const SectionKey&) = delete;

  explicit operator bool() const { return key_ != HKEY{}; }
  HKEY Key() const { return key_; }

 private:
  HKEY key_{};
  bool owned_ = false;
};

}  // namespace

TRegIniFile::TRegIniFile(const std::string& fileName) : TRegIniFile(fileName, KEY_ALL_ACCESS) {}

TRegIniFile::TRegIniFile(const std::string& fileName, DWORD access, HKEY root)
    : TRegistry(access), fileName_(fileName) {
  SetRootKey(root);
  OpenKey(fileName, (access & KEY_SET_VALUE) != 0);
}

std::string TRegIniFile::ReadString(const std::string& section, const std::string& ident,
                                    const std::string& defaultValue) {
  const SectionKey key(CurrentKey(), section, Access(), false);
  DWORD type = REG_NONE;
  std::string data;
  if (!key || !QueryData(key.Key(), ident, type, data)) return defaultValue;
  return ReadStringOf(key.Key(), ident);
}

int TRegIniFile::ReadInteger(const std::string& section, const std::string& ident, int defaultValue) {
  const SectionKey key(CurrentKey(), section, Access(), false);
  DWORD type = REG_NONE;
  std::string data;
  if (!key || !QueryData(key.Key(), ident, type, data)) return defaultValue;
  if (type == REG_SZ || type == REG_EXPAND_SZ) return StrToIntDef(StringFromStored(data), defaultValue);
  if (type != REG_DWORD) ReadError(ident);
  return IntegerFromStored(ident, data);
}

bool TRegIniFile::ReadBool(const std::string& section, const std::string& ident, bool defaultValue) {
  return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TRegIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  const SectionKey key(CurrentKey(), section, Access(), true);
  if (key) SetData(key.Key(), ident, REG_SZ, StoredString(value));
}

void TRegIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) {
  const SectionKey key(CurrentKey(), section, Access(), true);
  if (key) SetData(key.Key(), ident, REG_DWORD, StoredInteger(value));
}

void TRegIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteInteger(section, ident, value ? 1 : 0);
}

void TRegIniFile::ReadSection(const std::string& section, TStrings* strings) {
  const SectionKey key(CurrentKey(), section, Access(), false);
  std::vector<std::string> names;
  if (key) RegValueNames(key.Key(), names);
  FillStrings(strings, names);
}

void TRegIniFile::ReadSections(TStrings* strings) { GetKeyNames(strings); }

void TRegIniFile::ReadSectionValues(const std::string& section, TStrings* strings) {
  const SectionKey key(CurrentKey(), section, Access(), false);
  std::vector<std::string> names;
  if (key) RegValueNames(key.Key(), names);
  strings->BeginUpdate();
  strings->Clear();
  for (const auto& name : names) {
    DWORD type = REG_NONE;
    std::string data;
    if (!QueryData(key.Key(), name, type, data)) continue;
    const std::string text = type == REG_DWORD ? IntToStr(IntegerFromStored(name, data)) : StringFromStored(data);
    strings->Add(name + "=" + text);
  }
  strings->EndUpdate();
}

void TRegIniFile::EraseSection(const std::string& section) {
  if (section.empty()) {
    // The file key itself: every value and subkey goes, the key stays.
    std::vector<std::string> names;
    RegValueNames(CurrentKey(), names);
    for (const auto& name : names) RegDeleteValue(CurrentKey(), name.c_str());
    RegSubKeyNames(CurrentKey(), names);
    for (const auto& name : names) RegDeleteTree(CurrentKey(), name.c_str());
    return;
  }
  RegDeleteTree(CurrentKey(), section.c_str());
}

void TRegIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  const SectionKey key(CurrentKey(), section, Access(), false);
  if (key) RegDeleteValue(key.Key(), ident.c_str());
}
