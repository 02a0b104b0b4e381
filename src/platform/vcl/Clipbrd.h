#pragma once
// The system clipboard with named formats, numbered as the Windows clipboard numbers them: CF_TEXT for
// 8-bit text in the system code page, and from 0xC000 on one number per registered name, kept for the
// life of the process. A named format travels as raw bytes under a MIME type of its own, so programs
// of this system find it again; text goes to other programs as Unicode with LF line ends, and the
// HTML part of "HTML Format" also as text/html, so browsers and office programs paste it coloured.
// Needs the application object.
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "vcl/Events.h"
#include "vcl/Types.h"
#include "win/CodePage.h"

inline constexpr UINT CF_TEXT = 1;

// The same number for every call with the same name (names compare without case, as the system's
// do); 0 for an empty name.
UINT RegisterClipboardFormat(const std::string& Name);
// The name a format was registered under; empty for CF_TEXT and for numbers never handed out.
std::string GetClipboardFormatName(UINT Format);

class TClipboard {
 public:
  // Between Open and Close the formats set are collected and handed over together at the last
  // Close; the first one set empties what the clipboard held. Outside them each set replaces the
  // whole contents at once.
  void Open();
  void Close();
  // EInvalidOperation for a format number that was never handed out.
  void SetFormatData(UINT Format, std::string Data);
  // Format takes the bytes of Buffer from Offset on. Formats set from one buffer share it, so a large
  // text that several formats carry is held once.
  void SetFormatData(UINT Format, std::shared_ptr<const std::string> Buffer, size_t Offset);
  // The bytes under Format; empty when the clipboard holds none.
  std::string GetFormatData(UINT Format) const;
  // The same bytes without a copy where this program set them: Data stays valid while Buffer lives.
  struct TBytes {
    std::shared_ptr<const std::string> Buffer;
    std::string_view Data;
  };
  TBytes GetFormatBytes(UINT Format) const;
  bool HasFormat(UINT Format) const;
  std::string AsText() const { return GetFormatData(CF_TEXT); }
  // The same, counting the characters of another program's text that the code page lacks (they come
  // as "?").
  std::string AsText(TUnmappedChars& Unmapped) const;
  // The text up to its first NUL.
  void SetAsText(const std::string& Text) { SetFormatData(CF_TEXT, Text); }
  void Clear();

  // Told after every change of the clipboard, by this program or another one, as a clipboard viewer
  // is (a window that shows whether there is something to paste listens).
  void RegisterChanges(const TNotifyEvent& Listener);
  void UnRegisterChanges(const TNotifyEvent& Listener);

 private:
  struct TPendingFormat {
    UINT Format;
    std::shared_ptr<const std::string> Buffer;
    size_t Offset;
  };
  void HandOver();
  TBytes Bytes(UINT Format, TUnmappedChars* Unmapped) const;
  void Changed();
  int openCount_ = 0;
  bool replace_ = false;  // something was set or cleared since the first Open
  std::vector<TPendingFormat> pending_;
  std::vector<TNotifyEvent> listeners_;
  bool watching_ = false;  // the system clipboard's changes reach Changed
};

// The process's clipboard object.
TClipboard* Clipboard();

// Hears of the clipboard's changes for as long as it lives.
class TClipboardViewer {
 public:
  explicit TClipboardViewer(TNotifyEvent OnChange) : onChange_(std::move(OnChange)) {
    Clipboard()->RegisterChanges(onChange_);
  }
  ~TClipboardViewer() { Clipboard()->UnRegisterChanges(onChange_); }
  TClipboardViewer(const TClipboardViewer&) = delete;
  TClipboardViewer& operator=(const TClipboardViewer&) = delete;

 private:
  TNotifyEvent onChange_;
};
