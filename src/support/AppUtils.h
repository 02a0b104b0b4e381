#pragma once
// Settings storage shared by the form placement and its links: the storage object is a
// registry-ini object (TRegIniFile), an ini file (TIniFile) or nothing, and these routines work on
// either; on nothing, reads give the default and writes do nothing.
#include <string>

class TObject;
class TComponent;
class TCustomForm;

std::string StorageReadString(TObject* Storage, const std::string& Section, const std::string& Name,
                              const std::string& Default);
// In an ini file, a value enclosed in double (or single) quotes gets one more pair of double
// quotes, since reading strips one pair: it reads back unchanged.
void StorageWriteString(TObject* Storage, const std::string& Section, const std::string& Name,
                        const std::string& Value);
int StorageReadInteger(TObject* Storage, const std::string& Section, const std::string& Name, int Default);
void StorageWriteInteger(TObject* Storage, const std::string& Section, const std::string& Name, int Value);
void StorageEraseSection(TObject* Storage, const std::string& Section);
void StorageDeleteKey(TObject* Storage, const std::string& Section, const std::string& Name);

// A form: its class name. A control: its form's class name and its own name run together
// (without a form, its parent's name and its own). A component owned by a form: "TForm1.Name".
// Anything else: its name.
std::string DefaultSectionName(TComponent* Component);
// The program file's name without folder, its extension ".INI".
std::string DefaultIniFileName();
// "Software\" and the program file's name without folder and extension.
std::string DefaultRegistryKey();

// The form's window placement in a section: "Flags", "ShowCmd", "PixelsPerInch" and the
// screen-size-suffixed texts "MinMaxPos" and "NormPos".
void WriteWindowPlacement(TCustomForm* Form, TObject* Storage, const std::string& Section);
void ReadWindowPlacement(TCustomForm* Form, TObject* Storage, const std::string& Section, bool LoadPosition,
                         bool LoadState);
