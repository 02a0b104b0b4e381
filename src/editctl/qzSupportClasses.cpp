#include "editctl/qzSupportClasses.h"

#include <algorithm>

void TqzMethodChain::Fire() {
  // Indexed walk over copies, so that an entry may hook or unhook while the chain fires.
  for (size_t i = 0; i < FEntries.size(); ++i) {
    const TMethodEntry entry = FEntries[i];
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
  std::erase_if(FEntries, [&](const TMethodEntry& e) { return e.Code == Code && e.Data == Data; });
}

void TqzNotifyEventChain::Exec(const TMethodEntry& AEntry) {
  std::any_cast<const TNotifyEvent&>(AEntry.Method)(FSender);
}
