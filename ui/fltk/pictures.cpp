#include "ui/fltk/pictures.h"

#include <FL/Fl_PNG_Image.H>

#include <algorithm>

#include "ui/fltk/draw.h"

namespace {

// Rows converted per call of fl_draw_image.
constexpr int kBandRows = 16;

}  // namespace

Fl_Offscreen RenderPicture(const TRgbImage& picture, int w, int h) {
  if (picture.Width <= 0 || picture.Height <= 0 || w <= 0 || h <= 0) return 0;
  TRgbImage resampled;
  const TRgbImage* source = &picture;
  if (w != picture.Width || h != picture.Height) {
    resampled = ResampledImage(picture, w, h);
    if (resampled.Width != w) return 0;
    source = &resampled;
  }
  const Fl_Offscreen offscreen = fl_create_offscreen(w, h);
  fl_begin_offscreen(offscreen);
  const bool drawn = source->ForEachBand(kBandRows, [w](int32_t first, int32_t count, const uint8_t* rgb) {
    fl_draw_image(rgb, 0, first, w, count, 3, w * 3);
  });
  fl_end_offscreen();
  if (drawn) return offscreen;
  fl_delete_offscreen(offscreen);
  return 0;
}

std::vector<std::unique_ptr<Fl_RGB_Image>> LoadIconImages(const std::string& name) {
  std::vector<std::unique_ptr<Fl_RGB_Image>> images;
  const TIconResources icons = FindIconResources(name);
  // The .ico holds the same images as the PNGs, uncompressed: read from
  // it, they need no PNG decoder at start-up.
  if (icons.Ico) {
    for (TRgbaImage& image : DecodeIcoImages(icons.Ico->data, icons.Ico->size)) {
      Fl_RGB_Image borrowed(image.Pixels.data(), image.Width, image.Height, 4);
      images.emplace_back(static_cast<Fl_RGB_Image*>(borrowed.copy()));
    }
    std::sort(images.begin(), images.end(), [](const auto& a, const auto& b) { return a->w() < b->w(); });
    if (!images.empty()) return images;
  }
  for (const auto& entry : icons.Pngs) {
    const TResource* r = entry.second;
    auto image = std::make_unique<Fl_PNG_Image>(r->name, r->data, static_cast<int>(r->size));
    if (image->w() > 0 && image->h() > 0 && image->d() > 0 && image->count() > 0) images.push_back(std::move(image));
  }
  return images;
}
