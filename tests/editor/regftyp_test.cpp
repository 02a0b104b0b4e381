#include "editor/regftyp.h"

#include <gtest/gtest.h>

#include <fstream>

#include "common/TempRegistry.h"
#include "vcl/Registry.h"

namespace {

using corvane::test::TempRegistry;

// Every default value under HKEY_CLASSES_ROOT as "key=value" lines, keys in name order.
std::string ClassesRoot(TRegistry& registry, const std::string& key = "") {
  std::string lines;
  if (!key.empty()) {
    if (!registry.OpenKeyReadOnly("\\" + key)) return lines;
    if (registry.ValueExists("")) lines += key + "=" + registry.ReadString("") + "\n";
  } else {
    registry.OpenKeyReadOnly("\\");
  }
  TStringList children;
  registry.GetKeyNames(&children);
  for (int i = 0; i < children.Count(); ++i)
    lines += ClassesRoot(registry, key.empty() ? children[i] : key + "\\" + children[i]);
  return lines;
}

std::string Registered() {
  TRegistry registry;
  registry.SetRootKey(HKEY_CLASSES_ROOT);
  return ClassesRoot(registry);
}

TEST(RegisterFileTypeTest, WritesTheExtensionTheTypeAndItsEditVerb) {
  struct Case {
    const char* what;
    std::string extension, typeName, program, icon;
    std::string expected;
  };
  const std::string perlType =
      "PerlScriptFile=Perl Script File\n"
      "PerlScriptFile\\DefaultIcon=/opt/corvane/pl.ico\n"
      "PerlScriptFile\\Shell=Edit\n"
      "PerlScriptFile\\Shell\\Edit=&Edit\n"
      "PerlScriptFile\\Shell\\Edit\\command=/opt/corvane/Corvane %1\n";
  const Case cases[] = {
      {"no dot", "pl", "PerlScriptFile", "/opt/corvane/Corvane", "/opt/corvane/pl.ico",
       ".pl=PerlScriptFile\n" + perlType},
      {"one dot", ".pl", "PerlScriptFile", "/opt/corvane/Corvane", "/opt/corvane/pl.ico",
       ".pl=PerlScriptFile\n" + perlType},
      {"two dots", "..pl", "PerlScriptFile", "/opt/corvane/Corvane", "/opt/corvane/pl.ico",
       ".pl=PerlScriptFile\n" + perlType},
      {"dots only", ".", "PerlScriptFile", "/opt/corvane/Corvane", "", ""},
      {"empty program", ".pl", "PerlScriptFile", "", "", ""},
      {"empty type name", ".cgi", "", "/c", "",
       ".cgi=cgi_auto_file\ncgi_auto_file=Perl Script File\ncgi_auto_file\\Shell=Edit\n"
       "cgi_auto_file\\Shell\\Edit=&Edit\ncgi_auto_file\\Shell\\Edit\\command=/c %1\n"},
      {"program path with blanks, no icon", "pm", "T", "/My Programs/Corvane", "",
       ".pm=T\nT=Perl Script File\nT\\Shell=Edit\nT\\Shell\\Edit=&Edit\nT\\Shell\\Edit\\command=/My Programs/Corvane "
       "%1\n"},
  };
  for (const Case& c : cases) {
    TempRegistry store;
    RegisterFileType(c.extension, c.typeName, "Perl Script File", c.program, c.icon);
    EXPECT_EQ(Registered(), c.expected) << c.what;
  }
}

TEST(RegisterFileTypeTest, OtherVerbsAndValuesOfTheTypeStay) {
  TempRegistry store;
  {
    TRegistry registry;
    registry.SetRootKey(HKEY_CLASSES_ROOT);
    ASSERT_TRUE(registry.OpenKey("PerlScriptFile\\Shell\\Open\\command", true));
    registry.WriteString("", "perl %1");
    registry.WriteString("Other", "kept");
  }
  RegisterFileType(".pl", "PerlScriptFile", "Perl Script File", "/c", "");
  TRegistry registry;
  registry.SetRootKey(HKEY_CLASSES_ROOT);
  ASSERT_TRUE(registry.OpenKeyReadOnly("PerlScriptFile\\Shell\\Open\\command"));
  EXPECT_EQ(registry.ReadString(""), "perl %1");
  EXPECT_EQ(registry.ReadString("Other"), "kept");
}

TEST(RegisterFileTypeTest, AStoreThatCannotBeOpenedTakesTheRegistrationForTheSession) {
  TempRegistry store;
  const std::string blocked = store.Folder() + "/file";
  std::ofstream(blocked) << "x";
  RegistryStore::Instance().SetPath(blocked + "/registry.sqlite3");
  EXPECT_NO_THROW(RegisterFileType(".pl", "PerlScriptFile", "Perl Script File", "/c", ""));
  EXPECT_EQ(Registered().rfind(".pl=PerlScriptFile\n", 0), 0u) << Registered();
}

}  // namespace
