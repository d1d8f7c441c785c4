#include "screens.h"

#include "core/globals.h"
#include "core/text.h"
#include "media/headless.h"

namespace stagetest {

namespace {
media::Image Plain(int w, int h, int frames, media::Pixel colour) {
  media::Image img = media::CreateImage(w, h, frames);
  for (int f = 0; f < frames; f++) {
    media::Pixmap p = media::LockImage(img, f);
    for (int y = 0; y < h; y++)
      for (int x = 0; x < w; x++) media::WritePixel(p, x, y, colour);
    media::UnlockImage(img, f);
  }
  return img;
}
}  // namespace

void MakeScreenPictures() {
  media::Graphics(800, 600, 0, 60);
  media::ResetGraphicsState();
  optAlpha = Plain(16, 16, 59, kWhite);
  optAlpha2 = Plain(16, 16, 59, 0xFF808080);
  imgFont = Plain(8, 16, 95, 0xFFFFFF00);
  for (int& w : widthTable) w = 8;
  Back = Plain(8, 8, 12, 0xFF101010);
  ItemSprite = Plain(4, 4, 64, 0xFF00FFFF);
  Buttons = media::CreateImage(75, 75, 3);
  const media::Pixel colours[3] = {kHighlight, kNormal, kFinished};
  for (int f = 0; f < 3; f++) {
    media::Pixmap p = media::LockImage(Buttons, f);
    for (int y = 0; y < 75; y++)
      for (int x = 0; x < 75; x++) media::WritePixel(p, x, y, colours[f]);
    media::UnlockImage(Buttons, f);
  }
}

void OnFrames(std::function<void(int frame)> each, int limit) {
  media::headless::OnFlip([each, limit](int frame) {
    each(frame);
    return frame < limit;
  });
}

}  // namespace stagetest
