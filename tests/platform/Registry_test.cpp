#include "vcl/Registry.h"

#include <gtest/gtest.h>

#include "common/TempRegistry.h"

namespace {

using corvane::test::TempRegistry;

TEST(RegistryTest, OpenKeyTakesRelativeNamesFromTheCurrentKeyAndBackslashNamesFromTheRoot) {
  TempRegistry store;
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey("Software\\Ombrix", true));
  EXPECT_EQ(registry.CurrentPath(), "Software\\Ombrix");
  ASSERT_TRUE(registry.OpenKey("Tarnwick", true));
  EXPECT_EQ(registry.CurrentPath(), "Software\\Ombrix\\Tarnwick");
  registry.WriteString("Where", "below Ombrix");
  ASSERT_TRUE(registry.OpenKey("\\Tarnwick", true));
  EXPECT_EQ(registry.CurrentPath(), "Tarnwick");
  EXPECT_FALSE(registry.ValueExists("Where"));
  ASSERT_TRUE(registry.OpenKeyReadOnly("\\SOFTWARE\\OMBRIX\\TARNWICK"));
  EXPECT_EQ(registry.ReadString("where"), "below Ombrix");
  EXPECT_THROW(registry.WriteString("Where", "x"), ERegistryException);
}

TEST(RegistryTest, ReadsOfAnotherKindOrOfMissingNumbersRaise) {
  TempRegistry store;
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey("Kinds", true));
  registry.WriteString("Text", "12");
  registry.WriteString("Zeros", std::string("a\0b", 3));
  EXPECT_EQ(registry.ReadString("Zeros"), std::string("a\0b", 3));
  registry.WriteInteger("Number", -5);
  registry.WriteBinaryData("Bytes", std::string("\0a", 2));
  EXPECT_EQ(registry.ReadInteger("Number"), -5);
  EXPECT_EQ(registry.ReadBinaryData("Bytes"), std::string("\0a", 2));
  EXPECT_EQ(registry.GetDataType("Text"), rdString);
  EXPECT_EQ(registry.GetDataType("Number"), rdInteger);
  EXPECT_EQ(registry.GetDataSize("Missing"), -1);
  EXPECT_EQ(registry.ReadString("Missing"), "");
  EXPECT_THROW(registry.ReadInteger("Text"), ERegistryException);
  EXPECT_THROW(registry.ReadString("Number"), ERegistryException);
  EXPECT_THROW(registry.ReadBool("Missing"), ERegistryException);
  EXPECT_THROW(registry.ReadBinaryData("Text"), ERegistryException);
}

TEST(RegistryTest, DeleteKeyTakesSubkeysAlong) {
  TempRegistry store;
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey("A\\B\\C", true));
  registry.CloseKey();
  EXPECT_TRUE(registry.KeyExists("A\\B\\C"));
  EXPECT_TRUE(registry.DeleteKey("A"));
  EXPECT_FALSE(registry.KeyExists("A"));
  EXPECT_FALSE(registry.DeleteKey("A"));
}

TEST(RegIniFileTest, SectionsAreSubkeysAndNumbersReadFromEitherKind) {
  TempRegistry store;
  {
    TRegIniFile ini("Software\\App");
    ini.WriteString("Window Position", "NormPos", "1,2,3,4");
    ini.WriteInteger("Window Position", "Flags", 3);
    ini.WriteString("Window Position", "Typed", "42");
    ini.WriteBool("", "Top", true);
  }
  TRegIniFile ini("Software\\App", KEY_READ);
  EXPECT_EQ(ini.ReadString("window position", "NORMPOS", "-"), "1,2,3,4");
  EXPECT_EQ(ini.ReadInteger("Window Position", "Flags", 0), 3);
  EXPECT_EQ(ini.ReadInteger("Window Position", "Typed", 0), 42);
  EXPECT_EQ(ini.ReadInteger("Window Position", "NormPos", 7), 7);
  EXPECT_EQ(ini.ReadString("Missing Section", "NormPos", "-"), "-");
  EXPECT_TRUE(ini.ReadBool("", "Top", false));
  TStringList names;
  ini.ReadSection("Window Position", &names);
  EXPECT_EQ(names.CommaText(), "Flags,NormPos,Typed");
  ini.ReadSectionValues("Window Position", &names);
  EXPECT_EQ(names.Values("Flags"), "3");
}

TEST(RegIniFileTest, EraseSectionAndDeleteKeyRemoveOnlyWhatTheyName) {
  TempRegistry store;
  TRegIniFile ini("Software\\App");
  ini.WriteString("Keep", "a", "1");
  ini.WriteString("Drop", "b", "2");
  ini.WriteString("Drop\\Inner", "c", "3");
  ini.WriteString("Keep", "gone", "4");
  ini.EraseSection("Drop");
  ini.DeleteKey("Keep", "gone");
  TStringList sections;
  ini.ReadSections(&sections);
  EXPECT_EQ(sections.CommaText(), "Keep");
  EXPECT_EQ(ini.ReadString("Keep", "a", "-"), "1");
  EXPECT_EQ(ini.ReadString("Keep", "gone", "-"), "-");
}

TEST(RegIniFileTest, AReadOnlyFileKeyIsNeverCreated) {
  TempRegistry store;
  {
    TRegIniFile ini("Software\\Nobody", KEY_READ);
    EXPECT_EQ(ini.ReadString("S", "v", "default"), "default");
  }
  TRegistry registry;
  EXPECT_FALSE(registry.KeyExists("Software\\Nobody"));
}

}  // namespace
