#include "support/RegTools.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "common/FileSizeLimit.h"
#include "common/TempRegistry.h"
#include "vcl/Graphics.h"
#include "vcl/Registry.h"
#include "vcl/SysUtils.h"

namespace {

using corvane::test::TempRegistry;

const char* const kKey = "Software\\Ombrix\\Tarnwick";
const char* const kPerlKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Perl.exe";

bool KeyExists(HKEY root, const std::string& key) {
  TRegistry registry;
  registry.SetRootKey(root);
  return registry.KeyExists(key);
}

TEST(RegToolsTest, TrailingDelimiters) {
  struct Case {
    const char* path;
    const char* withDelimiter;
    const char* withSlash;
  };
  const Case cases[] = {
      {"  /home/dir  ", "/home/dir/", "/home/dir/"},
      {"C:", "C:", "C:"},
      {"", "", ""},
      {" \t \r\n", "", ""},
      {"a/", "a/", "a/"},
      {"a\\", "a\\", "a\\"},
      {"/cgi-bin", "/cgi-bin/", "/cgi-bin/"},
      {"/", "/", "/"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AddTrailingDelimiter(c.path), c.withDelimiter) << '"' << c.path << '"';
    EXPECT_EQ(AddTrailingSlash(c.path), c.withSlash) << '"' << c.path << '"';
  }
}

TEST(RegToolsTest, ReadsNeverCreateKeysAndWritesCreateTheWholePath) {
  TempRegistry store;
  EXPECT_EQ(RegReadString(kKey, "ColorScheme", "PurpleStrings"), "PurpleStrings");
  EXPECT_EQ(RegReadInteger(kKey, "TabWidth", 8), 8);
  EXPECT_TRUE(RegReadBool(kKey, "Toolbar", true));
  EXPECT_EQ(RegReadStringLM(kPerlKey, "", "none"), "none");
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE"));

  RegWriteString(kKey, "ColorScheme", "standard");
  RegWriteInteger(kKey, "TabWidth", 3);
  RegWriteBool(kKey, "Toolbar", false);
  RegWriteStringLM(kPerlKey, "", "/usr/bin/perl");
  EXPECT_EQ(RegReadString("SOFTWARE\\OMBRIX\\TARNWICK", "colorscheme", ""), "standard");
  EXPECT_EQ(RegReadInteger(kKey, "TabWidth", 8), 3);
  EXPECT_FALSE(RegReadBool(kKey, "Toolbar", true));
  EXPECT_EQ(RegReadStringLM(kPerlKey, "", ""), "/usr/bin/perl");
  EXPECT_EQ(RegReadString(kKey, "", "unnamed default"), "unnamed default");
}

TEST(RegToolsTest, BooleansAreNumbersAndKindsAreNotMixed) {
  TempRegistry store;
  RegWriteInteger(kKey, "Two", 2);
  RegWriteInteger(kKey, "Zero", 0);
  RegWriteString(kKey, "Text", "1");
  EXPECT_TRUE(RegReadBool(kKey, "Two", false));
  EXPECT_FALSE(RegReadBool(kKey, "Zero", true));
  // A value of another kind counts as missing and is stored again as the default, of the kind read.
  EXPECT_FALSE(RegReadBool(kKey, "Text", false));
  EXPECT_EQ(RegReadInteger(kKey, "Text", 7), 0);  // the boolean false written over the text
  EXPECT_EQ(RegReadString(kKey, "Two", "two"), "two");
  EXPECT_EQ(RegReadString(kKey, "Two", ""), "two");
}

TEST(RegToolsTest, SettingsOfAStoreThatCannotOpenStartAsTheDefaultsAndKeepTheSessionsWrites) {
  TempRegistry store;
  const std::string blocked = store.Folder() + "/file";
  std::ofstream(blocked) << "x";
  RegistryStore::Instance().SetPath(blocked + "/registry.sqlite3");
  EXPECT_EQ(RegReadString(kKey, "ColorScheme", "PurpleStrings"), "PurpleStrings");
  // A write to a key that does not exist yet lands; it is not dropped.
  RegWriteString(kKey, "ColorScheme", "Standard");
  EXPECT_EQ(RegReadString(kKey, "ColorScheme", "PurpleStrings"), "Standard");
  EXPECT_FALSE(std::filesystem::exists(blocked + "/registry.sqlite3"));
}

// A write the store cannot take (its disk is full) raises, both where it makes the key and where it
// only sets a value; nothing of it lands, and once there is room again writes land.
TEST(RegToolsTest, AWriteThatCannotLandRaises) {
  TempRegistry store;
  RegWriteString(kKey, "ColorScheme", "Standard");
  const std::string newKey = std::string(kKey) + "\\Fresh";
  const struct {
    std::string key;
    std::string raised;
  } cases[] = {{kKey, "Failed to set data for 'ColorScheme'"}, {newKey, "Failed to create key " + newKey}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    try {
      const corvane::test::FileSizeLimit full(1);
      RegWriteString(c.key, "ColorScheme", std::string(100000, 'x'));
      ADD_FAILURE() << "the write was taken";
    } catch (const ERegistryException& e) {
      EXPECT_EQ(e.Message, c.raised);
    }
    EXPECT_EQ(RegReadString(kKey, "ColorScheme", ""), "Standard");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, newKey));
  }
  RegWriteString(newKey, "ColorScheme", "Monochrome");
  EXPECT_EQ(RegReadString(newKey, "ColorScheme", ""), "Monochrome");
}

// Where nothing names the interpreter, it is the one PATH finds, else the bare "perl".
TEST(RegToolsTest, PerlPathBranches) {
  struct Case {
    const char* what;
    const char* stored;  // machine's application path, nullptr for none
    std::string firstLine;
    const char* expected;  // nullptr: the fall-back
  };
  const Case cases[] = {
      {"stored path of a missing file is returned as stored", "/gone/perl", "#!/usr/bin/perl", "/gone/perl"},
      {"first line naming an existing file", nullptr, "#!/usr/bin/perl", "/usr/bin/perl"},
      {"the first two characters go whatever they are", nullptr, "xx/usr/bin/perl", "/usr/bin/perl"},
      {"first line with an option is no file", nullptr, "#!/usr/bin/perl -w", nullptr},
      {"first line naming no file", nullptr, "#!/no/such/perl", nullptr},
      {"empty first line", nullptr, "", nullptr},
      {"empty stored value counts as none", "", "#!", nullptr},
  };
  ASSERT_TRUE(FileExists("/usr/bin/perl"));
  TempRegistry folders;
  const std::string withPerl = folders.Folder() + "/bin", withoutPerl = folders.Folder() + "/empty";
  std::filesystem::create_directories(withPerl);
  std::filesystem::create_directories(withoutPerl);
  std::ofstream(withPerl + "/perl") << "#!/bin/sh\n";
  std::filesystem::permissions(withPerl + "/perl", std::filesystem::perms::owner_all);
  const std::string path = std::getenv("PATH");
  const struct {
    std::string path, fallBack;
  } searches[] = {{withoutPerl + ":" + withPerl, withPerl + "/perl"}, {withoutPerl, "perl"}};
  for (const auto& search : searches) {
    setenv("PATH", search.path.c_str(), 1);
    EXPECT_EQ(DefaultPerlPath(), search.fallBack) << search.path;
    for (const Case& c : cases) {
      TempRegistry store;
      if (c.stored) RegWriteStringLM(kPerlKey, "", c.stored);
      EXPECT_EQ(GetPerlPath(c.firstLine), c.expected ? c.expected : search.fallBack) << c.what << ", PATH " << search.path;
    }
  }
  setenv("PATH", path.c_str(), 1);
}

TEST(RegToolsTest, ProgramPaths) {
  TempRegistry store;
  EXPECT_EQ(GetDreamweaverPath(), "C:\\Program Files\\Macromedia\\Dreamweaver 2\\Dreamweaver.exe");
  RegWriteStringLM("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Dreamweaver.exe", "", "/opt/dw");
  EXPECT_EQ(GetDreamweaverPath(), "/opt/dw");
  // No uploader beside the test program: the bare program name is left for the search path.
  EXPECT_EQ(GetUploaderPath(), "Uploader");
}

TEST(RegToolsTest, TheTemporaryDirectoryIsPrivate) {
  const std::string folder = GetTempDirectory();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  const auto permissions = std::filesystem::status(folder).permissions();
  EXPECT_EQ(permissions & std::filesystem::perms::all, std::filesystem::perms::owner_all);
  EXPECT_NE(folder.rfind("/tmp/", 0), 0u) << folder;
}

TEST(RegToolsTest, SplitAtDelimiter) {
  struct Case {
    const char* text;
    const char* delimiter;
    bool before;
    bool trim;
    const char* expected;
  };
  const Case cases[] = {
      {"NAME = value", "=", true, true, "NAME"},
      {"NAME = value", "=", false, true, "value"},
      {"a=b=c", "=", false, false, "b=c"},
      {"a=b=c", "=", true, false, "a"},
      {"abc", "=", true, true, "abc"},
      {"  abc  ", "=", true, true, "  abc  "},
      {"abc", "=", false, true, ""},
      {"key := x", ":=", false, false, " x"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SplitAtDelimiter(c.text, c.delimiter, c.before, c.trim), c.expected)
        << c.text << (c.before ? " before" : " after") << (c.trim ? " trimmed" : "");
}

TEST(RegToolsTest, EscapePerlString) {
  const std::pair<std::string, std::string> cases[] = {
      {"a\"$b\\", "a\\\"\\$b\\\\"},
      {"@list #note %hash &call", "\\@list \\#note \\%hash \\&call"},
      {"\\$", "\\\\\\$"},
      {"plain", "plain"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(EscapePerlString(text), expected) << text;
}

TEST(RegToolsTest, UrlCoding) {
  const std::pair<std::string, std::string> encodings[] = {
      {"a/b c", "a%2fb+c"}, {"\xE9", "%e9"}, {"-_.~", "%2d%5f%2e%7e"}, {"AZaz09", "AZaz09"}, {"", ""},
  };
  for (const auto& [text, encoded] : encodings) {
    EXPECT_EQ(UrlEncodeText(text), encoded) << text;
    EXPECT_EQ(UrlDecodeText(encoded), text) << encoded;
  }
  const std::pair<std::string, std::string> decodings[] = {
      {"a%41+b", "aA b"}, {"%4a%4A", "JJ"}, {"a%2", "a%2"}, {"100%", "100%"}, {"%zz+x", "%zz+x"}, {"%", "%"},
  };
  for (const auto& [text, decoded] : decodings) EXPECT_EQ(UrlDecodeText(text), decoded) << text;
}

class FontRecordTest : public ::testing::Test {
 protected:
  TempRegistry store_;
  const std::string key_ = std::string(kKey) + "\\Font";
};

TEST_F(FontRecordTest, SavedFontReadsBackWhole) {
  TFont font;
  font.SetName("Courier New");
  font.SetCharset(RUSSIAN_CHARSET);
  font.SetColor(clNavy);
  font.SetPitch(fpFixed);
  font.SetSize(12);
  font.SetStyle({fsBold, fsStrikeOut});
  SaveFontToRegistry(&font, key_);
  EXPECT_EQ(RegReadString(key_, "Style", ""), "B--S");

  TFont defaults;
  TFont loaded;
  LoadFontFromRegistry(&loaded, key_, &defaults);
  EXPECT_EQ(loaded.Name(), "Courier New");
  EXPECT_EQ(loaded.Charset(), RUSSIAN_CHARSET);
  EXPECT_EQ(loaded.Color(), clNavy);
  EXPECT_EQ(loaded.Pitch(), fpFixed);
  EXPECT_EQ(loaded.Size(), 12);
  EXPECT_EQ(loaded.Style(), (TFontStyles{fsBold, fsStrikeOut}));
}

TEST_F(FontRecordTest, MissingValuesTakeTheDefaultsAndShortStylesArePadded) {
  struct Case {
    const char* style;
    TFontStyles expected;
  };
  const Case cases[] = {
      {"B", {fsBold}}, {"-I", {fsItalic}}, {"xyzw", {fsBold, fsItalic, fsUnderline, fsStrikeOut}},
      {"", {}},        {"----U", {}},
  };
  TFont defaults;
  defaults.SetName("Defaults");
  defaults.SetHeight(-13);
  for (const Case& c : cases) {
    RegWriteString(key_, "Style", c.style);
    TFont loaded;
    LoadFontFromRegistry(&loaded, key_, &defaults);
    EXPECT_EQ(loaded.Style(), c.expected) << '"' << c.style << '"';
    EXPECT_EQ(loaded.Name(), "Defaults");
    EXPECT_EQ(loaded.Height(), -13);
  }
}

TEST_F(FontRecordTest, AValueOfAnotherKindTakesTheDefaultAndIsStoredAgainWithTheRightKind) {
  RegWriteInteger(key_, "Color", clRed);
  RegWriteInteger(key_, "Name", 5);  // another kind than the string read
  TFont defaults;
  defaults.SetName("Defaults");
  TFont target;
  target.SetColor(clBlue);
  LoadFontFromRegistry(&target, key_, &defaults);
  EXPECT_EQ(target.Color(), clRed);
  EXPECT_EQ(target.Name(), "Defaults");
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKeyReadOnly(key_));
  EXPECT_EQ(registry.GetDataType("Name"), rdString);
  EXPECT_EQ(registry.ReadString("Name"), "Defaults");
}

// A stored size is clamped to the sizes a font can have, whatever the stored height says.
TEST_F(FontRecordTest, AbsurdStoredSizesAreClampedToAFontsSizes) {
  struct Case {
    int size;
    int height;
    int expected;
  };
  const Case cases[] = {
      {INT_MIN, -13, 1}, {-1, -13, 1}, {0, INT_MAX, 1}, {1431655767, INT_MIN, 1638}, {INT_MAX, 0, 1638}, {12, INT_MIN, 12},
  };
  TFont defaults;
  for (const Case& c : cases) {
    RegWriteInteger(key_, "Size", c.size);
    RegWriteInteger(key_, "Height", c.height);
    TFont target;
    LoadFontFromRegistry(&target, key_, &defaults);
    EXPECT_EQ(target.Size(), c.expected) << c.size;
  }
}

}  // namespace
