// The backdrop left out of the cells that opaque blocks cover, and its colour out of the rows
// the backdrop covers, gives the same picture to the pixel as drawing all of it: every theme,
// every backdrop, both blend modes play uses, a shifted origin and a fractional one, over a
// screen of noise so that any pixel left undrawn shows.
#include <random>
#include <vector>

#include "core/draw.h"
#include "core/globals.h"
#include "core/objects.h"
#include "media/graphics.h"
#include "play/render.h"
#include "play/rules_fixture.h"

namespace frametest {
namespace {

std::vector<media::Pixel> Screen() {
  const media::Pixel* p = media::BackBufferPixels();
  return {p, p + 800 * 600};
}

// Noise over the whole screen, the same for both ways of drawing.
void Noise(unsigned seed) {
  std::mt19937 random(seed);
  media::SetViewport(0, 0, 800, 600);
  media::SetOrigin(0, 0);
  media::SetBlend(media::MASKBLEND);
  for (int y = 0; y < 600; y += 8) {
    for (int x = 0; x < 800; x += 8) {
      media::SetColor(random() % 256, random() % 256, random() % 256);
      media::DrawRect(static_cast<float>(x), static_cast<float>(y), 8, 8);
    }
  }
}

class FrameCover : public playtest::RulesTest {};

TEST_F(FrameCover, SamePixelsAsDrawingEverything) {
  struct Case {
    int theme, backdrop, blend;
    float originX, originY;
  };
  std::vector<Case> cases;
  for (int theme = 0; theme < 6; ++theme) {
    cases.push_back({theme, 2 * theme, media::MASKBLEND, 16, 0});
    cases.push_back({theme, 2 * theme + 1, media::ALPHABLEND, 16, 0});
  }
  cases.push_back({2, 7, media::MASKBLEND, 16, 37});    // backdrop rows shifted
  cases.push_back({3, 4, media::MASKBLEND, 16.5f, 0});  // not whole pixels: all drawn
  cases.push_back({1, 11, media::LIGHTBLEND, 16, 0});   // nothing covers in adding light
  cases.push_back({7, 3, media::MASKBLEND, 16, 0});     // a theme without pictures
  // Room (1, 1) with statues and coffins under its blocks.
  RoomX = RoomY = 1;
  Rooms[1][1] = 1;
  for (int i = 0; i < 3; ++i) {
    auto s = New<bbstatuses>();
    s->x = 4 + 9 * i, s->y = 3 + 6 * i, s->roomx = s->roomy = 1, s->frame = i % 2;
    auto e = New<bbEnemies>();
    e->Kind = i % 2, e->OriginRoomX = e->OriginRoomY = 1, e->CoffineX = 100 + 200 * i;
    e->CoffineY = 48 * i;
  }
  std::mt19937 random(19);
  for (const Case& k : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "theme " << k.theme << " backdrop " << k.backdrop << " blend " << k.blend
                 << " origin " << k.originX << ", " << k.originY);
    // Every code, gaps and all.
    for (int c = 0; c < kRoomCols; ++c) {
      for (int r = 0; r < kRoomRows; ++r) Stage[32 + c][24 + r] = random() % 7;
    }
    Worldtheme = k.theme;
    BackGround = k.backdrop;
    std::vector<media::Pixel> ways[2];
    const unsigned seed = random();
    for (int way = 0; way < 2; ++way) {
      for (int frame = 0; frame < 2; ++frame) {
        ResetRenderGlobals();
        for (int step = 0; step < 20 * frame; ++step) RenderBack();  // on to other colours
        Noise(seed + frame);
        media::SetViewport(16, 0, 768, 600);
        media::SetOrigin(k.originX, k.originY);
        media::SetBlend(k.blend);
        if (way == 0) {
          RenderBack(RoomX * kRoomCols, RoomY * kRoomRows, Worldtheme);
        } else {
          // Everything, as plainly as it goes: the colour, then the backdrop over it.
          media::SetViewport(0, 0, 0, 0);
          RenderBack();  // the colour's step, drawing nothing
          media::SetViewport(16, 0, 768, 600);
          media::DrawRect(0, 0, 800, 600);
          ::TileImage(Back, 0, 0, BackGround);
        }
        RenderDecoration();
        RenderBlocks(RoomX * kRoomCols, RoomY * kRoomRows, Worldtheme);
        const auto screen = Screen();
        ways[way].insert(ways[way].end(), screen.begin(), screen.end());
      }
    }
    std::size_t differ = 0;
    for (std::size_t i = 0; i < ways[0].size(); ++i) differ += ways[0][i] != ways[1][i];
    EXPECT_EQ(differ, 0u);
  }
  media::SetBlend(media::MASKBLEND);
}

}  // namespace
}  // namespace frametest
