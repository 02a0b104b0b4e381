#pragma once
// The text a browser shows of an HTML page, its bytes taken in a character set of the browser's own
// choosing: a page that names none is read in whatever character set the browser assumes.
#include <QByteArray>
#include <QString>
#include <QTextDocument>

#include <string>

namespace corvane::test {

enum class TAssumedCharset { Latin1, Utf8 };
inline constexpr TAssumedCharset kAssumedCharsets[] = {TAssumedCharset::Latin1, TAssumedCharset::Utf8};

inline std::string BrowserText(const std::string& page, TAssumedCharset charset) {
  const QByteArray bytes(page.data(), static_cast<qsizetype>(page.size()));
  QTextDocument document;
  document.setHtml(charset == TAssumedCharset::Utf8 ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes));
  return document.toPlainText().toStdString();
}

}  // namespace corvane::test
