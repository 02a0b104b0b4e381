#include "editor/regftyp.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/DesktopFolders.h"
#include "common/TestFiles.h"
#include "vcl/SysUtils.h"

using namespace Corvane;

namespace fs = std::filesystem;

namespace {

using corvane::test::ReadFile;
using corvane::test::TDesktopFolders;

// Every desktop entry of the user's applications folder as "name: content".
std::string Entries(const TDesktopFolders& desktop) {
  std::string entries;
  std::error_code error;
  for (const auto& file : fs::directory_iterator(desktop.Data() + "/applications", error))
    entries += file.path().filename().string() + ": " + ReadFile(file.path());
  return entries;
}

TEST(RegisterFileTypeTest, WritesTheProgramsEntryForTheType) {
  struct Case {
    const char* what;
    std::string extension, typeName, program, icon;
    std::string expected;
  };
  const std::string perlEntry =
      "Corvane-PerlScriptFile.desktop: [Desktop Entry]\nType=Application\nName=Corvane\n"
      "Exec=/opt/corvane/Corvane %f\nIcon=/opt/corvane/pl.ico\nMimeType=application/x-perl;text/x-perl;\n";
  const Case cases[] = {
      {"no dot", "pl", "PerlScriptFile", "/opt/corvane/Corvane", "/opt/corvane/pl.ico", perlEntry},
      {"one dot", ".pl", "PerlScriptFile", "/opt/corvane/Corvane", "/opt/corvane/pl.ico", perlEntry},
      {"two dots", "..pl", "PerlScriptFile", "/opt/corvane/Corvane", "/opt/corvane/pl.ico", perlEntry},
      {"dots only", ".", "PerlScriptFile", "/opt/corvane/Corvane", "", ""},
      {"empty program", ".pl", "PerlScriptFile", "", "", ""},
      {"empty type name, an extension the desktop does not know", ".cgi", "", "/c", "",
       "c-cgi_auto_file.desktop: [Desktop Entry]\nType=Application\nName=c\nExec=/c %f\n"
       "MimeType=application/x-cgi;\n"},
      {"program path with blanks, no icon", "pm", "T", "/My Programs/Corvane", "",
       "Corvane-T.desktop: [Desktop Entry]\nType=Application\nName=Corvane\nExec=\"/My Programs/Corvane\" %f\n"
       "MimeType=application/x-perl;text/x-perl;\n"},
  };
  for (const Case& c : cases) {
    TDesktopFolders desktop;
    RegisterFileType(c.extension, c.typeName, "Perl Script File", c.program, c.icon);
    EXPECT_EQ(Entries(desktop), c.expected) << c.what;
    EXPECT_EQ(fs::exists(desktop.List()), !c.expected.empty()) << c.what;
  }
}

TEST(RegisterFileTypeTest, WhatElseTheEntryHoldsStays) {
  TDesktopFolders desktop;
  const std::string entry = desktop.Entry("Corvane-PerlScriptFile.desktop");
  fs::create_directories(desktop.Data() + "/applications");
  corvane::test::WriteFile(entry,
                           "[Desktop Entry]\nType=Application\nName=Corvane\nExec=/old/Corvane %f\n"
                           "Icon=/old/pl.ico\nCategories=Development;\nMimeType=text/x-perl;text/x-csrc;\n");
  RegisterFileType(".pl", "PerlScriptFile", "Perl Script File", "/new/Corvane", "");
  EXPECT_EQ(ReadFile(entry),
            "[Desktop Entry]\nType=Application\nName=Corvane\nExec=/new/Corvane %f\n"
            "Icon=/old/pl.ico\nCategories=Development;\nMimeType=text/x-perl;text/x-csrc;application/x-perl;\n");
}

TEST(RegisterFileTypeTest, AFolderThatCannotBeMadeRaises) {
  TDesktopFolders desktop;
  corvane::test::WriteFile(desktop.Folder() + "/file", "x");
  desktop.Use(desktop.Folder() + "/file/data", desktop.Folder() + "/config");
  EXPECT_THROW(RegisterFileType(".pl", "PerlScriptFile", "Perl Script File", "/c", ""), Exception);
}

}  // namespace
