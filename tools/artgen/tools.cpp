#include "tools/artgen/tools.h"

#include <cmath>
#include <utility>
#include <vector>

namespace artgen {
namespace {

struct Part {
  std::vector<std::pair<double, double>> pts;
  const char* colour;
};

std::vector<Part> Rect(double x0, double y0, double x1, double y1, const char* colour) {
  return {Part{{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, colour}};
}

std::vector<Part> ToolParts(int kind) {
  std::vector<Part> parts;
  auto add = [&parts](std::vector<Part> more) {
    for (auto& p : more) parts.push_back(p);
  };
  switch (kind) {
    case 0:  // knife, pointing right
      add(Rect(-15, -2, -5, 2, "wood"));
      add({Part{{{-5, -3}, {9, -3}, {16, 0}, {9, 3}, {-5, 3}}, "steel_light"}});
      add({Part{{{-5, 1}, {9, 1}, {16, 0}, {9, 3}, {-5, 3}}, "steel"}});
      add(Rect(-7, -6, -4, 6, "gold"));
      add(Rect(-17, -3, -14, 3, "gold_dark"));
      break;
    case 1:  // boomerang, opening downwards
      add({Part{{{-16, 7}, {-3, -9}, {3, -9}, {16, 7}, {11, 11}, {0, -1}, {-11, 11}},
                "wood_light"}});
      add({Part{{{-16, 7}, {-12, 2}, {-7, 7}, {-11, 11}}, "red"}});
      add({Part{{{16, 7}, {12, 2}, {7, 7}, {11, 11}}, "red"}});
      add({Part{{{-2, -7}, {2, -7}, {3, -4}, {-3, -4}}, "gold"}});
      break;
    case 2:  // hand drill, bit to the right
      add(Rect(-14, -6, 2, 6, "orange"));
      add(Rect(-14, -6, 2, -3, "gold_light"));
      add(Rect(-10, 6, -4, 15, "brown"));
      add({Part{{{2, -5}, {16, 0}, {2, 5}}, "steel_light"}});
      add({Part{{{5, -4}, {7, -3}, {7, 3}, {5, 4}}, "steel_dark"}});
      add({Part{{{10, -2}, {12, -1}, {12, 1}, {10, 2}}, "steel_dark"}});
      add(Rect(-16, -3, -14, 3, "steel"));
      break;
    case 3:  // hammer, head up
      add(Rect(-2, -4, 2, 16, "wood_light"));
      add(Rect(1, -4, 2, 16, "wood"));
      add(Rect(-11, -13, 11, -4, "steel"));
      add(Rect(-11, -13, 11, -10, "steel_light"));
      add(Rect(-13, -12, -11, -5, "steel_dark"));
      add(Rect(11, -12, 13, -5, "steel_dark"));
      break;
    case 4:  // pick, head up
      add(Rect(-2, -8, 2, 16, "wood_light"));
      add(Rect(1, -8, 2, 16, "wood"));
      add({Part{{{-16, -3}, {-9, -11}, {0, -13}, {9, -11}, {16, -3}, {8, -7}, {0, -8}, {-8, -7}},
                "steel"}});
      add({Part{{{-9, -11}, {0, -13}, {9, -11}, {0, -10}}, "steel_light"}});
      add(Rect(-3, -12, 3, -7, "gold_dark"));
      break;
    default:  // scoop, blade down
      add(Rect(-2, -15, 2, 2, "wood_light"));
      add(Rect(1, -15, 2, 2, "wood"));
      add(Rect(-6, -17, 6, -13, "wood"));
      add({Part{{{-8, 1}, {8, 1}, {8, 10}, {0, 16}, {-8, 10}}, "steel"}});
      add({Part{{{-8, 1}, {-3, 1}, {-3, 12}, {-8, 10}}, "steel_light"}});
      break;
  }
  return parts;
}

}  // namespace

void DrawTool(const Art& art, Canvas& c, int kind, int cx, int cy, int scale, int angle,
              bool mirror, bool outline) {
  const double a = angle * 3.14159265358979 / 180.0, s = scale / 100.0;
  const double ca = std::cos(a), sa = std::sin(a);
  Canvas layer(c.Width(), c.Height());
  for (const Part& p : ToolParts(kind)) {
    std::vector<std::pair<int, int>> pts;
    for (auto [x, y] : p.pts) {
      if (mirror) x = -x;
      double rx = x * ca - y * sa, ry = x * sa + y * ca;
      pts.emplace_back(static_cast<int>(std::lround(cx + s * rx)),
                       static_cast<int>(std::lround(cy + s * ry)));
    }
    layer.Poly(pts, art.C(p.colour));
  }
  if (outline) layer.Outline(0, 0, layer.Width(), layer.Height(), art.C("ink"));
  c.Blit(layer, 0, 0);
}

void DrawToolInHand(const Art& art, Canvas& c, int kind, int hx, int hy, int scale, int angle,
                    bool mirror) {
  // Where each tool is held, in its own coordinates.
  static const double grip[6][2] = {{-10, 0}, {-8, 5}, {-7, 10}, {0, 11}, {0, 11}, {0, -9}};
  double gx = grip[kind][0], gy = grip[kind][1];
  if (mirror) gx = -gx;
  const double a = angle * 3.14159265358979 / 180.0, s = scale / 100.0;
  double rx = gx * std::cos(a) - gy * std::sin(a), ry = gx * std::sin(a) + gy * std::cos(a);
  DrawTool(art, c, kind, static_cast<int>(std::lround(hx - s * rx)),
           static_cast<int>(std::lround(hy - s * ry)), scale, angle, mirror);
}

void DrawGold(const Art& art, Canvas& c, int cx, int cy, int glint) {
  Canvas layer(c.Width(), c.Height());
  Colour light = art.C("gold_light"), gold = art.C("gold"), dark = art.C("gold_dark");
  // A heap of coins: four, three, two and one from the bottom up, each a flat disc with a
  // dark rim below and a bright face.
  for (int row = 0; row < 4; ++row) {
    int n = 4 - row, y = cy + 8 - row * 5;
    for (int k = 0; k < n; ++k) {
      int x = cx - n * 5 + k * 10 + 1;
      layer.Ellipse(x - 1, y + 1, 11, 6, dark);
      layer.Ellipse(x - 1, y, 11, 5, gold);
      layer.Fill(x + 2, y + 1, 5, 1, light);
    }
  }
  layer.Outline(0, 0, layer.Width(), layer.Height(), art.C("brown_dark"));
  c.Blit(layer, 0, 0);
  // The shine hops from coin to coin.
  const int gx[8] = {-14, -4, 6, -9, 1, -4, 11, 4}, gy[8] = {8, 8, 8, 3, 3, -2, 8, -7};
  int x = cx + gx[glint & 7], y = cy + gy[glint & 7];
  c.Put(x, y, art.C("white"));
  c.Put(x - 1, y, art.C("white"));
  c.Put(x, y - 1, art.C("white"));
}

}  // namespace artgen
