#include "highlight/qzMethodChain.h"

void TqzMethodChain::Fire() {
  // The walk's position is known to RemoveMethod, so that an entry may unhook itself or others
  // while the chain fires without another entry being skipped or called twice.
  size_t position = 0;
  FWalks.push_back(&position);
  struct WalkEnd {
    std::vector<size_t*>& Walks;
    ~WalkEnd() { Walks.pop_back(); }
  } walkEnd{FWalks};
  for (; position < FEntries.size(); ++position) {
    const TMethodEntry entry = FEntries[position];
    try {
      Exec(entry);
    } catch (Exception& E) {
      if (!DoHandleException(E)) break;
    }
  }
}

bool TqzMethodChain::DoHandleException(Exception& E) {
  if (!ExceptionHandler.Assigned()) throw;
  bool doContinue = true;
  try {
    ExceptionHandler(this, E, doContinue);
  } catch (...) {
    throw EqzMethodChain(
        Format("%s.DoHandleException : MUST NOT occur any kind of exception in ExceptionHandler", ClassName().c_str()));
  }
  return doContinue;
}

void TqzMethodChain::RemoveMethod(const vcl_detail::CodeBytes& Code, const void* Data) {
  for (size_t i = FEntries.size(); i-- > 0;) {
    if (FEntries[i].Code != Code || FEntries[i].Data != Data) continue;
    FEntries.erase(FEntries.begin() + static_cast<std::ptrdiff_t>(i));
    for (size_t* position : FWalks)
      if (i <= *position) --*position;  // wraps below zero for the first entry; the walk's ++ restores it
  }
}

void TqzNotifyEventChain::Exec(const TMethodEntry& AEntry) {
  std::any_cast<const TNotifyEvent&>(AEntry.Method)(FSender);
}
