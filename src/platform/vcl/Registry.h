#pragma once
// TRegistry and TRegIniFile: the class library's registry objects over the registry interface.

#include <string>

#include "vcl/Classes.h"
#include "vcl/SysUtils.h"
#include "win/Registry.h"

class ERegistryException : public Exception {
 public:
  using Exception::Exception;
};

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct TRegDataInfo {
  TRegDataType RegData = rdUnknown;
  int DataSize = 0;
};

// One open key at a time below a root key. Key names beginning with "\" are taken from the
// root; others from the current key when one is open.
class TRegistry : public TObject {
 public:
  TRegistry();
  explicit TRegistry(DWORD access);
  ~TRegistry() override;
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  HKEY RootKey() const { return rootKey_; }
  void SetRootKey(HKEY key);
  HKEY CurrentKey() const { return currentKey_; }
  const std::string& CurrentPath() const { return currentPath_; }
  DWORD Access() const { return access_; }
  void SetAccess(DWORD access) { access_ = access; }
  // Writes reach the store at once either way; kept for code that sets it.
  bool LazyWrite = true;

  bool OpenKey(const std::string& key, bool canCreate);
  bool OpenKeyReadOnly(const std::string& key);
  void CloseKey();
  bool CreateKey(const std::string& key);
  // Deletes the key with its subkeys and values.
  bool DeleteKey(const std::string& key);
  bool DeleteValue(const std::string& name);
  bool KeyExists(const std::string& key);
  bool ValueExists(const std::string& name);
  bool HasSubKeys();
  void GetKeyNames(TStrings* strings);
  void GetValueNames(TStrings* strings);
  bool GetDataInfo(const std::string& name, TRegDataInfo& info);
  // -1 when the value does not exist.
  int GetDataSize(const std::string& name);
  TRegDataType GetDataType(const std::string& name);

  // Reads raise ERegistryException for a missing value (ReadString gives "" instead) and
  // for a value of another kind; writes raise it when the store refuses the value.
  std::string ReadString(const std::string& name);
  int ReadInteger(const std::string& name);
  bool ReadBool(const std::string& name);
  std::string ReadBinaryData(const std::string& name);
  void WriteString(const std::string& name, const std::string& value);
  void WriteExpandString(const std::string& name, const std::string& value);
  void WriteInteger(const std::string& name, int value);
  void WriteBool(const std::string& name, bool value);
  void WriteBinaryData(const std::string& name, const std::string& bytes);

 protected:
  // The key a relative name starts from.
  HKEY BaseKey(bool relative) const;
  void ChangeKey(HKEY key, const std::string& path);
  bool GetData(const std::string& name, DWORD& type, std::string& data);
  void PutData(const std::string& name, DWORD type, const std::string& data);

 private:
  HKEY rootKey_ = HKEY_CURRENT_USER;
  HKEY currentKey_{};
  std::string currentPath_;
  DWORD access_ = KEY_ALL_ACCESS;
};

// Ini-file shaped access to a registry key: the "file" is a key below the root, a section a
// subkey of it (the key itself for an empty section), an entry a value.
class TRegIniFile : public TRegistry {
 public:
  explicit TRegIniFile(const std::string& fileName);
  // The file key lies below `root`; opened to read only, a missing key is not created.
  TRegIniFile(const std::string& fileName, DWORD access, HKEY root = HKEY_CURRENT_USER);

  const std::string& FileName() const { return fileName_; }

  using TRegistry::DeleteKey;
  using TRegistry::ReadBool;
  using TRegistry::ReadInteger;
  using TRegistry::ReadString;
  using TRegistry::WriteBool;
  using TRegistry::WriteInteger;
  using TRegistry::WriteString;

  std::string ReadString(const std::string& section, const std::string& ident, const std::string& defaultValue);
  // Accepts an integer value and a string holding a number alike.
  int ReadInteger(const std::string& section, const std::string& ident, int defaultValue);
  bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue);
  void WriteString(const std::string& section, const std::string& ident, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& ident, int value);
  void WriteBool(const std::string& section, const std::string& ident, bool value);
  void ReadSection(const std::string& section, TStrings* strings);
  void ReadSections(TStrings* strings);
  void ReadSectionValues(const std::string& section, TStrings* strings);
  void EraseSection(const std::string& section);
  // Deletes the value `ident` of `section`.
  void DeleteKey(const std::string& section, const std::string& ident);

 private:
  std::string fileName_;
};
