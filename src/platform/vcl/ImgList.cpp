#include "vcl/ImgList.h"

#include <QIcon>
#include <QPixmap>

#include <algorithm>
#include <utility>
#include "qt/QtSide.h"

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TImageList::~TImageList() = default;

void TImageList::SetSize(int AWidth, int AHeight) {
  if (AWidth == width_ && AHeight == height_) return;
  width_ = AWidth;
  height_ = AHeight;
  Clear();
}

int TImageList::Add(std::unique_ptr<QPixmap> image) {
  if (image->isNull()) return -1;
  if (image->width() != width_ || image->height() != height_)
    *image = image->scaled(width_, height_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  images_.push_back(std::move(image));
  Changed();
  return Count() - 1;
}

int TImageList::AddXpm(const char* const* Xpm) { return Add(std::make_unique<QPixmap>(Xpm)); }

int TImageList::AddFromFile(const std::string& FileName) {
  return Add(std::make_unique<QPixmap>(QString::fromStdString(FileName)));
}

void TImageList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) return;
  images_.erase(images_.begin() + Index);
  Changed();
}

void TImageList::Clear() {
  if (images_.empty()) return;
  images_.clear();
  Changed();
}

void TImageList::RegisterChanges(const TNotifyEvent& Listener) {
  if (std::find(listeners_.begin(), listeners_.end(), Listener) == listeners_.end()) listeners_.push_back(Listener);
}

void TImageList::UnRegisterChanges(const TNotifyEvent& Listener) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), Listener), listeners_.end());
}

void TImageList::Changed() {
  const std::vector<TNotifyEvent> listeners = listeners_;
  for (const TNotifyEvent& listener : listeners) listener(this);
}

QPixmap TImageList::Pixmap(int Index) const {
  if (Index < 0 || Index >= Count()) return QPixmap();
  return *images_[static_cast<size_t>(Index)];
}

QPixmap ImagePixmap(const TImageList& List, int Index) { return List.Pixmap(Index); }
QIcon ImageIcon(const TImageList& List, int Index) { return List.Icon(Index); }

QIcon TImageList::Icon(int Index) const {
  const QPixmap pixmap = Pixmap(Index);
  return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}

TImageLink::TImageLink(TComponent* Client, TNotifyEvent OnChange) : client_(Client), onChange_(std::move(OnChange)) {}

bool TImageLink::Set(TImageList* Value) {
  if (images_ == Value) return false;
  if (images_) {
    images_->UnRegisterChanges(onChange_);
    images_->RemoveFreeNotification(client_);
  }
  images_ = Value;
  if (images_) {
    images_->RegisterChanges(onChange_);
    images_->FreeNotification(client_);
  }
  return true;
}

bool TImageLink::Freed(TComponent* AComponent, TOperation Operation) {
  if (Operation != opRemove || AComponent != images_) return false;
  images_ = nullptr;
  return true;
}
