#include "ui/image.h"

THIImage::THIImage(TControl* parent) : THIWin(parent) {
  MakeControl(TControlKind::Image);
  if (control_) control_->SetHandler(this);
}

void THIImage::SetBitmap(const std::string& resourceName) { SetBitmap(LoadBitmapResource(resourceName)); }

void THIImage::SetBitmap(std::shared_ptr<const TRgbImage> bitmap) {
  bitmap_ = std::move(bitmap);
  if (bitmap_ && KeepSize == 0) {
    Width = bitmap_->Width;
    Height = bitmap_->Height;
    if (control_) {
      const TRect r = control_->Bounds();
      control_->SetBounds({r.Left, r.Top, Width, Height});
    }
  }
  Repaint();
}

void THIImage::Init() {
  ApplyProperties();
  Repaint();
}

void THIImage::Repaint() {
  if (!control_) return;
  if (Paint) {
    (this->*Paint)();
    return;
  }
  TRect dest;
  if (bitmap_) {
    const TRect area = control_->Bounds();
    dest = ResizeBitmap == 1 ? TRect{0, 0, area.Width, area.Height} : TRect{0, 0, bitmap_->Width, bitmap_->Height};
  }
  control_->SetPicture(bitmap_, dest);
}

void THIImage::DrawProportional() {
  if (!control_) return;
  const TRect area = control_->Bounds();
  const TRect dest = bitmap_ ? ProportionalRect(bitmap_->Width, bitmap_->Height, area.Width, area.Height) : TRect();
  control_->SetPicture(bitmap_, dest);
}

bool THIImage::HandleMessage(const TNotification& n) {
  if (n.Kind == TNotifyKind::Click) {
    FireNone(onClick);
    return true;
  }
  if (n.Kind == TNotifyKind::ContextMenu) {
    if (!onContextMenu.Wired()) return false;
    FireNone(onContextMenu);
    return true;
  }
  if (n.Kind == TNotifyKind::Resize) Repaint();
  return THIWin::HandleMessage(n);
}
