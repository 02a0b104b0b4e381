#pragma once
// A picture a control wrote as a binary PPM file, or a widget grabbed, read back for checks of what it
// showed.
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <sstream>
#include <string>
#include <vector>

namespace corvane::test {

struct Picture {
  int Width = 0;
  int Height = 0;
  std::vector<unsigned char> Rgb;  // three bytes a pixel, row by row

  bool Empty() const { return Width <= 0 || Height <= 0; }
  const unsigned char* Pixel(int index) const { return &Rgb[static_cast<size_t>(index) * 3]; }
};

// An empty picture when the bytes are no binary PPM.
inline Picture ReadPpm(const std::string& ppm) {
  std::istringstream in(ppm);
  std::string magic;
  Picture picture;
  int maximum = 0;
  in >> magic >> picture.Width >> picture.Height >> maximum;
  in.get();
  if (magic != "P6" || picture.Width <= 0 || picture.Height <= 0) return {};
  picture.Rgb.resize(static_cast<size_t>(picture.Width) * static_cast<size_t>(picture.Height) * 3);
  in.read(reinterpret_cast<char*>(picture.Rgb.data()), static_cast<std::streamsize>(picture.Rgb.size()));
  if (!in) return {};
  return picture;
}

// What a widget and its children show, painted afresh into a picture.
inline Picture Grab(QWidget* widget) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!widget || !widget->grab().toImage().convertToFormat(QImage::Format_RGB888).save(&buffer, "PPM")) return {};
  return ReadPpm(bytes.toStdString());
}

}  // namespace corvane::test
