#include "ui/image.h"

#include <gtest/gtest.h>

#include "support/ui_fixture.h"
#include "support/ui_probe.h"

namespace {

class ImageTest : public UiTest {
 protected:
  static std::shared_ptr<const TRgbImage> Picture(int w, int h) {
    return std::make_shared<TRgbImage>(w, h, std::vector<uint8_t>(static_cast<size_t>(w * h * 3), 255));
  }
  std::unique_ptr<THIImage> Make(int w, int h, uint8_t keepSize, THIImage::TPaintRoutine paint) {
    auto i = std::make_unique<THIImage>(Form());
    i->Left = 10;
    i->Top = 19;
    i->Width = w;
    i->Height = h;
    i->KeepSize = keepSize;
    i->Color = 0xFFFFFF;
    i->Paint = paint;
    return i;
  }
};

TEST_F(ImageTest, DrawProportionalPlacesTheBitmap) {
  struct Case {
    int bw, bh, W, H;
    TRect want;
  } cases[] = {
      {300, 200, 250, 200, {0, 16, 250, 167}},
      {250, 200, 250, 200, {0, 0, 250, 200}},
      {260, 180, 260, 180, {0, 0, 260, 180}},
      {200, 300, 250, 200, {58, 0, 133, 200}},
  };
  for (const Case& c : cases) {
    auto image = Make(c.W, c.H, 1, &THIImage::DrawProportional);
    image->Init();
    image->SetBitmap(Picture(c.bw, c.bh));
    EXPECT_EQ(H(image.get())->PictureRect(), c.want) << c.bw << "x" << c.bh;
    EXPECT_EQ(H(image.get())->Picture(), image->Bitmap());
    EXPECT_EQ(image->Control()->Bounds(), (TRect{10, 19, c.W, c.H}));
    EXPECT_EQ(image->Control()->Color(), 0xFFFFFFu);
  }
}

TEST_F(ImageTest, BitmapSetBeforeInitIsDrawnByInit) {
  auto image = Make(250, 200, 1, &THIImage::DrawProportional);
  image->SetBitmap(Picture(300, 200));
  image->Init();
  EXPECT_EQ(H(image.get())->PictureRect(), (TRect{0, 16, 250, 167}));
}

TEST_F(ImageTest, WithoutKeepSizeTheAreaTakesTheBitmapsSize) {
  auto image = Make(100, 100, 0, nullptr);
  image->Init();
  image->SetBitmap(Picture(250, 199));
  EXPECT_EQ(image->Width, 250);
  EXPECT_EQ(image->Height, 199);
  EXPECT_EQ(image->Control()->Bounds(), (TRect{10, 19, 250, 199}));
  EXPECT_EQ(H(image.get())->PictureRect(), (TRect{0, 0, 250, 199})) << "no paint routine: natural size";
}

TEST_F(ImageTest, ResizeBitmapFillsTheArea) {
  auto image = Make(120, 80, 1, nullptr);
  image->ResizeBitmap = 1;
  image->Init();
  image->SetBitmap(Picture(300, 200));
  EXPECT_EQ(H(image.get())->PictureRect(), (TRect{0, 0, 120, 80}));
}

TEST_F(ImageTest, ClickFiresOnClick) {
  auto image = Make(10, 10, 1, nullptr);
  image->Init();
  TProbe clicks;
  image->onClick = clicks.Link();
  platform.Click(image->Control());
  EXPECT_EQ(clicks.values.size(), 1u);
}

TEST_F(ImageTest, MissingResourceLeavesTheAreaEmpty) {
  auto image = Make(250, 200, 0, &THIImage::DrawProportional);
  image->Init();
  image->SetBitmap("NO_SUCH_BITMAP");
  EXPECT_EQ(image->Bitmap(), nullptr);
  EXPECT_EQ(image->Width, 250);
  EXPECT_EQ(H(image.get())->Picture(), nullptr);
  EXPECT_EQ(H(image.get())->PictureRect(), TRect());
}

}  // namespace
