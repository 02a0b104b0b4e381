#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "common/TestApp.h"
#include "common/TestFiles.h"
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

// A text is written back with the line end it was read with (its first one; LF when it has none), and
// a last line without a line end stays without one.
TEST(StringList, StreamsKeepTheLineEndsTheTextCameWith) {
  const struct {
    std::string read;
    std::string lineBreak;
    std::string written;
  } cases[] = {
      {"", "\n", ""},
      {"a", "\n", "a"},
      {"a\nb\n", "\n", "a\nb\n"},
      {"a\nb", "\n", "a\nb"},
      {"a\r\nb\r\n", "\r\n", "a\r\nb\r\n"},
      {"a\r\nb\nc", "\r\n", "a\r\nb\r\nc"},
      {"a\rb\r", "\r", "a\rb\r"},
      {"\n\n", "\n", "\n\n"},
      {"\r\n", "\r\n", "\r\n"},
  };
  for (const auto& c : cases) {
    TStringList list;
    TStringStream in(c.read);
    list.LoadFromStream(&in);
    EXPECT_EQ(list.LineBreak, c.lineBreak) << c.read;
    TStringStream out;
    list.SaveToStream(&out);
    EXPECT_EQ(out.DataString(), c.written) << c.read;
  }
  // A list that never read a text writes this platform's line end after every line.
  TStringList fresh;
  fresh.Add("a");
  fresh.Add("");
  TStringStream out;
  fresh.SaveToStream(&out);
  EXPECT_EQ(out.DataString(), "a\n\n");
}

// Lines longer than the write blocks and many short ones come out whole and in order.
TEST(StringList, SavingWritesEveryLineWhateverItsLength) {
  TStringList list;
  std::string expected;
  for (const size_t length : {size_t{0}, size_t{70000}, size_t{3}, size_t{65535}, size_t{65536}, size_t{1}}) {
    list.Add(std::string(length, static_cast<char>('a' + list.Count())));
    expected += list[list.Count() - 1] + "\n";
  }
  TStringStream out;
  list.SaveToStream(&out);
  EXPECT_EQ(out.DataString(), expected);
}

// Reading a file: a failing read is an error with the system's reason, never an early end of the file,
// and what is not a regular file is refused at once (a pipe would wait for a writer, a device never end).
class FileStreams : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = corvane::test::MakeTempDir("streams"); }
  void TearDown() override {
    SetFileReadFault(nullptr);
    std::filesystem::remove_all(dir_);
  }
  std::string dir_;
};

TEST_F(FileStreams, AReadThatFailsHalfWayFailsTheLoadAndLeavesTheLines) {
  const std::string name = dir_ + "/big.pl";
  std::string text;
  for (int i = 0; text.size() < 200000; ++i) text += "print " + std::to_string(i) + ";\n";
  corvane::test::WriteFile(name, text);
  SetFileReadFault([&](const std::string& file, std::int64_t position) { return file == name && position >= 65536 ? EIO : 0; });
  TStringList list;
  list.Add("kept");
  TFileStream stream(name, fmOpenRead);
  try {
    list.LoadFromStream(&stream);
    FAIL() << "the load went on after a failed read";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message, "Cannot read file \"" + name + "\". Input/output error");
  }
  EXPECT_EQ(list.Text(), "kept\r\n");

  SetFileReadFault(nullptr);
  TFileStream again(name, fmOpenRead);
  list.LoadFromStream(&again);
  EXPECT_EQ(list.Count(), static_cast<int>(std::count(text.begin(), text.end(), '\n')));
}

// A stream that ends before the size it reported (a file cut short while it is read).
class ShrinkingStream : public TStringStream {
 public:
  using TStringStream::TStringStream;
  std::int64_t Read(void* Buffer, std::int64_t Count) override {
    return TStringStream::Read(Buffer, std::min<std::int64_t>(Count, Size() / 2 - Position()));
  }
};

TEST_F(FileStreams, AStreamThatEndsBeforeItsSizeIsAReadError) {
  ShrinkingStream stream("line 1\nline 2\nline 3\n");
  TStringList list;
  EXPECT_THROW(list.LoadFromStream(&stream), EReadError);
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(FileStreams, WhatIsNotARegularFileIsRefusedAtOnce) {
  const std::string fifo = dir_ + "/pipe";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& name : {fifo, std::string("/dev/zero"), dir_}) {
    try {
      TFileStream stream(name, fmOpenRead);
      ADD_FAILURE() << name << " was opened";
    } catch (const EFRefusedError& e) {
      EXPECT_EQ(e.Message.rfind("Cannot open file \"" + name + "\". ", 0), 0u) << e.Message;
    }
  }
  EXPECT_THROW(TFileStream(dir_ + "/missing", fmOpenRead), EFOpenError);
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
