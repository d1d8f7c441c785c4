// The screen: framebuffers, drawing state, Graphics, Flip and frame pacing.
#include <algorithm>
#include <cmath>
#include <limits>

#include "media/backend.h"
#include "media/render/render_internal.h"

namespace media {
namespace render {

State& S() {
  static State state;
  return state;
}

void UpdateClip() {
  State& s = S();
  // Computed in 64 bits so that huge viewports cannot overflow.
  std::int64_t x0 = std::max<std::int64_t>(s.viewX, 0);
  std::int64_t y0 = std::max<std::int64_t>(s.viewY, 0);
  std::int64_t x1 = std::min<std::int64_t>(std::int64_t{s.viewX} + s.viewW, s.width);
  std::int64_t y1 = std::min<std::int64_t>(std::int64_t{s.viewY} + s.viewH, s.height);
  if (x1 < x0) x1 = x0;
  if (y1 < y0) y1 = y0;
  s.clip =
      Rect{static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1), static_cast<int>(y1)};
}

namespace {

void ResetDrawingState(State& s) {
  s.red = s.green = s.blue = 255;
  s.alpha = 1.0f;
  s.alpha255 = 255;
  s.blend = MASKBLEND;
  s.viewX = 0;
  s.viewY = 0;
  s.viewW = s.width;
  s.viewH = s.height;
  s.originX = 0;
  s.originY = 0;
  s.clsColor = 0xFF000000u;
  UpdateClip();
}

}  // namespace
}  // namespace render

using render::S;

bool Graphics(int width, int height, int depth, int hertz) {
  if (width <= 0 || height <= 0 || width > render::kMaxSide || height > render::kMaxSide ||
      std::int64_t{width} * height > render::kMaxPixels) {
    return false;
  }
  render::State& s = S();
  if (!detail::CurrentBackend().OpenScreen(width, height, depth != 0, hertz)) return false;
  if (!s.title.empty()) detail::CurrentBackend().SetTitle(s.title);
  s.width = width;
  s.height = height;
  s.hertz = hertz > 0 ? hertz : 60;
  s.back.assign(static_cast<std::size_t>(width) * height, 0xFF000000u);
  s.shown = s.back;
  s.paceStarted = false;
  // The mask colour survives a change of mode; the rest of the drawing state starts afresh.
  render::ResetDrawingState(s);
  return true;
}

void AppTitle(const std::string& title) {
  S().title = title;
  detail::CurrentBackend().SetTitle(title);
}

// Windowed frames are paced to the frame times base + k * 1000 / hertz, counted from the first
// Flip after the mode opened, so rounding never accumulates. A frame more than one period late
// (or a clock that went backwards) starts the count afresh.
//
// A display that paces Present itself (vertical sync) shows a frame at its next refresh, so a
// Delay the program made after the last frame would vanish inside that wait, and a screen that
// waits DelayTime to bring a fast display to its game speed would not slow down at all. So each
// frame is due one refresh period plus those delays after the previous one was due (counted
// from the previous due time, so that the refreshes' rounding does not add up), and Flip waits
// for that before it presents.
void Flip(int sync) {
  render::State& s = S();
  detail::Backend& backend = detail::CurrentBackend();
  if (sync != 0 && backend.PacesItself()) {
    const double refresh = backend.RefreshPeriod() > 0 ? backend.RefreshPeriod() : 1000.0 / s.hertz;
    const double now = static_cast<double>(backend.Millis());
    double due = s.refreshDue + refresh + s.delayedSinceFlip;
    if (!s.paceStarted || due < now - refresh || due > now + 2 * refresh + s.delayedSinceFlip)
      due = now;
    if (s.delayedSinceFlip > 0 && now < due) backend.Sleep(static_cast<int>(due - now));
    s.refreshDue = due;
    s.paceStarted = true;
  }
  s.delayedSinceFlip = 0;
  backend.Present(s.back.data(), s.width, s.height);
  s.shown = s.back;
  if (sync != 0 && !backend.PacesItself()) {
    const std::int64_t period = 1000 / s.hertz;
    std::int64_t now = backend.Millis();
    if (!s.paceStarted || now < s.paceBase) {
      s.paceStarted = true;
      s.paceBase = now;
      s.paceFrames = 0;
    }
    ++s.paceFrames;
    std::int64_t target = s.paceBase + s.paceFrames * 1000 / s.hertz;
    if (now > target + period) {
      s.paceBase = now;
      s.paceFrames = 0;
    } else if (now < target) {
      backend.Sleep(static_cast<int>(target - now));
    }
  }
  backend.PumpEvents();
  backend.AfterFlip();
}

namespace detail {
void NoteDelay(int ms) {
  // Held at the int range: delays long enough to pass it only mean the frame is late.
  int& delayed = S().delayedSinceFlip;
  if (ms > 0)
    delayed = ms > std::numeric_limits<int>::max() - delayed ? std::numeric_limits<int>::max()
                                                             : delayed + ms;
}
}  // namespace detail

void Cls() {
  render::State& s = S();
  const render::Rect& c = s.clip;
  for (int y = c.y0; y < c.y1; ++y) {
    Pixel* row = s.back.data() + static_cast<std::size_t>(y) * s.width;
    std::fill(row + c.x0, row + c.x1, s.clsColor);
  }
}

void SetClsColor(int r, int g, int b) {
  S().clsColor = render::Rgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
}

int GraphicsWidth() {
  return S().width;
}
int GraphicsHeight() {
  return S().height;
}

void SetColor(int r, int g, int b) {
  render::State& s = S();
  s.red = std::clamp(r, 0, 255);
  s.green = std::clamp(g, 0, 255);
  s.blue = std::clamp(b, 0, 255);
}

void GetColor(int& r, int& g, int& b) {
  const render::State& s = S();
  r = s.red;
  g = s.green;
  b = s.blue;
}

void SetAlpha(float alpha) {
  render::State& s = S();
  if (!(alpha >= 0.0f)) alpha = 0.0f;  // also NaN
  if (alpha > 1.0f) alpha = 1.0f;
  s.alpha = alpha;
  s.alpha255 = static_cast<int>(std::lround(alpha * 255.0f));
}

float GetAlpha() {
  return S().alpha;
}

void SetBlend(int mode) {
  if (mode >= MASKBLEND && mode <= SHADEBLEND) S().blend = mode;
}

int GetBlend() {
  return S().blend;
}

void SetViewport(int x, int y, int width, int height) {
  render::State& s = S();
  s.viewX = x;
  s.viewY = y;
  s.viewW = std::max(width, 0);
  s.viewH = std::max(height, 0);
  render::UpdateClip();
}

void GetViewport(int& x, int& y, int& width, int& height) {
  const render::State& s = S();
  x = s.viewX;
  y = s.viewY;
  width = s.viewW;
  height = s.viewH;
}

void SetOrigin(float x, float y) {
  S().originX = x;
  S().originY = y;
}

void GetOrigin(float& x, float& y) {
  x = S().originX;
  y = S().originY;
}

const Pixel* BackBufferPixels() {
  return S().back.data();
}
const Pixel* ShownPixels() {
  return S().shown.data();
}

Pixel ReadScreenPixel(int x, int y) {
  const render::State& s = S();
  if (x < 0 || y < 0 || x >= s.width || y >= s.height) return 0;
  return s.back[static_cast<std::size_t>(y) * s.width + x];
}

void ResetGraphicsState() {
  render::State& s = S();
  render::ResetDrawingState(s);
  s.maskR = s.maskG = s.maskB = 0;
  std::fill(s.back.begin(), s.back.end(), 0xFF000000u);
  std::fill(s.shown.begin(), s.shown.end(), 0xFF000000u);
  s.paceStarted = false;
}

namespace detail {

// The screen as the program starts: 800 x 600 at 60 Hz, no title, the drawing state reset and
// both buffers black. The backend is not asked to open anything.
void ResetScreen() {
  render::State& s = S();
  s.width = 800;
  s.height = 600;
  s.hertz = 60;
  s.title.clear();
  s.back.assign(static_cast<std::size_t>(s.width) * s.height, 0xFF000000u);
  s.shown = s.back;
  ResetGraphicsState();
}

}  // namespace detail
}  // namespace media
