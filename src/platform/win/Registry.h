#pragma once
// The Windows registry interface (advapi32) over RegistryStore: predefined root keys, key
// handles, typed values. Key paths keep the backslash separators they have on Windows
// ("SOFTWARE\Microsoft\Windows"), since they are data, not file names.

#include <cstdint>
#include <string>
#include <vector>

#include "vcl/Types.h"

// A key handle: a predefined root or a key opened by RegOpenKeyEx / RegCreateKeyEx. Zero is
// no key.
enum class HKEY : std::uintptr_t {};
using PHKEY = HKEY*;
using REGSAM = DWORD;

constexpr HKEY HKEY_CLASSES_ROOT = static_cast<HKEY>(0x80000000u);
constexpr HKEY HKEY_CURRENT_USER = static_cast<HKEY>(0x80000001u);
constexpr HKEY HKEY_LOCAL_MACHINE = static_cast<HKEY>(0x80000002u);
constexpr HKEY HKEY_USERS = static_cast<HKEY>(0x80000003u);
constexpr HKEY HKEY_PERFORMANCE_DATA = static_cast<HKEY>(0x80000004u);
constexpr HKEY HKEY_CURRENT_CONFIG = static_cast<HKEY>(0x80000005u);
constexpr HKEY HKEY_DYN_DATA = static_cast<HKEY>(0x80000006u);

// Error numbers.
constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_ACCESS_DENIED = 5;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr LONG ERROR_BUSY = 170;
constexpr LONG ERROR_MORE_DATA = 234;
constexpr LONG ERROR_NO_MORE_ITEMS = 259;
constexpr LONG ERROR_BADDB = 1009;
constexpr LONG ERROR_CANTOPEN = 1011;
constexpr LONG ERROR_REGISTRY_IO_FAILED = 1016;
constexpr LONG ERROR_KEY_DELETED = 1018;

// Value kinds.
constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_MULTI_SZ = 7;

// Access rights: only the write bits are enforced (a key opened to read refuses writes).
constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_NOTIFY = 0x0010;
constexpr REGSAM KEY_CREATE_LINK = 0x0020;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

LONG RegOpenKeyEx(HKEY key, const char* subKey, DWORD options, REGSAM access, PHKEY result);
LONG RegCreateKeyEx(HKEY key, const char* subKey, DWORD reserved, char* keyClass, DWORD options, REGSAM access,
                    void* security, PHKEY result, DWORD* disposition);
LONG RegCloseKey(HKEY key);
// `data` may be null to ask for the size only; a buffer too small gives ERROR_MORE_DATA and
// the size needed.
LONG RegQueryValueEx(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data, DWORD* dataSize);
LONG RegSetValueEx(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD dataSize);
LONG RegDeleteValue(HKEY key, const char* valueName);
// Deletes a key without subkeys.
LONG RegDeleteKey(HKEY key, const char* subKey);
// Deletes a key with all its subkeys and values.
LONG RegDeleteTree(HKEY key, const char* subKey);
LONG RegEnumKey(HKEY key, DWORD index, char* name, DWORD nameSize);
LONG RegEnumValue(HKEY key, DWORD index, char* name, DWORD* nameSize, DWORD* reserved, DWORD* type, BYTE* data,
                  DWORD* dataSize);
LONG RegQueryInfoKey(HKEY key, char* keyClass, DWORD* classSize, DWORD* reserved, DWORD* subKeys, DWORD* maxSubKeyLen,
                     DWORD* maxClassLen, DWORD* values, DWORD* maxValueNameLen, DWORD* maxValueLen,
                     DWORD* securityDescriptor, void* lastWriteTime);
// Writes go to the store at once; kept for callers that flush explicitly.
LONG RegFlushKey(HKEY key);

// Not part of the Windows interface: the same queries without sizing buffers first, for the
// class library above, which reads whole values and name lists.
LONG RegQueryValueData(HKEY key, const std::string& valueName, DWORD& type, std::string& data);
LONG RegSubKeyNames(HKEY key, std::vector<std::string>& names);
LONG RegValueNames(HKEY key, std::vector<std::string>& names);
// The key's path below its root, as created.
LONG RegKeyPath(HKEY key, std::string& path);
