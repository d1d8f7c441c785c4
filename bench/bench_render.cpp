// One play frame's worth of drawing into the 800 x 600 framebuffer, beside a plain copy of the
// framebuffer for scale: the tiled backdrop, a room of block cells, sprites and the score bar.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "media/app.h"
#include "media/graphics.h"

namespace {

using media::Pixel;

media::Image Make(int w, int h, int frames, Pixel (*paint)(int x, int y, int frame)) {
  media::Image image = media::CreateImage(w, h, frames);
  for (int f = 0; f < frames; ++f) {
    media::Pixmap pm = media::LockImage(image, f);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) media::WritePixel(pm, x, y, paint(x, y, f));
    }
    media::UnlockImage(image, f);
  }
  return image;
}

struct Scene {
  media::Image backdrop = Make(192, 96, 1, [](int x, int y, int) -> Pixel {
    return 0xFF000000u | static_cast<Pixel>((x * 7 + y * 3) & 0xFF) << 8 | 0x20;
  });
  // Block cells: the left half opaque, the right half transparent, as a broken brick.
  media::Image blocks = Make(48, 24, 4, [](int x, int, int f) -> Pixel {
    return x < 24 ? 0xFF804020u + static_cast<Pixel>(f) : 0x00FF00FFu;
  });
  // Round sprites, masked outside the circle.
  media::Image sprites = Make(48, 48, 2, [](int x, int y, int) -> Pixel {
    const int dx = x - 24, dy = y - 24;
    return dx * dx + dy * dy < 23 * 23 ? 0xFFE0C0A0u : 0x00000000u;
  });
  media::Image bar = Make(768, 24, 1, [](int x, int y, int) -> Pixel {
    return 0xFF101010u + static_cast<Pixel>((x + y) & 0x3F);
  });

  Scene() {
    media::UseHeadlessBackend();
    media::ResetGraphicsState();
  }

  void DrawFrame() const {
    media::SetViewport(16, 0, 768, 600);
    media::SetOrigin(16, 0);
    media::TileImage(backdrop, 0, 0, 0);
    for (int i = 0; i < 768; ++i) {
      media::DrawImage(blocks, static_cast<float>((i % 32) * 24), static_cast<float>((i / 32) * 24),
                       i & 3);
    }
    for (int i = 0; i < 20; ++i) {
      media::DrawImage(sprites, static_cast<float>(30 + i * 35), static_cast<float>(40 + i * 25),
                       i & 1);
    }
    media::DrawImage(bar, 0, 576);
  }
};

void BM_PlayFrameMasked(benchmark::State& state) {
  Scene scene;
  media::SetBlend(media::MASKBLEND);
  for (auto _ : state) {
    scene.DrawFrame();
    benchmark::DoNotOptimize(media::BackBufferPixels()[1000]);
  }
}
BENCHMARK(BM_PlayFrameMasked)->Unit(benchmark::kMillisecond);

// The same frame in alpha blending, as the game draws after its pause screen.
void BM_PlayFrameAlphaBlend(benchmark::State& state) {
  Scene scene;
  media::SetBlend(media::ALPHABLEND);
  for (auto _ : state) {
    scene.DrawFrame();
    benchmark::DoNotOptimize(media::BackBufferPixels()[1000]);
  }
}
BENCHMARK(BM_PlayFrameAlphaBlend)->Unit(benchmark::kMillisecond);

// The same frame at alpha 0.5: every pixel goes through the blend arithmetic.
void BM_PlayFrameHalfAlpha(benchmark::State& state) {
  Scene scene;
  media::SetBlend(media::ALPHABLEND);
  media::SetAlpha(0.5f);
  for (auto _ : state) {
    scene.DrawFrame();
    benchmark::DoNotOptimize(media::BackBufferPixels()[1000]);
  }
}
BENCHMARK(BM_PlayFrameHalfAlpha)->Unit(benchmark::kMillisecond);

void BM_FramebufferMemcpy(benchmark::State& state) {
  std::vector<Pixel> from(800 * 600, 0xFF123456u), to(800 * 600);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size() * sizeof(Pixel));
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FramebufferMemcpy)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
