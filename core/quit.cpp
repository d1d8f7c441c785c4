#include "core/quit.h"

#include <cstdlib>

#include "core/codes.h"
#include "core/draw.h"
#include "core/globals.h"
#include "core/objects.h"
#include "media/media.h"

namespace {

std::function<void()>& EndHandler() {
  static std::function<void()> handler;
  return handler;
}

// The button boxes, bounds excluded.
bool InYes(int x, int y) {
  return x > 310 && x < 370 && y > 360 && y < 420;
}
bool InNo(int x, int y) {
  return x > 395 && x < 455 && y > 360 && y < 420;
}

}  // namespace

void SetEndProgramHandler(std::function<void()> handler) {
  EndHandler() = std::move(handler);
}

void EndProgram() {
  if (EndHandler()) EndHandler()();
  media::ShutdownMedia();
  std::exit(0);
}

int QuitFunc() {
  media::FlushKeys();
  media::MoveMouse(370, 350);
  DrawImage(ItemSprite, media::MouseX(), media::MouseY(), 62);
  media::FlushKeys();

  media::Image snapshot = media::CreateImage(800, 600, 1, media::MASKEDIMAGE | media::DYNAMICIMAGE);
  media::GrabImage(snapshot, 0, 0);
  const bool inPlay = Game && Game->State == GameState::Play;

  while (quit == 0) {
    media::Cls();
    DrawImage(snapshot, inPlay ? -16 : 0, 0, 0);
    DrawImage(ESC_Quit, 300, 280, 0);
    if (media::KeyHit('Y')) quit = 1;
    if (media::KeyHit('N')) quit = 2;
    if (media::MouseHit(1)) {
      const int mx = media::MouseX(), my = media::MouseY();
      if (InYes(mx, my)) quit = 1;
      if (InNo(mx, my)) quit = 2;
    }
    media::SetBlend(media::ALPHABLEND);
    const int mx = media::MouseX(), my = media::MouseY();
    // The hover oval lightens the button in white whatever colour the caller left (play leaves
    // a colour that can match a button's own); the caller's colour is restored.
    int r, g, b;
    media::GetColor(r, g, b);
    media::SetColor(255, 255, 255);
    if (InYes(mx, my)) {
      media::SetAlpha(0.3f);
      media::DrawOval(310, 368, 53, 45);
    }
    if (InNo(mx, my)) {
      media::SetAlpha(0.3f);
      media::DrawOval(392, 368, 53, 45);
    }
    media::SetColor(r, g, b);
    media::SetAlpha(1.0f);
    DrawImage(ItemSprite, media::MouseX(), media::MouseY(), 62);
    media::Flip(-1);
  }

  const int state = Game ? Game->State : 0;
  if (quit == 1) {
    if (state == GameState::Title) EndProgram();
    if (state == GameState::Play) {
      Game->State = GameState::Title;
      quit = 0;
      if (song) media::StopChannel(song);
    }
  } else if (quit == 2) {
    quit = 0;
    if (state == GameState::Play) {
      media::SetViewport(16, 0, 768, 600);
      media::SetOrigin(16, 0);
    }
  }
  media::FlushKeys();
  return 0;
}
