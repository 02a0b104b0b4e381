#include "win/Registry.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>

#include "win/RegistryStore.h"

namespace {

constexpr std::uintptr_t kFirstPredefined = 0x80000000u;
constexpr std::uintptr_t kLastPredefined = 0x80000006u;

struct OpenKeyEntry {
  RegistryStore::KeyRef key;
  REGSAM access = 0;
};

// Open key handles of this process. Handle numbers are never reused, so a handle closed
// twice or used after closing is refused instead of reaching another key.
class HandleTable {
 public:
  HKEY Add(const RegistryStore::KeyRef& key, REGSAM access) {
    std::lock_guard lock(mutex_);
    const auto handle = next_++;
    entries_[handle] = {key, access};
    return static_cast<HKEY>(handle);
  }
  bool Find(HKEY handle, OpenKeyEntry& entry) const {
    std::lock_guard lock(mutex_);
    const auto found = entries_.find(static_cast<std::uintptr_t>(handle));
    if (found == entries_.end()) return false;
    entry = found->second;
    return true;
  }
  bool Remove(HKEY handle) {
    std::lock_guard lock(mutex_);
    return entries_.erase(static_cast<std::uintptr_t>(handle)) > 0;
  }

 private:
  mutable std::mutex mutex_;
  std::map<std::uintptr_t, OpenKeyEntry> entries_;
  std::uintptr_t next_ = 0x1000;
};

HandleTable& Handles() {
  // Never destroyed, like the store: registry objects may close their keys while the process ends.
  static HandleTable* const table = new HandleTable;
  return *table;
}

bool IsPredefined(HKEY key) {
  const auto number = static_cast<std::uintptr_t>(key);
  return number >= kFirstPredefined && number <= kLastPredefined;
}

LONG Resolve(HKEY key, OpenKeyEntry& entry) {
  if (IsPredefined(key)) {
    entry.access = KEY_ALL_ACCESS;
    return RegistryStore::Instance().Root(static_cast<std::uint32_t>(static_cast<std::uintptr_t>(key)), entry.key);
  }
  return Handles().Find(key, entry) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG ResolveForWrite(HKEY key, OpenKeyEntry& entry, REGSAM right) {
  if (const LONG result = Resolve(key, entry); result != ERROR_SUCCESS) return result;
  return (entry.access & right) == right ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

std::string NameOf(const char* text) { return text ? text : ""; }

// Copies `text` with its terminating zero into a caller's buffer of `size` characters.
LONG CopyName(const std::string& text, char* buffer, DWORD size) {
  if (!buffer || text.size() + 1 > size) return ERROR_MORE_DATA;
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return ERROR_SUCCESS;
}

// Copies value bytes into a caller's buffer, Windows style: null data asks for the size.
LONG CopyData(const std::string& data, BYTE* buffer, DWORD* size) {
  if (!size) return buffer ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
  const DWORD needed = static_cast<DWORD>(data.size());
  if (buffer && *size < needed) {
    *size = needed;
    return ERROR_MORE_DATA;
  }
  if (buffer) std::memcpy(buffer, data.data(), data.size());
  *size = needed;
  return ERROR_SUCCESS;
}

}  // namespace

LONG RegOpenKeyEx(HKEY key, const char* subKey, DWORD, REGSAM access, PHKEY result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = HKEY{};
  OpenKeyEntry parent;
  if (const LONG status = Resolve(key, parent); status != ERROR_SUCCESS) return status;
  RegistryStore::KeyRef opened;
  if (const LONG status = RegistryStore::Instance().OpenKey(parent.key, NameOf(subKey), opened);
      status != ERROR_SUCCESS)
    return status;
  *result = Handles().Add(opened, access);
  return ERROR_SUCCESS;
}

LONG RegCreateKeyEx(HKEY key, const char* subKey, DWORD, char*, DWORD, REGSAM access, void*, PHKEY result,
                    DWORD* disposition) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = HKEY{};
  OpenKeyEntry parent;
  if (const LONG status = ResolveForWrite(key, parent, KEY_CREATE_SUB_KEY); status != ERROR_SUCCESS) return status;
  RegistryStore::KeyRef created;
  bool isNew = false;
  if (const LONG status = RegistryStore::Instance().CreateKey(parent.key, NameOf(subKey), created, isNew);
      status != ERROR_SUCCESS)
    return status;
  if (disposition) *disposition = isNew ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  *result = Handles().Add(created, access);
  return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
  if (IsPredefined(key)) return ERROR_SUCCESS;
  return Handles().Remove(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG RegQueryValueData(HKEY key, const std::string& valueName, DWORD& type, std::string& data) {
  OpenKeyEntry entry;
  if (const LONG status = Resolve(key, entry); status != ERROR_SUCCESS) return status;
  RegistryStore::Value value;
  if (const LONG status = RegistryStore::Instance().QueryValue(entry.key, valueName, value); status != ERROR_SUCCESS)
    return status;
  type = value.type;
  data = std::move(value.data);
  return ERROR_SUCCESS;
}

LONG RegQueryValueEx(HKEY key, const char* valueName, DWORD*, DWORD* type, BYTE* data, DWORD* dataSize) {
  DWORD storedType = REG_NONE;
  std::string stored;
  if (const LONG status = RegQueryValueData(key, NameOf(valueName), storedType, stored); status != ERROR_SUCCESS)
    return status;
  if (type) *type = storedType;
  return CopyData(stored, data, dataSize);
}

LONG RegSetValueEx(HKEY key, const char* valueName, DWORD, DWORD type, const BYTE* data, DWORD dataSize) {
  if (!data && dataSize > 0) return ERROR_INVALID_PARAMETER;
  OpenKeyEntry entry;
  if (const LONG status = ResolveForWrite(key, entry, KEY_SET_VALUE); status != ERROR_SUCCESS) return status;
  RegistryStore::Value value{type, std::string(reinterpret_cast<const char*>(data), data ? dataSize : 0)};
  return RegistryStore::Instance().SetValue(entry.key, NameOf(valueName), value);
}

LONG RegDeleteValue(HKEY key, const char* valueName) {
  OpenKeyEntry entry;
  if (const LONG status = ResolveForWrite(key, entry, KEY_SET_VALUE); status != ERROR_SUCCESS) return status;
  return RegistryStore::Instance().DeleteValue(entry.key, NameOf(valueName));
}

namespace {

LONG DeleteKey(HKEY key, const char* subKey, bool recursive) {
  OpenKeyEntry entry;
  if (const LONG status = Resolve(key, entry); status != ERROR_SUCCESS) return status;
  return RegistryStore::Instance().DeleteKey(entry.key, NameOf(subKey), recursive);
}

}  // namespace

LONG RegDeleteKey(HKEY key, const char* subKey) { return DeleteKey(key, subKey, false); }

LONG RegDeleteTree(HKEY key, const char* subKey) { return DeleteKey(key, subKey, true); }

LONG RegSubKeyNames(HKEY key, std::vector<std::string>& names) {
  names.clear();
  OpenKeyEntry entry;
  if (const LONG status = Resolve(key, entry); status != ERROR_SUCCESS) return status;
  return RegistryStore::Instance().SubKeyNames(entry.key, names);
}

LONG RegValueNames(HKEY key, std::vector<std::string>& names) {
  names.clear();
  OpenKeyEntry entry;
  if (const LONG status = Resolve(key, entry); status != ERROR_SUCCESS) return status;
  return RegistryStore::Instance().ValueNames(entry.key, names);
}

LONG RegKeyPath(HKEY key, std::string& path) {
  OpenKeyEntry entry;
  if (const LONG status = Resolve(key, entry); status != ERROR_SUCCESS) return status;
  return RegistryStore::Instance().KeyPath(entry.key, path);
}

LONG RegEnumKey(HKEY key, DWORD index, char* name, DWORD nameSize) {
  std::vector<std::string> names;
  if (const LONG status = RegSubKeyNames(key, names); status != ERROR_SUCCESS) return status;
  if (index >= names.size()) return ERROR_NO_MORE_ITEMS;
  return CopyName(names[index], name, nameSize);
}

LONG RegEnumValue(HKEY key, DWORD index, char* name, DWORD* nameSize, DWORD*, DWORD* type, BYTE* data,
                  DWORD* dataSize) {
  if (!nameSize) return ERROR_INVALID_PARAMETER;
  std::vector<std::string> names;
  if (const LONG status = RegValueNames(key, names); status != ERROR_SUCCESS) return status;
  if (index >= names.size()) return ERROR_NO_MORE_ITEMS;
  if (const LONG status = CopyName(names[index], name, *nameSize); status != ERROR_SUCCESS) return status;
  *nameSize = static_cast<DWORD>(names[index].size());
  if (!type && !data && !dataSize) return ERROR_SUCCESS;
  DWORD storedType = REG_NONE;
  std::string stored;
  if (const LONG status = RegQueryValueData(key, names[index], storedType, stored); status != ERROR_SUCCESS)
    return status;
  if (type) *type = storedType;
  return CopyData(stored, data, dataSize);
}

LONG RegQueryInfoKey(HKEY key, char*, DWORD*, DWORD*, DWORD* subKeys, DWORD* maxSubKeyLen, DWORD*, DWORD* values,
                     DWORD* maxValueNameLen, DWORD* maxValueLen, DWORD*, void*) {
  std::vector<std::string> keyNames;
  std::vector<std::string> valueNames;
  if (const LONG status = RegSubKeyNames(key, keyNames); status != ERROR_SUCCESS) return status;
  if (const LONG status = RegValueNames(key, valueNames); status != ERROR_SUCCESS) return status;
  const auto longest = [](const std::vector<std::string>& list) {
    std::size_t length = 0;
    for (const auto& item : list) length = std::max(length, item.size());
    return static_cast<DWORD>(length);
  };
  if (subKeys) *subKeys = static_cast<DWORD>(keyNames.size());
  if (maxSubKeyLen) *maxSubKeyLen = longest(keyNames);
  if (values) *values = static_cast<DWORD>(valueNames.size());
  if (maxValueNameLen) *maxValueNameLen = longest(valueNames);
  if (maxValueLen) {
    DWORD length = 0;
    for (const auto& name : valueNames) {
      DWORD type = REG_NONE;
      std::string data;
      if (RegQueryValueData(key, name, type, data) == ERROR_SUCCESS)
        length = std::max(length, static_cast<DWORD>(data.size()));
    }
    *maxValueLen = length;
  }
  return ERROR_SUCCESS;
}

LONG RegFlushKey(HKEY key) {
  OpenKeyEntry entry;
  return Resolve(key, entry);
}
