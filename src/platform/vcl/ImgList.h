#pragma once
// A list of equally sized images that menus and tool bars show by index.
#include <memory>
#include <string>
#include <vector>

#include "vcl/Classes.h"

class QIcon;
class QPixmap;

class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* AOwner);
  ~TImageList() override;
  std::string ClassName() const override { return "TImageList"; }

  int Width() const { return width_; }
  int Height() const { return height_; }
  // A new size clears the list, as the class library's does.
  void SetSize(int AWidth, int AHeight);
  int Count() const { return static_cast<int>(images_.size()); }

  // Adds an image given as XPM text (the rows of an XPM file as C strings); returns its index.
  int AddXpm(const char* const* Xpm);
  // Adds an image read from a file (PNG, XPM, BMP); -1 when it cannot be read.
  int AddFromFile(const std::string& FileName);
  void Delete(int Index);
  void Clear();

  // Told after every change (menus and tool bars showing the images listen).
  void RegisterChanges(const TNotifyEvent& Listener);
  void UnRegisterChanges(const TNotifyEvent& Listener);

 private:
  friend QPixmap ImagePixmap(const TImageList& List, int Index);
  friend QIcon ImageIcon(const TImageList& List, int Index);
  // The image scaled to the list's size; a null one for an index out of range.
  QPixmap Pixmap(int Index) const;
  QIcon Icon(int Index) const;
  int Add(std::unique_ptr<QPixmap> image);
  void Changed();
  int width_ = 16;
  int height_ = 16;
  std::vector<std::unique_ptr<QPixmap>> images_;
  std::vector<TNotifyEvent> listeners_;
};

// What a menu or tool bar keeps of the image list it shows: it hears of the list's changes and lets go
// of a list that is freed before it.
class TImageLink {
 public:
  TImageLink(TComponent* Client, TNotifyEvent OnChange);
  TImageLink(const TImageLink&) = delete;
  TImageLink& operator=(const TImageLink&) = delete;
  ~TImageLink() { Set(nullptr); }

  TImageList* Images() const { return images_; }
  // False when Value is the list already.
  bool Set(TImageList* Value);
  // For the client's Notification: true when the freed component is the list, which is then let go.
  bool Freed(TComponent* AComponent, TOperation Operation);

 private:
  TComponent* client_;
  TNotifyEvent onChange_;
  TImageList* images_ = nullptr;
};
