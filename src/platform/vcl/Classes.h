#pragma once
// The component model and the string lists and streams of the class library.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "vcl/Events.h"
#include "vcl/LineStore.h"
#include "vcl/Sets.h"
#include "vcl/SysUtils.h"
#include "vcl/Types.h"

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
  // The class name as the class library reports it (used in the "Cannot assign" message).
  virtual std::string ClassName() const { return "TObject"; }
};

class TPersistent : public TObject {
 public:
  // Copies Source into this object; the base asks Source to AssignTo this and fails when nobody can.
  virtual void Assign(TPersistent* Source);
  std::string ClassName() const override { return "TPersistent"; }

 protected:
  virtual void AssignTo(TPersistent* Dest);
  [[noreturn]] void AssignError(TPersistent* Source);
};

enum class TComponentStateItem { csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor, csUpdating };
using TComponentState = TSet<TComponentStateItem>;
enum TOperation { opInsert, opRemove };

// A component belongs to its owner, which frees it; free notification tells linked components that it goes.
class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  std::string ClassName() const override { return "TComponent"; }

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  virtual void SetName(const std::string& NewName);
  int Tag = 0;

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int Index) const { return components_.at(static_cast<size_t>(Index)); }
  TComponent* FindComponent(const std::string& AName) const;
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  void DestroyComponents();

  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  TComponentState ComponentState() const { return state_; }
  bool IsLoading() const { return state_.Contains(TComponentStateItem::csLoading); }
  bool IsDestroying() const { return state_.Contains(TComponentStateItem::csDestroying); }
  bool IsDesigning() const { return state_.Contains(TComponentStateItem::csDesigning); }

  // Marks this component and everything it owns as being built; EndLoading runs Loaded on each.
  void BeginLoading();
  void EndLoading();

 protected:
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  virtual void Loaded();
  void Destroying();  // raises csDestroying on this and the owned components
  void SetComponentState(TComponentStateItem item, bool on);

 private:
  void NotifyAll(TComponent* AComponent, TOperation Operation);
  TComponent* owner_ = nullptr;
  std::string name_;
  std::vector<TComponent*> components_;       // owned
  std::vector<TComponent*> freeNotifies_;     // not owned: told when this one goes
  TComponentState state_;
};

// ---------------------------------------------------------------------------------------------------
// Streams

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
 public:
  virtual std::int64_t Read(void* Buffer, std::int64_t Count) = 0;
  virtual std::int64_t Write(const void* Buffer, std::int64_t Count) = 0;
  virtual std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) = 0;
  std::int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(std::int64_t Pos) { Seek(Pos, soBeginning); }
  virtual std::int64_t Size();
  void ReadBuffer(void* Buffer, std::int64_t Count);         // EReadError "Stream read error" when short
  void WriteBuffer(const void* Buffer, std::int64_t Count);  // EWriteError "Stream write error" when short
  // The bytes from the current position to the end.
  std::string ReadRemaining();
  // Raises the EReadError of a read that got fewer bytes than the stream held when it began.
  [[noreturn]] virtual void ShrankWhileRead();
  std::string ClassName() const override { return "TStream"; }
};

class TMemoryStream : public TStream {
 public:
  std::int64_t Read(void* Buffer, std::int64_t Count) override;
  std::int64_t Write(const void* Buffer, std::int64_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }
  const std::string& Data() const { return data_; }
  void Clear();
  std::string ClassName() const override { return "TMemoryStream"; }

 protected:
  std::string data_;
  std::int64_t position_ = 0;
};

class TStringStream : public TMemoryStream {
 public:
  explicit TStringStream(std::string text = std::string()) { data_ = std::move(text); }
  const std::string& DataString() const { return data_; }
  std::string ClassName() const override { return "TStringStream"; }
};

inline constexpr unsigned fmCreate = 0xFFFF;
inline constexpr unsigned fmOpenRead = 0x0000;
inline constexpr unsigned fmOpenWrite = 0x0001;
inline constexpr unsigned fmOpenReadWrite = 0x0002;

class TFileStream : public TStream {
 public:
  // EFOpenError "Cannot open file "%s". <reason>" or EFCreateError "Cannot create file "%s". <reason>".
  // An existing file is opened only when it is a regular one: a folder, a pipe or a device is refused
  // at once instead of blocking or never ending.
  TFileStream(const std::string& FileName, unsigned Mode);
  ~TFileStream() override;
  // A failed read raises EReadError "Cannot read file "%s". <reason>"; only the end of the file reads 0.
  std::int64_t Read(void* Buffer, std::int64_t Count) override;
  std::int64_t Write(const void* Buffer, std::int64_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  // "Cannot read file "%s". It became shorter while it was read"
  [[noreturn]] void ShrankWhileRead() override;
  const std::string& FileName() const { return fileName_; }
  // Flushes written data to the disk; false when the system reports a failure.
  bool Flush();
  std::string ClassName() const override { return "TFileStream"; }

 private:
  std::string fileName_;
  int fd_ = -1;
};

// For tests: lets file-stream reads fail as a failing disk makes them. The function gets the file's name
// and the position of the read and returns the error number to fail with, or 0 to read normally.
using TFileReadFault = std::function<int(const std::string& FileName, std::int64_t Position)>;
void SetFileReadFault(TFileReadFault Fault);

// ---------------------------------------------------------------------------------------------------
// String lists

// How a file's text is written: the code page's bytes as they are, or UTF-8.
enum TTextEncoding { teCodePage, teUtf8 };

class TStrings : public TPersistent {
 public:
  virtual int Count() const = 0;
  virtual std::string Get(int Index) const = 0;
  virtual void Put(int Index, const std::string& S);
  virtual TObject* GetObject(int Index) const;
  virtual void PutObject(int Index, TObject* AObject);
  std::string Strings(int Index) const { return Get(Index); }
  std::string operator[](int Index) const { return Get(Index); }
  TObject* Objects(int Index) const { return GetObject(Index); }

  virtual int Add(const std::string& S);
  virtual int AddObject(const std::string& S, TObject* AObject);
  virtual void Insert(int Index, const std::string& S) = 0;
  virtual void InsertObject(int Index, const std::string& S, TObject* AObject);
  virtual void Delete(int Index) = 0;
  virtual void Clear() = 0;
  virtual void AddStrings(TStrings* Strings);
  virtual void Exchange(int Index1, int Index2);
  virtual void Move(int CurIndex, int NewIndex);
  virtual int IndexOf(const std::string& S) const;  // case-insensitive, as the class library compares
  int IndexOfObject(TObject* AObject) const;
  int IndexOfName(const std::string& Name) const;
  void Append(const std::string& S) { Add(S); }
  void Assign(TPersistent* Source) override;

  // Lines joined with CR LF after each one; setting it cuts at CR LF, LF or CR.
  virtual std::string GetText() const;
  virtual void SetText(const std::string& Text);
  std::string Text() const { return GetText(); }
  // Items joined by commas, items with blanks, commas or quotes in double quotes.
  std::string CommaText() const;
  void SetCommaText(const std::string& Value);

  // "Name=Value" items.
  std::string Names(int Index) const;
  std::string Values(const std::string& Name) const;
  void SetValue(const std::string& Name, const std::string& Value);

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  // What SaveToStream writes after each line, and whether the last line gets it too. Reading a stream
  // sets both from the text read (its first line end decides, LF when it has none), so a file is
  // written back with the line ends it came with.
  std::string LineBreak = "\n";
  bool TrailingLineBreak = true;
  // The encoding SaveToStream writes the lines in; the lines themselves are in the code page. UTF-8
  // converts each line as it goes out. The editor's lines take it from the file they read.
  TTextEncoding Encoding = teCodePage;
  // Whether UTF-8 goes out after a byte order mark, as the file read had it.
  bool ByteOrderMark = false;

  virtual void LoadFromStream(TStream* Stream);
  // Writes the lines as they are stored, without building the whole text first.
  virtual void SaveToStream(TStream* Stream) const;
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName) const;
  std::string ClassName() const override { return "TStrings"; }

 protected:
  // Takes LineBreak and TrailingLineBreak from a text about to be loaded.
  void TakeLineBreaksFrom(std::string_view Text);
  // Called with true when the outermost update starts and false when it ends.
  virtual void SetUpdateState(bool Updating);
  [[noreturn]] void Error(const std::string& Message, int Data) const;

 private:
  int updateCount_ = 0;
};

// Holds a list's update bracket for a scope, so an exception inside cannot leave the list updating.
class TStringsUpdate {
 public:
  explicit TStringsUpdate(TStrings& strings) : strings_(strings) { strings_.BeginUpdate(); }
  TStringsUpdate(const TStringsUpdate&) = delete;
  TStringsUpdate& operator=(const TStringsUpdate&) = delete;
  ~TStringsUpdate() { strings_.EndUpdate(); }

 private:
  TStrings& strings_;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
 public:
  TStringList() = default;
  ~TStringList() override;
  std::string ClassName() const override { return "TStringList"; }

  int Count() const override { return static_cast<int>(store_.Size()); }
  std::string Get(int Index) const override;
  // The stored text without a copy, valid until the line changes; Index must be valid.
  std::string_view GetRef(int Index) const;
  void Put(int Index, const std::string& S) override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  int Add(const std::string& S) override;
  int AddObject(const std::string& S, TObject* AObject) override;
  void Insert(int Index, const std::string& S) override;
  void InsertObject(int Index, const std::string& S, TObject* AObject) override;
  // The lines of Text at Index, put in at once: cut at CR LF, LF or CR, where a break at the very end
  // ends the last line and starts none. Returns how many went in.
  virtual int InsertLines(int Index, std::string_view Text);
  void Delete(int Index) override;
  // Number lines from Index on, deleted at once.
  virtual void DeleteLines(int Index, int Number);
  void Clear() override;
  void Exchange(int Index1, int Index2) override;
  int IndexOf(const std::string& S) const override;
  void SetText(const std::string& Text) override;
  // The same, with the text's memory taken over by the lines.
  void SetText(TTextBuffer&& Text);

  // Binary search in a sorted list; Index is where S is or would go.
  virtual bool Find(const std::string& S, int& Index) const;
  virtual void Sort();
  using TStringListSortCompare = int (*)(TStringList* List, int Index1, int Index2);
  void CustomSort(TStringListSortCompare Compare);

  bool Sorted() const { return sorted_; }
  void SetSorted(bool Value);
  TDuplicates Duplicates = dupIgnore;
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool Value);
  // The list frees its objects when it deletes them (only for objects it owns).
  bool OwnsObjects = false;

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  virtual void Changed();
  virtual void Changing();
  void SetUpdateState(bool Updating) override;
  virtual void InsertItem(int Index, const std::string& S, TObject* AObject);
  int CompareStrings(std::string_view a, std::string_view b) const;

 private:
  void CheckIndex(int Index) const;
  void FreeObject(TObject* object);
  void FreeAllObjects();
  TLineStore store_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
};

// Splits text into lines the way string lists read it: CR LF, LF and a lone CR each end a line.
std::vector<std::string> SplitLines(const std::string& text);
