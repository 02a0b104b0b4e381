#include "vcl/Classes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "win/FileNames.h"
#include "win/CodePage.h"

// ---------------------------------------------------------------------------------------------------
// TPersistent

void TPersistent::Assign(TPersistent* Source) {
  if (Source != nullptr) {
    Source->AssignTo(this);
    return;
  }
  AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* Source) {
  const std::string sourceName = Source ? Source->ClassName() : std::string("nil");
  throw EConvertError("Cannot assign a " + sourceName + " to a " + ClassName());
}

// ---------------------------------------------------------------------------------------------------
// TComponent

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  // Tell every linked component first, so none keeps a dangling reference while the owned ones go.
  while (!freeNotifies_.empty()) {
    TComponent* other = freeNotifies_.back();
    freeNotifies_.pop_back();
    auto& back = other->freeNotifies_;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::SetName(const std::string& NewName) { name_ = NewName; }

TComponent* TComponent::FindComponent(const std::string& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameText(c->Name(), AName)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (AComponent->owner_) AComponent->owner_->RemoveComponent(AComponent);
  components_.push_back(AComponent);
  AComponent->owner_ = this;
  NotifyAll(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  auto it = std::find(components_.begin(), components_.end(), AComponent);
  if (it == components_.end()) return;
  NotifyAll(AComponent, opRemove);
  components_.erase(std::find(components_.begin(), components_.end(), AComponent));
  AComponent->owner_ = nullptr;
}

void TComponent::NotifyAll(TComponent* AComponent, TOperation Operation) {
  // A copy: a handler may add or remove components while it is told.
  const std::vector<TComponent*> snapshot = components_;
  for (TComponent* c : snapshot)
    if (c != AComponent) c->Notification(AComponent, Operation);
  Notification(AComponent, Operation);
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* last = components_.back();
    components_.pop_back();
    last->owner_ = nullptr;
    Notification(last, opRemove);
    delete last;
  }
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (AComponent == nullptr || AComponent == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent) == freeNotifies_.end())
    freeNotifies_.push_back(AComponent);
  if (std::find(AComponent->freeNotifies_.begin(), AComponent->freeNotifies_.end(), this) ==
      AComponent->freeNotifies_.end())
    AComponent->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (AComponent == nullptr) return;
  auto drop = [](std::vector<TComponent*>& list, TComponent* c) {
    list.erase(std::remove(list.begin(), list.end(), c), list.end());
  };
  drop(freeNotifies_, AComponent);
  drop(AComponent->freeNotifies_, this);
}

void TComponent::Notification(TComponent* /*AComponent*/, TOperation /*Operation*/) {}

void TComponent::Loaded() { state_.Exclude(TComponentStateItem::csLoading); }

void TComponent::BeginLoading() {
  state_.Include(TComponentStateItem::csLoading);
  for (TComponent* c : components_) c->BeginLoading();
}

void TComponent::EndLoading() {
  const std::vector<TComponent*> snapshot = components_;
  for (TComponent* c : snapshot) c->EndLoading();
  if (IsLoading()) Loaded();
}

void TComponent::Destroying() {
  if (IsDestroying()) return;
  state_.Include(TComponentStateItem::csDestroying);
  for (TComponent* c : components_) c->Destroying();
}

void TComponent::SetComponentState(TComponentStateItem item, bool on) {
  if (on)
    state_.Include(item);
  else
    state_.Exclude(item);
}

// ---------------------------------------------------------------------------------------------------
// Streams

std::int64_t TStream::Size() {
  const std::int64_t here = Seek(0, soCurrent);
  const std::int64_t end = Seek(0, soEnd);
  Seek(here, soBeginning);
  return end;
}

void TStream::ReadBuffer(void* Buffer, std::int64_t Count) {
  if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, std::int64_t Count) {
  if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

std::string TStream::ReadRemaining() {
  std::string out;
  const std::int64_t size = Size();
  const std::int64_t here = Position();
  if (size > here) out.reserve(static_cast<size_t>(size - here));
  char chunk[65536];
  for (;;) {
    const std::int64_t got = Read(chunk, sizeof chunk);
    if (got <= 0) break;
    out.append(chunk, static_cast<size_t>(got));
  }
  // Fewer bytes than the stream holds: it shrank while it was read, and the text would be cut short.
  if (size > here && static_cast<std::int64_t>(out.size()) < size - here) ShrankWhileRead();
  return out;
}

void TStream::ShrankWhileRead() { throw EReadError("Stream read error"); }

std::int64_t TMemoryStream::Read(void* Buffer, std::int64_t Count) {
  const std::int64_t available = Size() - position_;
  const std::int64_t n = std::max<std::int64_t>(0, std::min(Count, available));
  if (n > 0) std::memcpy(Buffer, data_.data() + position_, static_cast<size_t>(n));
  position_ += n;
  return n;
}

std::int64_t TMemoryStream::Write(const void* Buffer, std::int64_t Count) {
  if (Count <= 0) return 0;
  const size_t end = static_cast<size_t>(position_ + Count);
  if (end > data_.size()) data_.resize(end);
  std::memcpy(data_.data() + position_, Buffer, static_cast<size_t>(Count));
  position_ += Count;
  return Count;
}

std::int64_t TMemoryStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  const std::int64_t base = Origin == soBeginning ? 0 : (Origin == soCurrent ? position_ : Size());
  position_ = std::max<std::int64_t>(0, base + Offset);
  return position_;
}

void TMemoryStream::Clear() {
  data_.clear();
  position_ = 0;
}

namespace {

TFileReadFault& ReadFault() {
  static TFileReadFault fault;
  return fault;
}

}  // namespace

void SetFileReadFault(TFileReadFault Fault) { ReadFault() = std::move(Fault); }

TFileStream::TFileStream(const std::string& FileName, unsigned Mode) : fileName_(FileName) {
  if (Mode == fmCreate) {
    fd_ = ::open(FileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) throw EFCreateError("Cannot create file \"" + FileNameToText(FileName) + "\". " + std::strerror(errno));
    return;
  }
  const auto refuse = [&](const std::string& reason) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    throw EFRefusedError("Cannot open file \"" + FileNameToText(FileName) + "\". " + reason);
  };
  const int access = (Mode & 3) == fmOpenWrite ? O_WRONLY : ((Mode & 3) == fmOpenReadWrite ? O_RDWR : O_RDONLY);
  // Without O_NONBLOCK opening a pipe waits for a writer, before there is anything to refuse.
  fd_ = ::open(FileName.c_str(), access | O_CLOEXEC | O_NONBLOCK);
  if (fd_ < 0) throw EFOpenError("Cannot open file \"" + FileNameToText(FileName) + "\". " + std::strerror(errno));
  struct stat info {};
  if (::fstat(fd_, &info) != 0) refuse(std::strerror(errno));
  if (S_ISDIR(info.st_mode)) refuse(std::strerror(EISDIR));
  if (!S_ISREG(info.st_mode)) refuse("It is not a regular file");
  ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
}

TFileStream::~TFileStream() {
  if (fd_ >= 0) ::close(fd_);
}

std::int64_t TFileStream::Read(void* Buffer, std::int64_t Count) {
  std::int64_t total = 0;
  while (total < Count) {
    ssize_t got = 0;
    if (const int fault = ReadFault() ? ReadFault()(fileName_, ::lseek(fd_, 0, SEEK_CUR)) : 0) {
      errno = fault;
      got = -1;
    } else {
      got = ::read(fd_, static_cast<char*>(Buffer) + total, static_cast<size_t>(Count - total));
    }
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw EReadError("Cannot read file \"" + fileName_ + "\". " + std::strerror(errno));
    if (got == 0) break;
    total += got;
  }
  return total;
}

void TFileStream::ShrankWhileRead() {
  throw EReadError("Cannot read file \"" + fileName_ + "\". It became shorter while it was read");
}

std::int64_t TFileStream::Write(const void* Buffer, std::int64_t Count) {
  std::int64_t total = 0;
  while (total < Count) {
    const ssize_t put = ::write(fd_, static_cast<const char*>(Buffer) + total, static_cast<size_t>(Count - total));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) break;
    total += put;
  }
  return total;
}

std::int64_t TFileStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  const int whence = Origin == soBeginning ? SEEK_SET : (Origin == soCurrent ? SEEK_CUR : SEEK_END);
  return ::lseek(fd_, Offset, whence);
}

bool TFileStream::Flush() { return ::fsync(fd_) == 0; }

// ---------------------------------------------------------------------------------------------------
// TStrings

void TStrings::Error(const std::string& Message, int Data) const {
  throw EStringListError(Format(Message.c_str(), Data));
}

void TStrings::Put(int Index, const std::string& S) {
  TObject* object = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, object);
}

TObject* TStrings::GetObject(int /*Index*/) const { return nullptr; }
void TStrings::PutObject(int /*Index*/, TObject* /*AObject*/) {}

int TStrings::Add(const std::string& S) {
  const int at = Count();
  Insert(at, S);
  return at;
}

int TStrings::AddObject(const std::string& S, TObject* AObject) {
  const int at = Add(S);
  PutObject(at, AObject);
  return at;
}

void TStrings::InsertObject(int Index, const std::string& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TStrings::AddStrings(TStrings* Strings) {
  const TStringsUpdate update(*this);
  for (int i = 0; i < Strings->Count(); ++i) AddObject(Strings->Get(i), Strings->GetObject(i));
}

void TStrings::Exchange(int Index1, int Index2) {
  const TStringsUpdate update(*this);
  const std::string s1 = Get(Index1);
  TObject* o1 = GetObject(Index1);
  Put(Index1, Get(Index2));
  PutObject(Index1, GetObject(Index2));
  Put(Index2, s1);
  PutObject(Index2, o1);
}

void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  const TStringsUpdate update(*this);
  const std::string s = Get(CurIndex);
  TObject* o = GetObject(CurIndex);
  Delete(CurIndex);
  InsertObject(NewIndex, s, o);
}

int TStrings::IndexOf(const std::string& S) const {
  for (int i = 0; i < Count(); ++i)
    if (CompareText(Get(i), S) == 0) return i;
  return -1;
}

int TStrings::IndexOfObject(TObject* AObject) const {
  for (int i = 0; i < Count(); ++i)
    if (GetObject(i) == AObject) return i;
  return -1;
}

int TStrings::IndexOfName(const std::string& Name) const {
  for (int i = 0; i < Count(); ++i) {
    const std::string s = Get(i);
    const size_t eq = s.find('=');
    if (eq != std::string::npos && CompareText(s.substr(0, eq), Name) == 0) return i;
  }
  return -1;
}

void TStrings::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TStrings*>(Source)) {
    const TStringsUpdate update(*this);
    Clear();
    AddStrings(other);
    return;
  }
  TPersistent::Assign(Source);
}

std::string TStrings::GetText() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    out += Get(i);
    out += "\r\n";
  }
  return out;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  const size_t n = text.size();
  size_t i = 0;
  while (i < n) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.emplace_back(text, start, i - start);
      if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
      start = ++i;
    } else {
      ++i;
    }
  }
  if (start < n) lines.emplace_back(text, start, n - start);
  return lines;
}

void TStrings::SetText(const std::string& Text) {
  const TStringsUpdate update(*this);
  Clear();
  for (const std::string& line : SplitLines(Text)) Add(line);
}

std::string TStrings::CommaText() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    const std::string s = Get(i);
    if (i > 0) out += ',';
    const bool quote = s.empty() || s.find_first_of(" ,\"") != std::string::npos ||
                       std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < ' '; });
    if (!quote) {
      out += s;
      continue;
    }
    out += '"';
    for (char c : s) {
      if (c == '"') out += '"';
      out += c;
    }
    out += '"';
  }
  return out;
}

void TStrings::SetCommaText(const std::string& Value) {
  const TStringsUpdate update(*this);
  Clear();
  size_t i = 0;
  const size_t n = Value.size();
  auto skipBlanks = [&] {
    while (i < n && static_cast<unsigned char>(Value[i]) <= ' ') ++i;
  };
  skipBlanks();
  while (i < n) {
    std::string item;
    if (Value[i] == '"') {
      ++i;
      while (i < n) {
        if (Value[i] == '"') {
          if (i + 1 < n && Value[i + 1] == '"') {
            item += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        item += Value[i++];
      }
    } else {
      while (i < n && Value[i] != ',' && static_cast<unsigned char>(Value[i]) > ' ') item += Value[i++];
    }
    Add(item);
    skipBlanks();
    if (i < n && Value[i] == ',') {
      ++i;
      skipBlanks();
    }
  }
}

std::string TStrings::Names(int Index) const {
  const std::string s = Get(Index);
  const size_t eq = s.find('=');
  return eq == std::string::npos ? std::string() : s.substr(0, eq);
}

std::string TStrings::Values(const std::string& Name) const {
  const int i = IndexOfName(Name);
  if (i < 0) return std::string();
  const std::string s = Get(i);
  return s.substr(s.find('=') + 1);
}

void TStrings::SetValue(const std::string& Name, const std::string& Value) {
  const int i = IndexOfName(Name);
  if (Value.empty()) {
    if (i >= 0) Delete(i);
    return;
  }
  if (i >= 0)
    Put(i, Name + "=" + Value);
  else
    Add(Name + "=" + Value);
}

void TStrings::BeginUpdate() {
  // The state changes while the count is still 0, so the list's OnChanging fires once for the whole update.
  if (updateCount_ == 0) SetUpdateState(true);
  ++updateCount_;
}

void TStrings::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool /*Updating*/) {}

void TStrings::TakeLineBreaksFrom(std::string_view Text) {
  const size_t end = Text.find_first_of("\r\n");
  if (end == std::string_view::npos)
    LineBreak = "\n";
  else if (Text[end] == '\r' && end + 1 < Text.size() && Text[end + 1] == '\n')
    LineBreak = "\r\n";
  else
    LineBreak = std::string(1, Text[end]);
  TrailingLineBreak = !Text.empty() && (Text.back() == '\n' || Text.back() == '\r');
}

void TStrings::LoadFromStream(TStream* Stream) {
  // Read first: a stream that fails leaves the lines as they were.
  const std::string text = Stream->ReadRemaining();
  TakeLineBreaksFrom(text);
  SetText(text);
}

void TStrings::SaveToStream(TStream* Stream) const {
  // Lines go out in blocks of about this size: a big text is never copied whole, and a file gets few
  // writes.
  constexpr size_t kBlock = 1 << 16;
  std::string block;
  block.reserve(kBlock + LineBreak.size());
  const auto flush = [&] {
    Stream->WriteBuffer(block.data(), static_cast<std::int64_t>(block.size()));
    block.clear();
  };
  if (Encoding == teUtf8 && ByteOrderMark) block = "\xEF\xBB\xBF";
  const int count = Count();
  for (int i = 0; i < count; ++i) {
    std::string line = Get(i);
    if (Encoding == teUtf8 && !IsAscii(line)) line = AnsiToUtf8(line);
    if (block.size() + line.size() > kBlock) flush();
    if (line.size() > kBlock)
      Stream->WriteBuffer(line.data(), static_cast<std::int64_t>(line.size()));
    else
      block += line;
    if (i + 1 < count || TrailingLineBreak) block += LineBreak;
  }
  flush();
}

void TStrings::LoadFromFile(const std::string& FileName) {
  TFileStream stream(FileName, fmOpenRead);
  LoadFromStream(&stream);
}

void TStrings::SaveToFile(const std::string& FileName) const {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream);
}

// ---------------------------------------------------------------------------------------------------
// TStringList

TStringList::~TStringList() { FreeAllObjects(); }

void TStringList::FreeObject(TObject* object) {
  if (OwnsObjects) delete object;
}

void TStringList::FreeAllObjects() {
  if (!OwnsObjects) return;
  for (size_t i = 0; i < store_.Size(); ++i) delete store_.Object(i);
}

void TStringList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count()) Error("List index out of bounds (%d)", Index);
}

std::string TStringList::Get(int Index) const { return std::string(GetRef(Index)); }

std::string_view TStringList::GetRef(int Index) const {
  CheckIndex(Index);
  return store_.Text(static_cast<size_t>(Index));
}

void TStringList::Put(int Index, const std::string& S) {
  if (sorted_) Error("Operation not allowed on sorted list", 0);
  CheckIndex(Index);
  Changing();
  store_.SetText(static_cast<size_t>(Index), S);
  Changed();
}

TObject* TStringList::GetObject(int Index) const {
  CheckIndex(Index);
  return store_.Object(static_cast<size_t>(Index));
}

void TStringList::PutObject(int Index, TObject* AObject) {
  CheckIndex(Index);
  Changing();
  store_.SetObject(static_cast<size_t>(Index), AObject);
  Changed();
}

int TStringList::Add(const std::string& S) { return AddObject(S, nullptr); }

int TStringList::AddObject(const std::string& S, TObject* AObject) {
  int at = Count();
  if (sorted_ && Find(S, at)) {
    if (Duplicates == dupIgnore) return at;
    if (Duplicates == dupError) Error("String list does not allow duplicates", 0);
  }
  InsertItem(at, S, AObject);
  return at;
}

void TStringList::Insert(int Index, const std::string& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(int Index, const std::string& S, TObject* AObject) {
  if (sorted_) Error("Operation not allowed on sorted list", 0);
  if (Index < 0 || Index > Count()) Error("List index out of bounds (%d)", Index);
  InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(int Index, const std::string& S, TObject* AObject) {
  Changing();
  store_.Insert(static_cast<size_t>(Index), S, AObject);
  Changed();
}

int TStringList::InsertLines(int Index, std::string_view Text) {
  if (sorted_) Error("Operation not allowed on sorted list", 0);
  if (Index < 0 || Index > Count()) Error("List index out of bounds (%d)", Index);
  Changing();
  const auto count = static_cast<int>(store_.InsertText(static_cast<size_t>(Index), Text));
  Changed();
  return count;
}

void TStringList::DeleteLines(int Index, int Number) {
  if (Number <= 0) return;
  CheckIndex(Index);
  CheckIndex(Index + Number - 1);
  Changing();
  for (int i = Index; i < Index + Number; ++i) FreeObject(store_.Object(static_cast<size_t>(i)));
  store_.EraseRange(static_cast<size_t>(Index), static_cast<size_t>(Number));
  Changed();
}

void TStringList::Delete(int Index) {
  CheckIndex(Index);
  Changing();
  TObject* object = store_.Object(static_cast<size_t>(Index));
  store_.Erase(static_cast<size_t>(Index));
  FreeObject(object);
  Changed();
}

void TStringList::Clear() {
  if (Count() == 0) return;
  Changing();
  FreeAllObjects();
  store_.Clear();
  Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
  if (sorted_) Error("Operation not allowed on sorted list", 0);
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  store_.Swap(static_cast<size_t>(Index1), static_cast<size_t>(Index2));
  Changed();
}

int TStringList::IndexOf(const std::string& S) const {
  if (!sorted_) {
    for (int i = 0; i < Count(); ++i)
      if (CompareStrings(store_.Text(static_cast<size_t>(i)), S) == 0) return i;
    return -1;
  }
  int at = 0;
  return Find(S, at) ? at : -1;
}

void TStringList::SetText(const std::string& Text) {
  const TStringsUpdate update(*this);
  if (sorted_) {
    Clear();
    for (const std::string& line : SplitLines(Text)) AddObject(line, nullptr);
  } else {
    // One pass into one block of storage: loading a big file costs a few bytes a line beyond its text.
    Changing();
    FreeAllObjects();
    store_.AssignText(Text);
    Changed();
  }
}

void TStringList::SetText(TTextBuffer&& Text) {
  if (sorted_) {
    SetText(std::string(Text.View()));
    return;
  }
  const TStringsUpdate update(*this);
  Changing();
  FreeAllObjects();
  store_.AssignText(std::move(Text));
  Changed();
}

int TStringList::CompareStrings(std::string_view a, std::string_view b) const {
  if (caseSensitive_) return a < b ? -1 : (a == b ? 0 : 1);
  return CompareText(a, b);
}

bool TStringList::Find(const std::string& S, int& Index) const {
  int low = 0;
  int high = Count() - 1;
  bool found = false;
  while (low <= high) {
    const int mid = (low + high) / 2;
    const int c = CompareStrings(store_.Text(static_cast<size_t>(mid)), S);
    if (c < 0) {
      low = mid + 1;
    } else {
      high = mid - 1;
      if (c == 0) {
        found = true;
        if (Duplicates != dupAccept) low = mid;
      }
    }
  }
  Index = low;
  return found;
}

void TStringList::Sort() {
  if (Count() < 2) return;
  std::vector<size_t> order(store_.Size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  Changing();
  std::stable_sort(order.begin(), order.end(),
                   [this](size_t a, size_t b) { return CompareStrings(store_.Text(a), store_.Text(b)) < 0; });
  store_.Permute(order);
  Changed();
}

void TStringList::CustomSort(TStringListSortCompare Compare) {
  if (Count() < 2) return;
  Changing();
  // Sort a permutation so the comparer sees the list as it was, by index.
  std::vector<size_t> order(store_.Size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return Compare(this, static_cast<int>(a), static_cast<int>(b)) < 0; });
  store_.Permute(order);
  Changed();
}

void TStringList::SetSorted(bool Value) {
  if (sorted_ == Value) return;
  if (Value) Sort();
  sorted_ = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (caseSensitive_ == Value) return;
  caseSensitive_ = Value;
  if (sorted_) Sort();
}

void TStringList::Changed() {
  if (UpdateCount() == 0) Fire(OnChange, this);
}

void TStringList::Changing() {
  if (UpdateCount() == 0) Fire(OnChanging, this);
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating)
    Changing();
  else
    Changed();
}
