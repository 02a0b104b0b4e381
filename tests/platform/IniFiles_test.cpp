#include "vcl/IniFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/FileSizeLimit.h"
#include "common/TempRegistry.h"
#include "win/Kernel.h"

namespace {

using corvane::test::TempRegistry;

std::string FileText(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class IniFileTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return store_.Folder() + "/" + name; }
  TempRegistry store_;  // also makes the default ini folder a temporary one
};

TEST_F(IniFileTest, ReadsTrimNamesIgnoreCaseAndStripOnePairOfQuotes) {
  std::ofstream(Path("a.ini"), std::ios::binary) << "; comment\r\n[Main]\r\n  Name  =  spaced value  \r\n"
                                                 << "Double=\"\"quoted twice\"\"\nSingle='one'\nMixed=\"a'\n"
                                                 << "[Other]\nName=other\n";
  const TIniFile ini(Path("a.ini"));
  struct Case {
    const char* section;
    const char* ident;
    const char* expected;
  };
  const Case cases[] = {
      {"main", "NAME", "spaced value"}, {"Main", "Double", "\"quoted twice\""},
      {"Main", "Single", "one"},        {"Main", "Mixed", "\"a'"},
      {"Other", "Name", "other"},       {"Main", "Missing", "<default>"},
      {"Nowhere", "Name", "<default>"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ini.ReadString(c.section, c.ident, "<default>"), c.expected) << c.section << "/" << c.ident;
  EXPECT_TRUE(ini.SectionExists("OTHER"));
  EXPECT_FALSE(ini.ValueExists("Main", "Missing"));
}

TEST_F(IniFileTest, WritesKeepTheRestOfTheFile) {
  std::ofstream(Path("b.ini"), std::ios::binary) << "; keep me\r\n[One]\r\nA=1\r\n\r\n[Two]\r\nB=2\r\n";
  TIniFile ini(Path("b.ini"));
  ini.WriteString("one", "a", "changed");
  ini.WriteInteger("One", "New", 5);
  ini.WriteBool("Three", "Flag", true);
  EXPECT_EQ(FileText(Path("b.ini")),
            "; keep me\r\n[One]\r\na=changed\r\nNew=5\r\n\r\n[Two]\r\nB=2\r\n[Three]\r\nFlag=1\r\n");
  EXPECT_EQ(ini.ReadInteger("One", "New", 0), 5);
  EXPECT_TRUE(ini.ReadBool("Three", "Flag", false));
  ini.DeleteKey("One", "New");
  ini.EraseSection("Two");
  EXPECT_EQ(FileText(Path("b.ini")), "; keep me\r\n[One]\r\na=changed\r\n\r\n[Three]\r\nFlag=1\r\n");
  TStringList list;
  ini.ReadSections(&list);
  EXPECT_EQ(list.CommaText(), "One,Three");
  ini.ReadSectionValues("One", &list);
  EXPECT_EQ(list.CommaText(), "a=changed");
}

TEST_F(IniFileTest, NumbersFallBackToTheDefault) {
  TIniFile ini(Path("c.ini"));
  ini.WriteString("S", "Hex", "0x1F");
  ini.WriteString("S", "Word", "twelve");
  EXPECT_EQ(ini.ReadInteger("S", "Hex", 0), 31);
  EXPECT_EQ(ini.ReadInteger("S", "Word", -1), -1);
  EXPECT_EQ(ini.ReadInteger("S", "Missing", -2), -2);
}

TEST_F(IniFileTest, ABareNameLiesInTheSystemFolder) {
  TIniFile ini("Corvane.INI");
  EXPECT_EQ(ini.FileName(), GetWindowsDirectory() + "/Corvane.INI");
  ini.WriteString("S", "v", "1");
  EXPECT_TRUE(std::filesystem::exists(store_.Folder() + "/Corvane.INI"));
}

TEST_F(IniFileTest, AFailedWriteRaisesAndLeavesTheFileAsItWas) {
  const std::string folder = Path("locked");
  std::filesystem::create_directory(folder);
  std::ofstream(folder + "/d.ini", std::ios::binary) << "[S]\r\nv=old\r\n";
  TIniFile ini(folder + "/d.ini");
  {
    const corvane::test::FileSizeLimit full(10);  // as a full disk would
    EXPECT_THROW(ini.WriteString("S", "v", "new"), EIniFileException);
  }
  EXPECT_EQ(ini.ReadString("S", "v", ""), "old");
  EXPECT_EQ(FileText(folder + "/d.ini"), "[S]\r\nv=old\r\n");
  // What lies beside the file, whatever its name, is none of the write's.
  std::ofstream(folder + "/d.ini.tmp", std::ios::binary) << "the user's";
  ini.WriteString("S", "v", "new");
  EXPECT_EQ(FileText(folder + "/d.ini"), "[S]\r\nv=new\r\n");
  EXPECT_EQ(FileText(folder + "/d.ini.tmp"), "the user's");
}

// Each of these, written as it stands, would change another entry or add one: a value with a line
// break brings its own section, a key with "=" becomes a shorter key, a key in blanks or behind "["
// reads as a different name or a section.
TEST_F(IniFileTest, ANameOrValueTheFileCannotHoldIsRefusedAndChangesNothing) {
  const std::string file = Path("e.ini");
  const std::string text = "[S]\r\nk=old\r\n[T]\r\nx=1\r\n";
  std::ofstream(file, std::ios::binary) << text;
  TIniFile ini(file);
  struct Case {
    const char* section;
    const char* key;
    const char* value;
  };
  const Case cases[] = {
      {"S", "v", "1\r\n[T]\r\nx=2"}, {"S", "v\nk", "new"}, {"S\r\n[T", "x", "2"}, {"S", "k=x", "new"},
      {"S", " k", "new"},            {"S", "[T]", "new"},  {"S", ";k", "new"},     {"S", "", "new"},
      {" S", "k", "new"},            {"T]S", "x", "2"},
  };
  for (const Case& c : cases) {
    EXPECT_THROW(ini.WriteString(c.section, c.key, c.value), EIniFileException) << c.section << "/" << c.key;
    EXPECT_EQ(FileText(file), text) << c.section << "/" << c.key;
  }
  ini.WriteString("S", "k", "a=b ; c [d]");
  EXPECT_EQ(ini.ReadString("S", "k", ""), "a=b ; c [d]");
  EXPECT_EQ(ini.ReadString("T", "x", ""), "1");
}

}  // namespace
