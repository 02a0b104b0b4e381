#pragma once
// Ordered chains of method pointers, fired in turn: the highlighters tell the editor controls through
// one that an attribute changed.
#include <any>
#include <string>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/Events.h"
#include "vcl/SysUtils.h"

class EqzMethodChain : public Exception {
  using Exception::Exception;
};

// Sender is the chain; DoContinue (True on entry) decides whether the walk goes on.
using TqzExceptionEvent = TEvent<void(TObject* Sender, Exception& E, bool& DoContinue)>;

// An ordered list of method pointers fired in turn. Descendants know the event type and call it.
class TqzMethodChain : public TObject {
 public:
  TqzMethodChain() = default;
  std::string ClassName() const override { return "TqzMethodChain"; }

  // Calls every entry, first added first. An Exception from an entry is handed to DoHandleException.
  void Fire();
  int Count() const { return static_cast<int>(FEntries.size()); }

  TqzExceptionEvent ExceptionHandler;

 protected:
  // One entry: the event's identity (code and data) and the event itself.
  struct TMethodEntry {
    vcl_detail::CodeBytes Code;
    const void* Data;
    std::any Method;
  };

  template <class Event>
  void Entry(const Event& AEvent) {
    if (!AEvent.Assigned())
      throw EqzMethodChain(Format("%s.Entry : the parameter `AEvent' must be specified.", ClassName().c_str()));
    FEntries.push_back(TMethodEntry{AEvent.Code(), AEvent.Data(), AEvent});
  }

  // Deletes every entry with the event's code and data.
  template <class Event>
  void Remove(const Event& AEvent) {
    if (!AEvent.Assigned())
      throw EqzMethodChain(Format("%s.Remove: the parameter `AEvent' must be specified.", ClassName().c_str()));
    RemoveMethod(AEvent.Code(), AEvent.Data());
  }

  virtual void Exec(const TMethodEntry& AEntry) = 0;
  // Must be called only while the exception E is being handled: without a handler it is rethrown.
  virtual bool DoHandleException(Exception& E);

 private:
  void RemoveMethod(const vcl_detail::CodeBytes& Code, const void* Data);
  std::vector<TMethodEntry> FEntries;
  std::vector<size_t*> FWalks;  // the positions of the walks in progress (Fire may nest)
};

// A chain of notify events, each called with the sender given at creation.
class TqzNotifyEventChain : public TqzMethodChain {
 public:
  explicit TqzNotifyEventChain(TObject* ASender) : FSender(ASender) {}
  std::string ClassName() const override { return "TqzNotifyEventChain"; }

  void Add(const TNotifyEvent& AEvent) { Entry(AEvent); }
  void Remove(const TNotifyEvent& AEvent) { TqzMethodChain::Remove(AEvent); }
  TObject* Sender() const { return FSender; }

 protected:
  void Exec(const TMethodEntry& AEntry) override;

 private:
  TObject* FSender;
};
