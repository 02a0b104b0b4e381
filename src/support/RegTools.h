#pragma once
// Settings in the registry, the files and programs the editor works with, and small text
// transformations. Every function opens what it needs and closes it again.
#include <string>

class TFont;

// Settings under HKEY_CURRENT_USER (the "LM" pair: HKEY_LOCAL_MACHINE). A write creates the key
// and its missing parents; when the key or the value cannot be written it raises
// ERegistryException (a store that cannot keep its file keeps the session's writes). A read
// never creates a key and gives the default when the key or the value is missing; a value of
// another kind than the one read counts as missing and is replaced by the default, of the right kind.
void RegWriteString(const std::string& Key, const std::string& Name, const std::string& Value);
void RegWriteStringLM(const std::string& Key, const std::string& Name, const std::string& Value);
void RegWriteInteger(const std::string& Key, const std::string& Name, int Value);
// 1 for true, 0 for false.
void RegWriteBool(const std::string& Key, const std::string& Name, bool Value);
std::string RegReadString(const std::string& Key, const std::string& Name, const std::string& Default);
std::string RegReadStringLM(const std::string& Key, const std::string& Name, const std::string& Default);
int RegReadInteger(const std::string& Key, const std::string& Name, int Default);
// True for any stored number but 0.
bool RegReadBool(const std::string& Key, const std::string& Name, bool Default);

// The font record of a key: "CharSet", "Color", "Height", "Name", "Pitch", "Size" and "Style"
// (four characters: B, I, U, S by position, "-" where off). Values missing take the defaults
// font's; the values read are applied even when a later read fails.
void LoadFontFromRegistry(TFont* Font, const std::string& Key, const TFont* Defaults);
void SaveFontToRegistry(const TFont* Font, const std::string& Key);

// The path trimmed of blanks and control characters, then a separator appended unless it is
// empty or already ends in "/", ":" or "\". File paths are this platform's, so the separator
// appended is "/".
std::string AddTrailingDelimiter(const std::string& Path);
// The uploader's flavour, for remote FTP paths: the separator appended is always "/".
std::string AddTrailingSlash(const std::string& Path);

// The system's folder (no trailing separator) and the user's private temporary folder (with it).
std::string GetWindowsDir();
std::string GetTempDirectory();
// Opens a document or URL with the desktop's handler, or starts a program; false only when the
// request itself failed with an error, not when nothing could open it.
bool ShellOpen(const std::string& FileName);

// The interpreter: the machine's application path of "Perl.exe" as stored, else the script's
// first line without its first two characters when that names a file, else DefaultPerlPath().
std::string GetPerlPath(const std::string& FirstLine);
// The interpreter where none is set: this system's, the one PATH finds, else "perl".
std::string DefaultPerlPath();
std::string GetDreamweaverPath();
// The uploader beside the program, else in its "FTP" folder, else the bare program name.
std::string GetUploaderPath();

// Text made safe inside a Perl double-quoted string: \ @ # $ " & % each get a backslash.
std::string EscapePerlString(const std::string& Text);
// The part before (or after) the first occurrence of the delimiter, trimmed when asked; with no
// occurrence, the whole text untrimmed (before) or "" (after).
std::string SplitAtDelimiter(const std::string& Text, const std::string& Delimiter, bool Before, bool TrimIt);
// Blank to "+", letters and digits kept, every other byte "%xx" in lower-case hex.
std::string UrlEncodeText(const std::string& Text);
// "+" to blank, "%xx" to its byte; a "%" without two hex digits returns the input unchanged.
std::string UrlDecodeText(const std::string& Text);
