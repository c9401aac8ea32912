#include "ui/fltk/pictures.h"

#include <FL/Fl_PNG_Image.H>

std::unique_ptr<Fl_RGB_Image> ScaledPicture(const TRgbImage& picture, int w, int h) {
  if (picture.Width <= 0 || picture.Height <= 0 || w <= 0 || h <= 0 ||
      picture.Pixels().size() < static_cast<size_t>(picture.Width) * static_cast<size_t>(picture.Height) * 3)
    return nullptr;
  if (w == picture.Width && h == picture.Height)
    return std::make_unique<Fl_RGB_Image>(picture.Pixels().data(), picture.Width, picture.Height, 3);
  // Fl_RGB_Image only borrows the pixels it is given; copy() makes an image
  // that owns its own.
  const TRgbImage resampled = ResampledImage(picture, w, h);
  Fl_RGB_Image borrowed(resampled.Pixels().data(), w, h, 3);
  return std::unique_ptr<Fl_RGB_Image>(static_cast<Fl_RGB_Image*>(borrowed.copy()));
}

std::vector<std::unique_ptr<Fl_RGB_Image>> LoadIconImages(const std::string& name) {
  std::vector<std::unique_ptr<Fl_RGB_Image>> images;
  for (const auto& entry : FindIconResources(name).Pngs) {
    const TResource* r = entry.second;
    auto image = std::make_unique<Fl_PNG_Image>(r->name, r->data, static_cast<int>(r->size));
    if (image->w() > 0 && image->h() > 0 && image->d() > 0 && image->count() > 0) images.push_back(std::move(image));
  }
  return images;
}
