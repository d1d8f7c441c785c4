#include "tools/solc/picture.h"

#include <vector>

#include "core/globals.h"
#include "core/objects.h"
#include "media/graphics.h"
#include "play/render.h"

namespace solc {

namespace {

constexpr int kRoomWidth = kRoomCols * 24, kRoomHeight = kRoomRows * 24;
constexpr int kCellWidth = kRoomWidth / kPictureScale, kCellHeight = kRoomHeight / kPictureScale;
constexpr int kLeft = 16;  // the play-field's origin in the window
constexpr media::Pixel kMissing = 0xff181818u, kEdge = 0xff606060u;

void DrawRoom(int rx, int ry) {
  RoomX = rx;
  RoomY = ry;
  media::Cls();
  RenderBack();
  RenderDecoration();
  RenderBlocks(RoomX * kRoomCols, RoomY * kRoomRows, Worldtheme);
  RenderExitDoor();
  RenderItems();
  Rendertraps();
  RenderEnemiesG();
  if (Player->RoomX == rx && Player->RoomY == ry)
    media::DrawImage(PlayerSprite, static_cast<float>(Player->X), static_cast<float>(Player->Y),
                     Player->Frame + 1);
}

// The back buffer's play-field, averaged down into the picture's cell of room (rx, ry).
void Shrink(std::vector<media::Pixel>& picture, int width, int rx, int ry) {
  const media::Pixel* back = media::BackBufferPixels();
  const int screenWidth = media::GraphicsWidth();
  for (int y = 0; y < kCellHeight; ++y) {
    for (int x = 0; x < kCellWidth; ++x) {
      unsigned sum[3] = {0, 0, 0};
      for (int dy = 0; dy < kPictureScale; ++dy) {
        for (int dx = 0; dx < kPictureScale; ++dx) {
          const media::Pixel p =
              back[(y * kPictureScale + dy) * screenWidth + kLeft + x * kPictureScale + dx];
          for (int c = 0; c < 3; ++c) sum[c] += (p >> (16 - 8 * c)) & 0xffu;
        }
      }
      const unsigned n = kPictureScale * kPictureScale;
      const bool edge = x == 0 || y == 0;
      picture[static_cast<std::size_t>((ry * kCellHeight + y) * width + rx * kCellWidth + x)] =
          edge ? kEdge : 0xff000000u | (sum[0] / n) << 16 | (sum[1] / n) << 8 | sum[2] / n;
    }
  }
}

}  // namespace

bool DrawStagePicture(const std::string& levelsDir, StageRef stage, const std::string& workFolder,
                      const std::string& out, std::string& error) {
  if (!PrepareFolder(workFolder, levelsDir, stage, false, error) ||
      !StartStage(stage, false, error))
    return false;
  const int width = 6 * kCellWidth, height = 6 * kCellHeight;
  std::vector<media::Pixel> picture(static_cast<std::size_t>(width * height), kMissing);
  media::SetViewport(kLeft, 0, kRoomWidth, 600);
  media::SetOrigin(kLeft, 0);
  const int roomX = RoomX, roomY = RoomY;
  for (int ry = 0; ry < 6; ++ry) {
    for (int rx = 0; rx < 6; ++rx) {
      if (Rooms[rx][ry] == 0) continue;
      DrawRoom(rx, ry);
      Shrink(picture, width, rx, ry);
    }
  }
  RoomX = roomX;
  RoomY = roomY;
  if (!media::SavePNG(picture.data(), width, height, out)) {
    error = "could not write " + out;
    return false;
  }
  return true;
}

}  // namespace solc
