#include <gtest/gtest.h>

#include "vcl/Classes.h"
#include "vcl/Events.h"

namespace {

struct SplitCase {
  const char* text;
  std::vector<std::string> lines;
};

class TextSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(TextSplit, CutsAtEveryKindOfLineEnd) {
  TStringList list;
  list.SetText(GetParam().text);
  ASSERT_EQ(list.Count(), static_cast<int>(GetParam().lines.size()));
  for (int i = 0; i < list.Count(); ++i) EXPECT_EQ(list[i], GetParam().lines[static_cast<size_t>(i)]);
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, TextSplit,
    ::testing::Values(SplitCase{"", {}}, SplitCase{"a", {"a"}}, SplitCase{"a\r\nb\r\n", {"a", "b"}},
                      SplitCase{"a\rb\nc\r\n\r\nd", {"a", "b", "c", "", "d"}}, SplitCase{"\n", {""}},
                      SplitCase{"a\r\r\nb", {"a", "", "b"}}));

TEST(StringList, TextRoundTripKeepsNulAndHighBytes) {
  const std::string line("x\0y\xE9\xFF", 5);
  TStringList list;
  list.Add(line);
  list.Add("");
  TStringList copy;
  copy.SetText(list.Text());
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_EQ(copy[0], line);
  EXPECT_EQ(list.Text(), line + "\r\n\r\n");
}

TEST(StringList, UpdateBracketFiresChangeEventsOnce) {
  TStringList list;
  int changing = 0, changed = 0;
  list.OnChanging = [&](TObject*) { ++changing; };
  list.OnChange = [&](TObject*) { ++changed; };
  list.BeginUpdate();
  list.Add("a");
  list.BeginUpdate();
  list.Add("b");
  list.EndUpdate();
  EXPECT_EQ(changed, 0);
  list.EndUpdate();
  EXPECT_EQ(changing, 1);
  EXPECT_EQ(changed, 1);
  list.Delete(0);
  EXPECT_EQ(changing, 2);
  EXPECT_EQ(changed, 2);
}

// A stream whose read fails half-way, as a file on a vanishing disk does.
class FailingStream : public TMemoryStream {
 public:
  std::int64_t Read(void*, std::int64_t) override { throw EReadError("Stream read error"); }
};

TEST(StringList, FailuresInsideAnUpdateLeaveTheListAsItWasAndNotUpdating) {
  TStringList list;
  list.Add("kept");
  FailingStream stream;
  EXPECT_THROW(list.LoadFromStream(&stream), EReadError);
  EXPECT_EQ(list.Text(), "kept\r\n");
  EXPECT_EQ(list.UpdateCount(), 0);

  TStringList sorted;
  sorted.SetSorted(true);
  sorted.Duplicates = dupError;
  TStringList source;
  source.SetText("b\na\nb\n");
  EXPECT_THROW(sorted.AddStrings(&source), EStringListError);
  EXPECT_EQ(sorted.UpdateCount(), 0);
  int changes = 0;
  sorted.OnChange = [&](TObject*) { ++changes; };
  sorted.Add("c");
  EXPECT_EQ(changes, 1);
}

TEST(StringList, SortedListFindsAndHandlesDuplicates) {
  TStringList list;
  list.SetSorted(true);
  for (const char* s : {"delta", "Alpha", "charlie", "bravo"}) list.Add(s);
  EXPECT_EQ(list.CommaText(), "Alpha,bravo,charlie,delta");
  int at = -1;
  EXPECT_TRUE(list.Find("CHARLIE", at));
  EXPECT_EQ(at, 2);
  list.Add("alpha");  // ignored: the list compares without case
  EXPECT_EQ(list.Count(), 4);
  list.Duplicates = dupError;
  EXPECT_THROW(list.Add("BRAVO"), EStringListError);
  EXPECT_THROW(list.Insert(0, "x"), EStringListError);
}

TEST(StringList, BadIndexIsAnError) {
  TStringList list;
  EXPECT_THROW(list.Get(0), EStringListError);
  list.Add("a");
  EXPECT_THROW(list.Delete(1), EStringListError);
  EXPECT_THROW(list.Insert(2, "b"), EStringListError);
}

TEST(StringList, CommaTextQuotesWhatNeedsIt) {
  TStringList list;
  list.SetCommaText(R"(one, "two words" ,"say ""hi""",,last)");
  ASSERT_EQ(list.Count(), 5);
  EXPECT_EQ(list[1], "two words");
  EXPECT_EQ(list[2], "say \"hi\"");
  EXPECT_EQ(list[3], "");
  EXPECT_EQ(list.CommaText(), R"(one,"two words","say ""hi""","",last)");
}

TEST(StringList, NameValuePairs) {
  TStringList list;
  list.SetValue("HTTP_HOST", "localhost");
  list.SetValue("PATH", "/bin");
  list.SetValue("http_host", "example");
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Values("HTTP_HOST"), "example");
  list.SetValue("PATH", "");
  EXPECT_EQ(list.Count(), 1);
}

class Probe : public TComponent {
 public:
  Probe(TComponent* owner, std::vector<std::string>* log, std::string name) : TComponent(owner), log_(log) {
    SetName(std::move(name));
  }
  ~Probe() override { log_->push_back("free " + Name()); }
  TComponent* linked = nullptr;

 protected:
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (op == opRemove && c == linked) {
      log_->push_back(Name() + " lost " + c->Name());
      linked = nullptr;
    }
  }
  void Loaded() override {
    TComponent::Loaded();
    log_->push_back("loaded " + Name());
  }

 private:
  std::vector<std::string>* log_;
};

TEST(Component, OwnerFreesOwnedAndFreeNotificationClearsLinks) {
  std::vector<std::string> log;
  auto owner = std::make_unique<TComponent>(nullptr);
  auto* a = new Probe(owner.get(), &log, "a");
  auto* b = new Probe(owner.get(), &log, "b");
  auto outsider = std::make_unique<Probe>(nullptr, &log, "outsider");
  outsider->linked = a;
  a->FreeNotification(outsider.get());
  EXPECT_EQ(owner->FindComponent("B"), b);
  owner->BeginLoading();
  owner->EndLoading();
  EXPECT_FALSE(a->IsLoading());
  delete a;
  EXPECT_EQ(outsider->linked, nullptr);
  EXPECT_EQ(owner->ComponentCount(), 1);
  owner.reset();
  EXPECT_EQ(log, (std::vector<std::string>{"loaded a", "loaded b", "free a", "outsider lost a", "free b"}));
}

TEST(Persistent, AssignOfUnrelatedClassesIsAConvertError) {
  TStringList list;
  TComponent component(nullptr);
  try {
    list.Assign(&component);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TComponent to a TStringList");
  }
}

struct Target {
  int calls = 0;
  void Hit(TObject*) { ++calls; }
  void Other(TObject*) {}
};

TEST(Event, EqualWhenObjectAndMethodAreEqual) {
  Target t1, t2;
  const TNotifyEvent a(&t1, &Target::Hit);
  EXPECT_EQ(a, TNotifyEvent(&t1, &Target::Hit));
  EXPECT_FALSE(a == TNotifyEvent(&t2, &Target::Hit));
  EXPECT_FALSE(a == TNotifyEvent(&t1, &Target::Other));
  EXPECT_FALSE(a == TNotifyEvent());
  EXPECT_EQ(TNotifyEvent(), TNotifyEvent(nullptr));
  const TNotifyEvent lambda = [](TObject*) {};
  EXPECT_FALSE(lambda == TNotifyEvent([](TObject*) {}));
  a(nullptr);
  Fire(TNotifyEvent(), nullptr);
  EXPECT_EQ(t1.calls, 1);
}

}  // namespace
