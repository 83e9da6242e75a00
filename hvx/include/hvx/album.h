// Album: the images of the objects a derivation names ("<base>/*": the objects directly
// below the base), fetched in one request. AlbumImage walks them.
#ifndef HVX_ALBUM_H_
#define HVX_ALBUM_H_

#include <memory>
#include <vector>

#include "hvx/data_unit.h"
#include "hvx/error.h"
#include "hvx/image.h"
#include "hvx/platform.h"

namespace hvx {

class AlbumImage;

class Album : public Error {
 public:
  Album(const DataUnit& name, Platform& platform);

  // "<base>/*"; false for any other form.
  bool set_derivation(const DataUnit& derivation);
  // "AUTOIMAGE" ("YES" or "NO": whether derive makes images; this platform always does).
  bool set_prop(const DataUnit& name, const DataUnit& value);
  // Fetches the objects with the named attributes (all when `attributes` is empty).
  bool derive(const DUArray& attributes, double timeout = DEFAULT_TIMEOUT);

  AlbumImage first_image();
  size_t size() const { return images_ ? images_->size() : 0; }

 private:
  Platform platform_;
  DataUnit name_;
  DataUnit base_;
  bool derivation_set_ = false;
  std::shared_ptr<std::vector<Image>> images_;
};

class AlbumImage {
 public:
  AlbumImage() = default;

  bool operator!() const { return images_ == nullptr || index_ >= images_->size(); }
  explicit operator bool() const { return !!*this; }
  operator Image&() { return (*images_)[index_]; }
  Image& image() { return (*images_)[index_]; }
  Image* operator->() { return &(*images_)[index_]; }
  AlbumImage& next_image() {
    if (!!*this) ++index_;
    return *this;
  }

 private:
  friend class Album;
  AlbumImage(std::shared_ptr<std::vector<Image>> images, size_t index)
      : images_(std::move(images)), index_(index) {}

  std::shared_ptr<std::vector<Image>> images_;
  size_t index_ = 0;
};

}  // namespace hvx

#endif  // HVX_ALBUM_H_
