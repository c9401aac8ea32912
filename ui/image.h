// THIImage: an area that shows a bitmap. The paint routine decides where
// the bitmap goes (the pages install DrawProportional); without one it is
// drawn at its own size in the top left corner. The element keeps its
// bitmap until it is destroyed.
#pragma once

#include <memory>
#include <string>

#include "ui/bitmap.h"
#include "ui/win.h"

class THIImage : public THIWin {
 public:
  // Makes the control at once.
  explicit THIImage(TControl* parent);

  using TPaintRoutine = void (THIImage::*)();
  TPaintRoutine Paint = nullptr;
  uint8_t KeepSize = 0;      // 1: Width and Height hold when a bitmap is set
  uint8_t ResizeBitmap = 0;  // 1: without a paint routine, fill the area
  THI_Event onClick;
  THI_Event onContextMenu;  // the user right-clicked the picture

  // The bitmap resource of that name; a missing one leaves the area empty
  // and the size alone.
  void SetBitmap(const std::string& resourceName);
  void SetBitmap(std::shared_ptr<const TRgbImage> bitmap);
  std::shared_ptr<const TRgbImage> Bitmap() const { return bitmap_; }

  void Init() override;

  // Paint routine: the whole bitmap, scaled to fit the area with its aspect
  // ratio kept and centred along the other axis (ProportionalRect).
  void DrawProportional();

 protected:
  bool HandleMessage(const TNotification& n) override;

 private:
  void Repaint();

  std::shared_ptr<const TRgbImage> bitmap_;
};
