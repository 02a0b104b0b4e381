#include "support/Placement.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/TempRegistry.h"
#include "common/TestApp.h"
#include "qt/QtSide.h"
#include "support/AppUtils.h"
#include "support/RegTools.h"
#include "vcl/Dialogs.h"
#include "vcl/Registry.h"
#include "win/RegistryStore.h"

namespace {

using corvane::test::EnsureApplication;
using corvane::test::PumpPosted;
using corvane::test::PumpUntil;
using corvane::test::TempRegistry;

const char* const kSection = "Test\\Window Position";
const char* const kKey = "SOFTWARE\\Test\\Window Position";

class PlacementTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureApplication(); }
  void TearDown() override { TCustomForm::SetMainForm(nullptr); }

  // A 400 by 300 form at (100, 100) with a placement in the registry, finished as a form
  // description would be; `configure` runs before the form is finished.
  template <class Configure>
  std::unique_ptr<TForm> MakeForm(Configure&& configure) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 400, 300);
    placement_ = new TFormPlacement(form.get());
    placement_->SetName("FormPlacement1");
    placement_->SetUseRegistry(true);
    placement_->SetIniFileName("SOFTWARE");
    placement_->SetIniSection(kSection);
    configure(*form, *placement_);
    form->AfterConstruction();
    return form;
  }
  std::unique_ptr<TForm> MakeForm() {
    return MakeForm([](TForm&, TFormPlacement&) {});
  }

  static std::string Sized(const std::string& name) {
    return name + "(" + std::to_string(Screen->Width()) + "x" + std::to_string(Screen->Height()) + ")";
  }
  static bool Stored(const std::string& name) {
    TRegistry registry;
    return registry.OpenKeyReadOnly(kKey) && registry.ValueExists(name);
  }

  TempRegistry store_;
  TFormPlacement* placement_ = nullptr;
};

TEST_F(PlacementTest, AWindowMovedResizedAndClosedComesBackWhereItWas) {
  TRect closedAt;
  {
    auto form = MakeForm();
    form->Show();
    PumpPosted();
    // The user moves and resizes the window.
    WidgetOf(form.get())->move(150, 120);
    WidgetOf(form.get())->resize(500, 350);
    PumpUntil([&] { return form->Left() == 150; });
    closedAt = form->BoundsRect();
    EXPECT_EQ(closedAt.Left, 150);
    form->Close();
    EXPECT_FALSE(form->Visible());
  }
  EXPECT_EQ(RegReadString(kKey, "NormPos", ""),
            Format("%d,%d,%d,%d", closedAt.Left, closedAt.Top, closedAt.Right, closedAt.Bottom));
  EXPECT_EQ(RegReadString(kKey, Sized("NormPos"), ""), RegReadString(kKey, "NormPos", "-"));
  EXPECT_EQ(RegReadInteger(kKey, "ShowCmd", 0), SW_SHOWNORMAL);
  EXPECT_EQ(RegReadInteger(kKey, "PixelsPerInch", 0), Screen->PixelsPerInch());

  {
    auto form = MakeForm();
    form->Show();
    PumpUntil([&] { return form->BoundsRect() == closedAt; });
    EXPECT_EQ(form->BoundsRect(), closedAt);
    form->SetWindowState(wsMaximized);
    PumpUntil([&] { return form->WindowState() == wsMaximized; });
    form->Close();
  }
  auto form = MakeForm();
  form->Show();
  PumpUntil([&] { return form->WindowState() == wsMaximized; });
  EXPECT_EQ(form->WindowState(), wsMaximized);
  form->SetWindowState(wsNormal);
  PumpUntil([&] { return form->BoundsRect() == closedAt; });
  EXPECT_EQ(form->BoundsRect(), closedAt);
}

TEST_F(PlacementTest, TheScreenSizeSuffixedValueWinsOverThePlainOne) {
  struct Case {
    const char* what;
    std::string suffixedName;
    TRect expected;
  };
  const Case cases[] = {
      {"this screen's value", Sized("NormPos"), Rect(10, 10, 310, 210)},
      {"only another screen's value", "NormPos(1x1)", Rect(30, 30, 330, 230)},
  };
  for (const Case& c : cases) {
    TempRegistry store;
    RegWriteString(kKey, c.suffixedName, "10,10,310,210");
    RegWriteString(kKey, "NormPos", "30,30,330,230");
    auto form = MakeForm();
    form->Show();
    PumpUntil([&] { return form->BoundsRect() == c.expected; });
    EXPECT_EQ(form->BoundsRect(), c.expected) << c.what;
  }
}

TEST_F(PlacementTest, StoredPositionsThatCannotApplyLeaveTheFormWhereItWas) {
  struct Case {
    const char* what;
    const char* normPos;
    int pixelsPerInchOffset;
    TFormBorderStyle border;
    TRect expected;
  };
  const Case cases[] = {
      {"left equal to right", "300,10,300,210", 0, bsSizeable, Rect(100, 100, 500, 400)},
      {"left beyond right", "300,10,200,210", 0, bsSizeable, Rect(100, 100, 500, 400)},
      {"another resolution", "10,20,310,220", 1, bsSizeable, Rect(100, 100, 500, 400)},
      {"a dialog keeps its size", "10,20,900,900", 0, bsDialog, Rect(10, 20, 410, 320)},
      {"malformed numbers take the form's", "x,20,,", 0, bsSizeable, Rect(100, 20, 500, 400)},
  };
  for (const Case& c : cases) {
    TempRegistry store;
    RegWriteString(kKey, "NormPos", c.normPos);
    RegWriteInteger(kKey, "PixelsPerInch", Screen->PixelsPerInch() + c.pixelsPerInchOffset);
    RegWriteInteger(kKey, "ShowCmd", SW_SHOWMAXIMIZED);
    auto form = MakeForm([&](TForm& f, TFormPlacement&) { f.SetBorderStyle(c.border); });
    form->Show();
    PumpUntil([&] { return form->WindowState() == wsMaximized; });
    EXPECT_EQ(form->WindowState(), wsMaximized) << c.what;  // the state still applies
    form->SetWindowState(wsNormal);
    PumpUntil([&] { return form->BoundsRect() == c.expected; });
    EXPECT_EQ(form->BoundsRect(), c.expected) << c.what;
  }
}

TEST_F(PlacementTest, AnOlderStoredVersionRestoresNothingAndIsOverwritten) {
  RegWriteString(kKey, "NormPos", "10,20,310,220");
  RegWriteInteger(kKey, "FormVersion", 1);
  auto form = MakeForm([](TForm&, TFormPlacement& p) { p.Version = 2; });
  bool restored = false;
  placement_->OnRestorePlacement = [&](TObject*) { restored = true; };
  form->Show();
  PumpPosted();
  EXPECT_FALSE(restored);
  EXPECT_EQ(form->BoundsRect(), Rect(100, 100, 500, 400));
  form->Close();
  EXPECT_EQ(RegReadInteger(kKey, "FormVersion", 0), 2);
}

TEST_F(PlacementTest, AMainFormStoredMinimizedComesUpThroughAPostedMinimize) {
  RegWriteInteger(kKey, "ShowCmd", SW_SHOWMINIMIZED);
  auto form = MakeForm();
  TCustomForm::SetMainForm(form.get());
  form->Show();
  EXPECT_EQ(form->WindowState(), wsNormal);
  PumpUntil([&] { return form->WindowState() == wsMinimized; });
  EXPECT_EQ(form->WindowState(), wsMinimized);
}

// A stored value of another kind counts as missing: the form shows without a word and its close stores the
// value again with its own kind. A store that cannot open at close takes no writes and reports nothing.
TEST_F(PlacementTest, AValueOfAnotherKindIsNoFailureAndIsStoredAgain) {
  std::vector<std::string> reported;
  TDialogHookScope dialogs([&](TDialogRequest& r) {
    reported.push_back(r.Text);
    return IDOK;
  });
  RegWriteInteger(kKey, "NormPos", 5);  // another kind than the text read
  {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(kKey, true));
    registry.WriteBinaryData("FormVersion", "text");
  }
  auto form = MakeForm();
  form->Show();
  PumpPosted();
  EXPECT_TRUE(form->Visible());
  EXPECT_TRUE(reported.empty());
  form->Close();
  {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKeyReadOnly(kKey));
    EXPECT_EQ(registry.GetDataType("NormPos"), rdString);
    EXPECT_EQ(registry.GetDataType("FormVersion"), rdInteger);
  }
  form->Show();
  PumpPosted();

  // A store that cannot open at close takes no writes and reports nothing.
  RegistryStore::Instance().SetPath(store_.File() + "/inside-a-file");
  form->Close();
  EXPECT_FALSE(form->Visible());
  EXPECT_TRUE(reported.empty());
}

TEST_F(PlacementTest, AFormNeverRestoredWritesNothing) {
  {
    auto form = MakeForm();
    form->HandleNeeded();
    form->Close();
  }
  TRegistry registry;
  EXPECT_FALSE(registry.KeyExists("SOFTWARE\\Test"));
}

TEST_F(PlacementTest, VisibleSaysWhetherTheCommitCameFromTheFormsDestruction) {
  {
    auto form = MakeForm();
    form->Show();
    form->Close();
    EXPECT_TRUE(Stored("Visible"));
    EXPECT_FALSE(RegReadBool(kKey, "Visible", true));
  }
  auto form = MakeForm();
  form->Show();
  form.reset();
  EXPECT_TRUE(RegReadBool(kKey, "Visible", false));
}

TEST_F(PlacementTest, TheFormsOwnHandlersStillRunAroundThePlacement) {
  TRect boundsInOnShow;
  bool allowClose = false;
  int destroyed = 0;
  RegWriteString(kKey, "NormPos", "10,20,310,220");
  auto form = MakeForm([&](TForm& f, TFormPlacement&) {
    f.OnShow = [&](TObject*) { boundsInOnShow = f.BoundsRect(); };
    f.OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allowClose; };
    f.OnDestroy = [&](TObject*) { ++destroyed; };
  });
  form->Show();
  EXPECT_EQ(boundsInOnShow, Rect(10, 20, 310, 220));  // restored before the form's own handler
  form->Close();
  EXPECT_FALSE(Stored("Visible"));  // a refused close commits nothing
  allowClose = true;
  form->Close();
  EXPECT_TRUE(Stored("Visible"));
  form.reset();
  EXPECT_EQ(destroyed, 1);
}

TEST_F(PlacementTest, TheActiveControlIsRestoredOnlyWhenItCanTakeTheFocus) {
  struct Case {
    const char* stored;
    const char* expected;
  };
  const Case cases[] = {{"Edit2", "Edit2"}, {"Edit1", ""}, {"Edit3", ""}, {"Nothing", ""}};
  for (const Case& c : cases) {
    TempRegistry store;
    RegWriteString(kKey, "ActiveControl", c.stored);
    auto form = MakeForm([](TForm& f, TFormPlacement& p) {
      p.Options = {fpActiveControl};
      for (const char* name : {"Edit1", "Edit2", "Edit3"}) {
        auto* control = new TWinControl(&f);
        control->SetName(name);
        control->SetParent(&f);
        control->SetBounds(0, 0, 50, 20);
      }
      dynamic_cast<TWinControl*>(f.FindComponent("Edit1"))->SetVisible(false);
      dynamic_cast<TWinControl*>(f.FindComponent("Edit3"))->SetEnabled(false);
    });
    form->Show();
    PumpPosted();
    TWinControl* active = form->ActiveControl();
    EXPECT_EQ(active ? active->Name() : "", c.expected) << c.stored;
  }
}

TEST_F(PlacementTest, LinksSaveAndLoadThroughTheOpenStorage) {
  TIniLink link;
  std::vector<std::string> seen;
  link.OnSave = [&](TObject*) {
    seen.push_back("save " + link.GetLinkSection());
    StorageWriteString(link.GetOpenStorage(), link.GetLinkSection() + "TForm.Recent", "Item_0", "a.pl");
  };
  link.OnLoad = [&](TObject*) {
    seen.push_back("load " +
                   StorageReadString(link.GetOpenStorage(), link.GetLinkSection() + "TForm.Recent", "Item_0", "-"));
  };
  EXPECT_EQ(link.GetLinkSection(), "");
  {
    auto form = MakeForm();
    link.AttachToPlacement(placement_);
    form->Show();
    form->Close();
    EXPECT_EQ(link.GetOpenStorage(), nullptr);  // open only while the placement works
  }
  EXPECT_EQ(link.Placement(), nullptr);  // the placement's end detaches it
  auto form = MakeForm();
  link.AttachToPlacement(placement_);
  form->Show();
  EXPECT_EQ(seen, (std::vector<std::string>{"load -", "save Test\\Window Position\\", "load a.pl"}));
  EXPECT_EQ(RegReadString(std::string(kKey) + "\\TForm.Recent", "Item_0", ""), "a.pl");
}

TEST_F(PlacementTest, IniStorageWritesQuotedValuesSoTheyReadBackUnchanged) {
  const std::string file = store_.Folder() + "/placement.ini";
  auto form = MakeForm([&](TForm&, TFormPlacement& p) {
    p.SetUseRegistry(false);
    p.SetIniFileName(file);
  });
  const std::string values[] = {"\"quoted\"", "'single'", "plain", "\"", "\"open", "'mixed\"", ""};
  for (const std::string& value : values) placement_->WriteStorageString("S", "V" + value, value);
  for (const std::string& value : values) EXPECT_EQ(placement_->ReadStorageString("S", "V" + value, "-"), value);
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("V\"quoted\"=\"\"quoted\"\""), std::string::npos) << text.str();
  EXPECT_NE(text.str().find("V'single'=\"'single'\""), std::string::npos) << text.str();
}

TEST_F(PlacementTest, PreventResizeFixesTheSizeAndDropsTheMaximizeIcon) {
  auto form = MakeForm([](TForm&, TFormPlacement& p) { p.SetPreventResize(true); });
  form->Show();
  PumpPosted();
  EXPECT_FALSE(form->BorderIcons().Contains(biMaximize));
  QWidget* window = WidgetOf(form.get());
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_EQ(window->minimumSize(), window->size());
  placement_->SetPreventResize(false);
  EXPECT_TRUE(form->BorderIcons().Contains(biMaximize));
  EXPECT_NE(window->minimumSize(), window->maximumSize());
}

TEST_F(PlacementTest, MinMaxInfoLimitsTheWindow) {
  auto form = MakeForm([](TForm&, TFormPlacement& p) {
    p.MinMaxInfo()->SetMinTrackWidth(350);
    p.MinMaxInfo()->SetMaxTrackHeight(600);
  });
  form->Show();
  PumpPosted();
  // The limits are of the outer frame; the window's own are of its client area inside it.
  QWidget* window = WidgetOf(form.get());
  const int frameWidth = window->frameGeometry().width() - window->width();
  const int frameHeight = window->frameGeometry().height() - window->height();
  EXPECT_EQ(window->minimumWidth(), 350 - frameWidth);
  EXPECT_EQ(window->maximumHeight(), 600 - frameHeight);
}

TEST_F(PlacementTest, TheRegistryRootChoosesTheHive) {
  const std::pair<TPlacementRegRoot, HKEY> cases[] = {
      {prCurrentUser, HKEY_CURRENT_USER},  {prLocalMachine, HKEY_LOCAL_MACHINE}, {prCurrentConfig, HKEY_CURRENT_CONFIG},
      {prClassesRoot, HKEY_CLASSES_ROOT},  {prUsers, HKEY_USERS},               {prDynData, HKEY_DYN_DATA},
  };
  for (const auto& [root, hive] : cases) {
    TempRegistry store;
    auto form = MakeForm([root = root](TForm&, TFormPlacement& p) { p.RegistryRoot = root; });
    form->Show();
    form->Close();
    for (const auto& [otherRoot, otherHive] : cases) {
      TRegistry registry;
      registry.SetRootKey(otherHive);
      EXPECT_EQ(registry.KeyExists(kKey), otherHive == hive) << root << " looked up in " << otherRoot;
    }
  }
}

TEST(DefaultNamesTest, SectionNamesFollowTheComponentsPlace) {
  EnsureApplication();
  class TForm1 : public TForm {
   public:
    using TForm::TForm;
    std::string ClassName() const override { return "TForm1"; }
  };
  TForm1 form(nullptr);
  auto* manager = new TComponent(&form);
  manager->SetName("MRUManager1");
  auto* panel = new TWinControl(&form);
  panel->SetName("Panel1");
  panel->SetParent(&form);
  auto* edit = new TWinControl(&form);
  edit->SetName("Edit1");
  edit->SetParent(panel);
  TWinControl loose(nullptr);
  loose.SetName("Loose");
  auto* child = new TWinControl(&loose);
  child->SetName("Child");
  child->SetParent(&loose);
  TComponent alone(nullptr);
  alone.SetName("Alone");

  EXPECT_EQ(DefaultSectionName(&form), "TForm1");
  EXPECT_EQ(DefaultSectionName(manager), "TForm1.MRUManager1");
  EXPECT_EQ(DefaultSectionName(edit), "TForm1Edit1");
  EXPECT_EQ(DefaultSectionName(child), "LooseChild");
  EXPECT_EQ(DefaultSectionName(&alone), "Alone");
  const std::string program = ChangeFileExt(ExtractFileName(std::filesystem::read_symlink("/proc/self/exe")), "");
  EXPECT_EQ(DefaultIniFileName(), program + ".INI");
  EXPECT_EQ(DefaultRegistryKey(), "Software\\" + program);
}

}  // namespace
