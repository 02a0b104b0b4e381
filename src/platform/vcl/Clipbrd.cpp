#include "vcl/Clipbrd.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <cstdlib>
#include <memory>

#include "vcl/SysUtils.h"
#include "win/CodePage.h"

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

// The HTML part of the "HTML Format" data, between the offsets its description gives (the whole
// data when it has none), for programs that paste text/html.
std::string HtmlOfHtmlFormat(const std::string& data) {
  auto offset = [&data](const std::string& key) -> size_t {
    const size_t at = data.find(key + ":");
    return at == std::string::npos ? std::string::npos : std::strtoul(data.c_str() + at + key.size() + 1, nullptr, 10);
  };
  const std::string text = data.substr(0, data.find('\0'));
  const size_t start = offset("StartHTML");
  const size_t end = offset("EndHTML");
  if (start == std::string::npos || end == std::string::npos || start > end || end > text.size()) return text;
  return text.substr(start, end - start);
}

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

void TClipboard::SetFormatData(UINT Format, const std::string& Data) {
  if (!IsKnownFormat(Format)) throw EInvalidOperation(::Format("Unknown clipboard format %u", Format));
  Open();
  std::erase_if(pending_, [Format](const TPendingFormat& p) { return p.Format == Format; });
  pending_.push_back({Format, Data});
  replace_ = true;
  Close();
}

void TClipboard::HandOver() {
  auto mime = std::make_unique<QMimeData>();
  for (const TPendingFormat& p : pending_) {
    if (p.Format == CF_TEXT)
      mime->setText(QString::fromStdString(AnsiToUtf8(p.Data.substr(0, p.Data.find('\0')))));
    else
      mime->setData(MimeTypeOf(p.Format), QByteArray(p.Data.data(), static_cast<qsizetype>(p.Data.size())));
    if (SameText(GetClipboardFormatName(p.Format), "HTML Format"))
      mime->setHtml(QString::fromStdString(AnsiToUtf8(HtmlOfHtmlFormat(p.Data))));
  }
  pending_.clear();
  SystemClipboard()->setMimeData(mime.release());  // the clipboard takes the data
}

std::string TClipboard::GetFormatData(UINT Format) const {
  if (!IsKnownFormat(Format)) return {};
  const QMimeData* mime = SystemClipboard()->mimeData();
  if (!mime) return {};
  if (Format == CF_TEXT) return mime->hasText() ? Utf8ToAnsi(mime->text().toStdString()) : std::string();
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
