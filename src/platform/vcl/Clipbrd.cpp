#include "vcl/Clipbrd.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>

#include "qt/QtConvert.h"
#include "vcl/SysUtils.h"

namespace {

constexpr UINT FirstNamedFormat = 0xC000;

std::vector<std::string>& FormatNames() {
  static std::vector<std::string> names;
  return names;
}

QString MimeTypeOf(UINT Format) {
  return QStringLiteral("application/x-qt-windows-mime;value=\"%1\"")
      .arg(QString::fromStdString(GetClipboardFormatName(Format)));
}

bool IsKnownFormat(UINT Format) { return Format == CF_TEXT || !GetClipboardFormatName(Format).empty(); }

std::string_view UpToNul(std::string_view data) { return data.substr(0, data.find('\0')); }

// The HTML part of the "HTML Format" data, between the offsets its description gives (the whole
// data when it has none), for programs that paste text/html.
std::string HtmlOfHtmlFormat(const std::string& data) {
  auto offset = [&data](const std::string& key) -> size_t {
    const size_t at = data.find(key + ":");
    return at == std::string::npos ? std::string::npos : std::strtoul(data.c_str() + at + key.size() + 1, nullptr, 10);
  };
  const std::string text(UpToNul(data));
  const size_t start = offset("StartHTML");
  const size_t end = offset("EndHTML");
  if (start == std::string::npos || end == std::string::npos || start > end || end > text.size()) return text;
  return text.substr(start, end - start);
}

bool IsHtmlFormat(UINT Format) { return SameText(GetClipboardFormatName(Format), "HTML Format"); }

// What this program hands to the system clipboard: the formats as they were set, each turned into
// what a reader asks for only when it asks, as a whole text can be large and most are never read by
// another program.
class TClipboardData : public QMimeData {
 public:
  struct TFormat {
    UINT Format;
    std::shared_ptr<const std::string> Buffer;
    size_t Offset;
    std::string_view Data() const { return std::string_view(*Buffer).substr(Offset); }
  };
  explicit TClipboardData(std::vector<TFormat> formats) : formats_(std::move(formats)) {}

  // The bytes set under Format, or nullptr.
  const TFormat* Find(UINT Format) const {
    for (const TFormat& f : formats_)
      if (f.Format == Format) return &f;
    return nullptr;
  }

  QStringList formats() const override {
    QStringList types;
    for (const TFormat& f : formats_) {
      types << (f.Format == CF_TEXT ? QStringLiteral("text/plain") : MimeTypeOf(f.Format));
      if (IsHtmlFormat(f.Format)) types << QStringLiteral("text/html");
    }
    return types;
  }
  bool hasFormat(const QString& type) const override { return formats().contains(type); }

 protected:
  QVariant retrieveData(const QString& type, QMetaType /*preferred*/) const override {
    for (const TFormat& f : formats_) {
      const std::string_view data = f.Data();
      // Other programs on this desktop end lines with LF.
      if (f.Format == CF_TEXT && type == QStringLiteral("text/plain"))
        return ToQString(UpToNul(data)).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
      if (IsHtmlFormat(f.Format) && type == QStringLiteral("text/html")) return ToQString(HtmlOfHtmlFormat(std::string(data)));
      if (f.Format != CF_TEXT && type == MimeTypeOf(f.Format))
        return QByteArray(data.data(), static_cast<qsizetype>(data.size()));
    }
    return {};
  }

 private:
  std::vector<TFormat> formats_;
};

QClipboard* SystemClipboard() {
  if (!QGuiApplication::instance()) throw EInvalidOperation("The clipboard needs the application object");
  return QGuiApplication::clipboard();
}

}  // namespace

UINT RegisterClipboardFormat(const std::string& Name) {
  if (Name.empty()) return 0;
  std::vector<std::string>& names = FormatNames();
  for (size_t i = 0; i < names.size(); ++i)
    if (SameText(names[i], Name)) return FirstNamedFormat + static_cast<UINT>(i);
  names.push_back(Name);
  return FirstNamedFormat + static_cast<UINT>(names.size() - 1);
}

std::string GetClipboardFormatName(UINT Format) {
  const std::vector<std::string>& names = FormatNames();
  if (Format < FirstNamedFormat || Format - FirstNamedFormat >= names.size()) return {};
  return names[Format - FirstNamedFormat];
}

void TClipboard::Open() {
  if (openCount_++ == 0) {
    pending_.clear();
    replace_ = false;
  }
}

void TClipboard::Close() {
  if (openCount_ == 0) return;
  if (--openCount_ == 0 && replace_) HandOver();
}

void TClipboard::Clear() {
  Open();
  pending_.clear();
  replace_ = true;
  Close();
}

void TClipboard::SetFormatData(UINT Format, std::string Data) {
  SetFormatData(Format, std::make_shared<const std::string>(std::move(Data)), 0);
}

void TClipboard::SetFormatData(UINT Format, std::shared_ptr<const std::string> Buffer, size_t Offset) {
  if (!IsKnownFormat(Format)) throw EInvalidOperation(::Format("Unknown clipboard format %u", Format));
  Open();
  std::erase_if(pending_, [Format](const TPendingFormat& p) { return p.Format == Format; });
  const size_t offset = std::min(Offset, Buffer->size());
  pending_.push_back({Format, std::move(Buffer), offset});
  replace_ = true;
  Close();
}

void TClipboard::HandOver() {
  std::vector<TClipboardData::TFormat> formats;
  for (TPendingFormat& p : pending_) formats.push_back({p.Format, std::move(p.Buffer), p.Offset});
  pending_.clear();
  SystemClipboard()->setMimeData(new TClipboardData(std::move(formats)));  // the clipboard takes the data
}

std::string TClipboard::GetFormatData(UINT Format) const {
  const TBytes bytes = GetFormatBytes(Format);  // holds the buffer its view looks into
  return std::string(Format == CF_TEXT ? UpToNul(bytes.Data) : bytes.Data);
}

std::string TClipboard::AsText(TUnmappedChars& Unmapped) const {
  const TBytes bytes = Bytes(CF_TEXT, &Unmapped);
  return std::string(UpToNul(bytes.Data));
}

TClipboard::TBytes TClipboard::GetFormatBytes(UINT Format) const { return Bytes(Format, nullptr); }

TClipboard::TBytes TClipboard::Bytes(UINT Format, TUnmappedChars* Unmapped) const {
  if (!IsKnownFormat(Format)) return {};
  const QMimeData* mime = SystemClipboard()->mimeData();
  if (!mime) return {};
  // What this program put there comes back as it was set.
  if (const auto* own = dynamic_cast<const TClipboardData*>(mime)) {
    const TClipboardData::TFormat* data = own->Find(Format);
    if (!data) return {};
    return TBytes{data->Buffer, data->Data()};
  }
  std::shared_ptr<const std::string> buffer;
  if (Format == CF_TEXT) {
    buffer = std::make_shared<const std::string>(mime->hasText() ? FromQString(mime->text(), Unmapped) : std::string());
  } else {
    const QByteArray bytes = mime->data(MimeTypeOf(Format));
    buffer = std::make_shared<const std::string>(bytes.constData(), static_cast<size_t>(bytes.size()));
  }
  return TBytes{buffer, *buffer};
}

bool TClipboard::HasFormat(UINT Format) const {
  if (!IsKnownFormat(Format)) return false;
  const QMimeData* mime = SystemClipboard()->mimeData();
  if (!mime) return false;
  return Format == CF_TEXT ? mime->hasText() : mime->hasFormat(MimeTypeOf(Format));
}

void TClipboard::RegisterChanges(const TNotifyEvent& Listener) {
  if (!watching_) {
    QObject::connect(SystemClipboard(), &QClipboard::dataChanged, SystemClipboard(), [this] { Changed(); });
    watching_ = true;
  }
  if (std::find(listeners_.begin(), listeners_.end(), Listener) == listeners_.end()) listeners_.push_back(Listener);
}

void TClipboard::UnRegisterChanges(const TNotifyEvent& Listener) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), Listener), listeners_.end());
}

void TClipboard::Changed() {
  // A listener may leave or join while it is told.
  const std::vector<TNotifyEvent> listeners = listeners_;
  for (const TNotifyEvent& listener : listeners) listener(nullptr);
}

TClipboard* Clipboard() {
  static TClipboard clipboard;
  return &clipboard;
}
