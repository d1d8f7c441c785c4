#include <string>

#include "app/startup.h"
#include "core/draw.h"
#include "core/globals.h"
#include "media/media.h"

media::Timer LogoTimer;

namespace {
void ResetLogoTimer() {
  LogoTimer.reset();
}
[[maybe_unused]] const bool kResetRegistered = RegisterGlobalsReset(ResetLogoTimer);
}  // namespace

void LogoSlide() {
  logo = media::LoadImage("incbin::Images/BigLogo.png");
  sndGold = media::LoadSound("incbin::Sfx/Gold.ogg");
  media::PlaySound(sndGold);
  LogoTimer = media::CreateTimer(150);
  const int w = media::ImageWidth(logo), h = media::ImageHeight(logo);
  for (int i = 0; i <= h; i += 5) {
    media::SetViewport(250, 150, w, h);
    DrawImage(logo, 250, 150 + i - h, 0);
    media::Flip(-1);
    media::Cls();
    media::WaitTimer(LogoTimer);
    media::Delay(DelayTime);
  }
  media::SetViewport(0, 0, 800, 600);
  DrawImage(logo, 250, 150, 0);
  media::SetColor(228, 140, 15);
  media::Flip(-1);
}
