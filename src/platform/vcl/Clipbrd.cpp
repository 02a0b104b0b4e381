#include "vcl/Clipbrd.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

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

std::string_view UpToNul(const std::string& data) { return std::string_view(data).substr(0, data.find('\0')); }

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
  using TFormats = std::vector<std::pair<UINT, std::string>>;
  explicit TClipboardData(TFormats formats) : formats_(std::move(formats)) {}

  // The bytes set under Format, or nullptr.
  const std::string* Find(UINT Format) const {
    for (const auto& [format, data] : formats_)
      if (format == Format) return &data;
    return nullptr;
  }

  QStringList formats() const override {
    QStringList types;
    for (const auto& [format, data] : formats_) {
      types << (format == CF_TEXT ? QStringLiteral("text/plain") : MimeTypeOf(format));
      if (IsHtmlFormat(format)) types << QStringLiteral("text/html");
    }
    return types;
  }
  bool hasFormat(const QString& type) const override { return formats().contains(type); }

 protected:
  QVariant retrieveData(const QString& type, QMetaType /*preferred*/) const override {
    for (const auto& [format, data] : formats_) {
      // Other programs on this desktop end lines with LF.
      if (format == CF_TEXT && type == QStringLiteral("text/plain"))
        return ToQString(UpToNul(data)).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
      if (IsHtmlFormat(format) && type == QStringLiteral("text/html")) return ToQString(HtmlOfHtmlFormat(data));
      if (format != CF_TEXT && type == MimeTypeOf(format))
        return QByteArray(data.data(), static_cast<qsizetype>(data.size()));
    }
    return {};
  }

 private:
  TFormats formats_;
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
  if (!IsKnownFormat(Format)) throw EInvalidOperation(::Format("Unknown clipboard format %u", Format));
  Open();
  std::erase_if(pending_, [Format](const TPendingFormat& p) { return p.Format == Format; });
  pending_.push_back({Format, std::move(Data)});
  replace_ = true;
  Close();
}

void TClipboard::HandOver() {
  TClipboardData::TFormats formats;
  for (TPendingFormat& p : pending_) formats.emplace_back(p.Format, std::move(p.Data));
  pending_.clear();
  SystemClipboard()->setMimeData(new TClipboardData(std::move(formats)));  // the clipboard takes the data
}

std::string TClipboard::GetFormatData(UINT Format) const {
  if (!IsKnownFormat(Format)) return {};
  const QMimeData* mime = SystemClipboard()->mimeData();
  if (!mime) return {};
  // What this program put there comes back as it was set.
  if (const auto* own = dynamic_cast<const TClipboardData*>(mime)) {
    const std::string* data = own->Find(Format);
    if (!data) return {};
    return Format == CF_TEXT ? std::string(UpToNul(*data)) : *data;
  }
  if (Format == CF_TEXT) return mime->hasText() ? FromQString(mime->text()) : std::string();
  const QByteArray bytes = mime->data(MimeTypeOf(Format));
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

bool TClipboard::HasFormat(UINT Format) const {
  if (!IsKnownFormat(Format)) return false;
  const QMimeData* mime = SystemClipboard()->mimeData();
  if (!mime) return false;
  return Format == CF_TEXT ? mime->hasText() : mime->hasFormat(MimeTypeOf(Format));
}

TClipboard* Clipboard() {
  static TClipboard clipboard;
  return &clipboard;
}
