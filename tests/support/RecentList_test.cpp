#include "support/RecentList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/TempRegistry.h"
#include "common/TestApp.h"
#include "support/RegTools.h"
#include "vcl/Forms.h"
#include "vcl/Registry.h"
#include "win/CodePage.h"

namespace {

using corvane::test::EnsureApplication;
using corvane::test::TempRegistry;

std::vector<std::string> Names(const TRecentStrings& list) {
  std::vector<std::string> names;
  for (int i = 0; i < list.Count(); ++i) names.push_back(list.Get(i));
  return names;
}

std::vector<std::string> Captions(const TMenuItem& menu) {
  std::vector<std::string> captions;
  for (int i = 0; i < menu.Count(); ++i) captions.push_back(menu.Items(i)->Caption());
  return captions;
}

using Strings = std::vector<std::string>;

TEST(RecentStrings, ANameAddedAgainInAnyCaseMovesKeepingItsSpellingAndTakesTheNewValue) {
  struct Case {
    TRecentMode mode;
    Strings expected;
  };
  for (const Case& c : {Case{rmInsert, {"b.pl", "c.pl", "a.pl"}}, Case{rmAppend, {"a.pl", "c.pl", "b.pl"}}}) {
    TRecentStrings list;
    list.Mode = c.mode;
    list.AddObject("a.pl", UserValueObject(1));
    list.AddObject("b.pl", UserValueObject(2));
    list.AddObject("c.pl", UserValueObject(3));
    const int index = list.AddObject("B.PL", UserValueObject(7));
    EXPECT_EQ(Names(list), c.expected) << c.mode;
    EXPECT_EQ(index, c.mode == rmInsert ? 0 : 2);
    EXPECT_EQ(list.UserValue(index), 7);
  }
}

TEST(RecentStrings, AFullListDropsItsOldestEntry) {
  struct Case {
    TRecentMode mode;
    std::string dropped;
  };
  for (const Case& c : {Case{rmInsert, "1"}, Case{rmAppend, "1"}}) {
    TRecentStrings list;
    list.Mode = c.mode;
    list.SetCapacity(7);
    for (int i = 1; i <= 8; ++i) list.Add(std::to_string(i));
    EXPECT_EQ(list.Count(), 7);
    EXPECT_EQ(list.IndexOf(c.dropped), -1) << c.mode;
    EXPECT_EQ(list.Get(c.mode == rmInsert ? 0 : 6), "8");
  }
}

TEST(RecentStrings, LoweringTheCapacityTrimsAtOnceAndNeverGoesBelowOne) {
  TRecentStrings list;
  for (const char* name : {"a", "b", "c", "d"}) list.Add(name);
  list.SetCapacity(2);
  EXPECT_EQ(Names(list), (Strings{"d", "c"}));
  for (int capacity : {0, -5}) {
    list.SetCapacity(capacity);
    EXPECT_EQ(list.MaxSize(), 1);
    EXPECT_EQ(Names(list), Strings{"d"});
  }
}

TEST(RecentStrings, AddStringsPutsTheOtherListsFirstEntryNearestTheTopAndTakesAtMostCapacity) {
  TStringList other;
  for (const char* name : {"x", "y", "z"}) other.AddObject(name, UserValueObject(name[0]));
  for (TRecentMode mode : {rmInsert, rmAppend}) {
    TRecentStrings list;
    list.Mode = mode;
    list.SetCapacity(2);
    list.Add("old");
    list.AddStrings(&other);
    EXPECT_EQ(Names(list), (Strings{"x", "y"})) << mode;
    EXPECT_EQ(list.UserValue(list.IndexOf("y")), 'y');
  }
}

class MRUManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    form_ = std::make_unique<TForm>(nullptr);
    manager_ = new TMRUManager(form_.get());
    manager_->SetName("MRUManager1");
    menu_ = new TMenuItem(form_.get());
    menu_->SetCaption("&Reopen");
  }

  std::unique_ptr<TForm> form_;
  TMRUManager* manager_ = nullptr;
  TMenuItem* menu_ = nullptr;
};

TEST_F(MRUManagerTest, AnEmptyListMakesNoItemsAndDisablesTheMenu) {
  manager_->SetRecentMenu(menu_);
  EXPECT_EQ(menu_->Count(), 0);
  EXPECT_FALSE(menu_->Enabled());
  manager_->AddRecent("/a.pl");
  EXPECT_TRUE(menu_->Enabled());
  manager_->RemoveRecent("/A.PL");
  EXPECT_EQ(menu_->Count(), 0);
  EXPECT_FALSE(menu_->Enabled());
}

TEST_F(MRUManagerTest, EntriesShowNewestFirstWithTheirAcceleratorsAfterTheMenusOwnItems) {
  auto* own = new TMenuItem(nullptr);
  own->SetCaption("Clear");
  menu_->Add(own);
  manager_->SetAccelDelimiter(adSpace);
  manager_->SetRecentMenu(menu_);
  manager_->AddRecent("/old.pl", 1);
  manager_->AddRecent("/new.pl", 2);
  EXPECT_EQ(Captions(*menu_), (Strings{"Clear", "-", "&1 /new.pl", "&2 /old.pl"}));
  EXPECT_EQ(menu_->Items(2)->Tag, 0);
  // A rebuild takes only the manager's own items away.
  manager_->SetShowAccelChar(false);
  EXPECT_EQ(Captions(*menu_), (Strings{"Clear", "-", "/new.pl", "/old.pl"}));
}

TEST_F(MRUManagerTest, AcceleratorPrefixes) {
  struct Case {
    std::uint32_t accel;
    std::string caption;
  };
  const Case cases[] = {{0, "&0\tf"},  {1, "&1\tf"},          {10, "&A\tf"}, {35, "&Z\tf"},
                        {36, "&[\tf"}, {100, "&\x9b\tf"}, {101, " \tf"}};
  manager_->SetRecentMenu(menu_);
  manager_->AddRecent("f");
  for (const Case& c : cases) {
    manager_->SetStartAccel(c.accel);
    EXPECT_EQ(menu_->Items(0)->Caption(), c.caption) << c.accel;
  }
}

TEST_F(MRUManagerTest, ABarSplitsCaptionFromHintAndSeparatorsGroupTheEntries) {
  manager_->SetShowAccelChar(false);
  manager_->SetSeparateSize(2);
  manager_->SetRecentMenu(menu_);
  for (const char* name : {"c", "b|the b file", "a"}) manager_->AddRecent(name);
  EXPECT_EQ(Captions(*menu_), (Strings{"a", "b", "-", "c"}));
  EXPECT_EQ(menu_->Items(1)->Hint(), "the b file");
  EXPECT_EQ(menu_->Items(0)->Hint(), "a");
}

TEST_F(MRUManagerTest, GetItemDataMayChangeCaptionAndShortCut) {
  manager_->OnGetItemData = [](TObject*, std::string& caption, TShortCut& shortCut, std::int32_t userData) {
    caption += "#" + std::to_string(userData);
    shortCut = scCtrl | 'R';
  };
  manager_->SetRecentMenu(menu_);
  manager_->AddRecent("x", 5);
  EXPECT_EQ(menu_->Items(0)->Caption(), "&1\tx#5");
  EXPECT_EQ(menu_->Items(0)->ShortCut(), scCtrl | 'R');
}

TEST_F(MRUManagerTest, AClickReportsTheEntryAndRemoveOnSelectRunsEvenWhenTheHandlerRaises) {
  manager_->SetRecentMenu(menu_);
  manager_->AddRecent("/b.pl", 3);
  manager_->AddRecent("/a.pl", 2);
  std::string name, caption;
  std::int32_t value = 0;
  manager_->OnClick = [&](TObject*, const std::string& n, const std::string& c, std::int32_t v) {
    name = n;
    caption = c;
    value = v;
  };
  menu_->Items(1)->Click();
  EXPECT_EQ(name, "/b.pl");
  EXPECT_EQ(caption, "&2\t/b.pl");
  EXPECT_EQ(value, 3);
  EXPECT_EQ(manager_->Strings()->Count(), 2);

  manager_->RemoveOnSelect = true;
  manager_->OnClick = [](TObject*, const std::string&, const std::string&, std::int32_t) {
    throw Exception("cannot open");
  };
  EXPECT_THROW(menu_->Items(0)->Click(), Exception);
  EXPECT_EQ(Names(*manager_->Strings()), Strings{"/b.pl"});
}

TEST_F(MRUManagerTest, AFreedRecentMenuIsForgotten) {
  manager_->SetRecentMenu(menu_);
  manager_->AddRecent("x");
  delete menu_;
  EXPECT_EQ(manager_->RecentMenu(), nullptr);
  manager_->AddRecent("y");  // nothing to rebuild, nothing freed twice
}

class MRUStorageTest : public MRUManagerTest {
 protected:
  void SetUp() override {
    MRUManagerTest::SetUp();
    placement_ = new TFormPlacement(form_.get());
    placement_->SetUseRegistry(true);
    placement_->SetIniFileName("SOFTWARE");
    placement_->SetIniSection("Test\\Window Position");
    placement_->Active = false;
    placement_->Options = {};
    manager_->SetIniStorage(placement_);
  }

  static constexpr const char* kKey = "SOFTWARE\\Test\\Window Position\\TForm.MRUManager1";
  static bool Stored(const std::string& name) {
    TRegistry registry;
    return registry.OpenKeyReadOnly(kKey) && registry.ValueExists(name);
  }

  TempRegistry store_;
  TFormPlacement* placement_ = nullptr;
};

TEST_F(MRUStorageTest, ACommitRewritesTheWholeSectionAndLeavesNoZeroUserValues) {
  for (int i = 0; i < 5; ++i) {
    RegWriteString(kKey, "Item_" + std::to_string(i), "stale");
    RegWriteInteger(kKey, "User_" + std::to_string(i), 9);
  }
  manager_->AddRecent("/b.pl", 0);
  manager_->AddRecent("/a.pl", 2);
  placement_->CommitPlacement();
  EXPECT_EQ(RegReadString(kKey, "Item_0", ""), "/a.pl");
  EXPECT_EQ(RegReadInteger(kKey, "User_0", 0), 2);
  EXPECT_EQ(RegReadString(kKey, "Item_1", ""), "/b.pl");
  EXPECT_FALSE(Stored("User_1"));
  EXPECT_FALSE(Stored("Item_2"));
  EXPECT_FALSE(Stored("User_4"));
}

TEST_F(MRUStorageTest, ARestoreSkipsGapsAndNeverReadsBeyondTheCapacity) {
  manager_->SetCapacity(4);
  manager_->SetMode(rmAppend);
  for (int i : {0, 1, 2, 4}) RegWriteString(kKey, "Item_" + std::to_string(i), "f" + std::to_string(i));
  RegWriteInteger(kKey, "User_1", 6);
  manager_->SetRecentMenu(menu_);
  int changes = 0;
  manager_->OnChange = [&](TObject*) { ++changes; };
  placement_->ApplyStoredPlacement();
  EXPECT_EQ(Names(*manager_->Strings()), (Strings{"f0", "f1", "f2"}));
  EXPECT_EQ(manager_->Strings()->UserValue(1), 6);
  EXPECT_EQ(manager_->Mode(), rmAppend);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(menu_->Count(), 3);
}

// Earlier builds stored names as code-page text. Such an entry comes back as the name of the file it
// meant, and is written back so; an entry that names a file as it is, or names nothing either way, stays.
TEST_F(MRUStorageTest, NamesStoredAsCodePageTextComeBackAsTheFilesNames) {
  const std::string folder = corvane::test::MakeTempDir("recent");
  for (const char* name : {"/старый.pl", "/дом.pl"}) std::ofstream(folder + name) << "1;\n";
  std::ofstream(folder + AnsiToUtf8("/дом.pl")) << "1;\n";  // what the name's bytes read as in the code page
  const struct {
    std::string stored;
    std::string restored;
  } cases[] = {
      {Utf8ToAnsi(folder + "/старый.pl"), folder + "/старый.pl"},
      {folder + "/дом.pl", folder + "/дом.pl"},
      {Utf8ToAnsi(folder + "/нет.pl"), Utf8ToAnsi(folder + "/нет.pl")},
  };
  Strings restored;
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    RegWriteString(kKey, "Item_" + std::to_string(i), cases[i].stored);
    restored.push_back(cases[i].restored);
  }
  placement_->ApplyStoredPlacement();
  EXPECT_EQ(Names(*manager_->Strings()), restored);
  placement_->CommitPlacement();
  EXPECT_EQ(RegReadString(kKey, "Item_0", ""), folder + "/старый.pl");
  std::filesystem::remove_all(folder);
}

TEST_F(MRUStorageTest, WithoutANameOrOutsideACommitNothingIsStored) {
  manager_->AddRecent("/a.pl");
  EXPECT_FALSE(Stored("Item_0"));
  manager_->SetName("");
  placement_->CommitPlacement();
  TRegistry registry;
  EXPECT_FALSE(registry.OpenKeyReadOnly(kKey));
}

TEST_F(MRUStorageTest, ReadAndWriteHandlersReplaceTheStoredFormat) {
  std::vector<int> written;
  manager_->OnWriteItem = [&](TObject*, TObject*, const std::string&, int index, const std::string&, std::int32_t) {
    written.push_back(index);
  };
  manager_->OnReadItem = [](TObject*, TObject*, const std::string&, int index, std::string& name, std::int32_t&) {
    if (index < 2) name = "r" + std::to_string(index);
  };
  manager_->AddRecent("x");
  manager_->AddRecent("y");
  placement_->CommitPlacement();
  EXPECT_EQ(written, (std::vector<int>{0, 1}));
  EXPECT_FALSE(Stored("Item_0"));
  placement_->ApplyStoredPlacement();
  EXPECT_EQ(Names(*manager_->Strings()), (Strings{"r0", "r1"}));
}

}  // namespace
