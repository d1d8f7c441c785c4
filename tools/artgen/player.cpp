// Player.png: the explorer, built from the poses of poses.txt. Each pose is drawn facing
// right and mirrored for the left; the tool in hand is layered over the figure.
#include <algorithm>
#include <cmath>
#include <string>

#include "tools/artgen/tools.h"

namespace artgen {
namespace {

constexpr int kCellW = 48, kCellH = 72, kGround = 71;

struct Pt {
  double x, y;
};

Pt Along(Pt from, double degrees, double length) {
  double a = degrees * 3.14159265358979 / 180.0;
  return {from.x + length * std::sin(a), from.y + length * std::cos(a)};
}

int R(double v) {
  return static_cast<int>(std::lround(v));
}

struct Figure {
  Pt hip, shoulder, head, fKnee, fFoot, bKnee, bFoot, fElbow, fHand, bElbow, bHand;
};

// The joints of a pose, hip at (0, 0), facing right; angles as in poses.txt.
Figure Joints(const std::vector<int>& p) {
  auto v = [&p](size_t i) { return i < p.size() ? static_cast<double>(p[i]) : 0.0; };
  Figure f;
  f.hip = {0, 0};
  f.shoulder = Along(f.hip, 180 - v(0), 14);
  f.head = Along(f.shoulder, 180 - v(0), 7);
  f.fKnee = Along(f.hip, v(2), 9);
  f.fFoot = Along(f.fKnee, v(2) - v(3), 9);
  f.bKnee = Along(f.hip, v(4), 9);
  f.bFoot = Along(f.bKnee, v(4) - v(5), 9);
  f.fElbow = Along(f.shoulder, v(6), 7);
  f.fHand = Along(f.fElbow, v(6) + v(7), 7);
  f.bElbow = Along(f.shoulder, v(8), 7);
  f.bHand = Along(f.bElbow, v(8) + v(9), 7);
  return f;
}

void Limb(Canvas& c, Pt a, Pt b, Pt d, int ox, int oy, int width, Colour col) {
  c.ThickLine(ox + R(a.x), oy + R(a.y), ox + R(b.x), oy + R(b.y), width, col);
  c.ThickLine(ox + R(b.x), oy + R(b.y), ox + R(d.x), oy + R(d.y), width, col);
}

void Boot(Canvas& c, Pt foot, int ox, int oy, Colour col) {
  int x = ox + R(foot.x), y = oy + R(foot.y);
  c.Fill(x - 2, y - 1, 6, 3, col);
}

void Head(const Art& art, Canvas& c, int x, int y, bool dazed) {
  c.Disc(x, y, 4, art.C("skin"));
  c.Fill(x + 4, y, 1, 2, art.C("skin"));           // nose
  c.Fill(x - 4, y - 1, 2, 4, art.C("skin_dark"));  // ear side in shade
  if (dazed) {
    c.Put(x + 1, y, art.C("ink"));
    c.Put(x + 3, y, art.C("ink"));
    c.Put(x + 2, y + 1, art.C("ink"));
  } else {
    c.Fill(x + 2, y - 1, 1, 2, art.C("ink"));
  }
  c.Fill(x, y + 3, 3, 1, art.C("skin_dark"));  // mouth
  // Pith helmet: dome, band and brim.
  c.Ellipse(x - 6, y - 10, 13, 9, art.C("linen"));
  c.Fill(x - 6, y - 4, 13, 2, art.C("khaki"));
  c.Fill(x - 7, y - 2, 18, 1, art.C("linen_dark"));  // the peak reaches further forward
  c.Put(x - 3, y - 8, art.C("white"));
  c.Put(x - 2, y - 9, art.C("white"));
}

// The hip's column facing right. Walking, the figure stands a little ahead of the body's
// middle, so that its front reaches 12 pixels from the body's edge (the push test's
// look-ahead); digging, it steps back to keep the tool inside the cell.
constexpr int kWalkHip = 25, kDigHip = 19;

// Draws a pose facing right into a fresh cell; tool -1 for empty hands.
Canvas DrawPose(const Art& art, const std::vector<int>& pose, int tool, int toolScale,
                bool ground = true, bool dazed = false, int ox = kWalkHip) {
  Figure f = Joints(pose);
  double lowest = std::max({f.fFoot.y, f.bFoot.y, f.fKnee.y + 2, f.bKnee.y + 2});
  int oy = ground ? kGround - 1 - R(lowest) : 52;
  Canvas c(kCellW, kCellH);
  Colour shirt = art.C("shirt"), shirtBack = art.C("shirt_dark");
  Colour legs = art.C("khaki"), legsBack = art.C("khaki_dark"), boot = art.C("brown");
  Colour skin = art.C("skin");
  Limb(c, f.shoulder, f.bElbow, f.bHand, ox, oy, 4, shirtBack);
  c.Disc(ox + R(f.bHand.x), oy + R(f.bHand.y), 1, art.C("skin_dark"));
  Limb(c, f.hip, f.bKnee, f.bFoot, ox, oy, 5, legsBack);
  Boot(c, f.bFoot, ox, oy, art.C("brown_dark"));
  c.ThickLine(ox + R(f.hip.x), oy + R(f.hip.y) - 1, ox + R(f.shoulder.x), oy + R(f.shoulder.y) + 1,
              11, shirt);
  // The belt: a band across the body at the hip.
  c.ThickLine(ox + R(f.hip.x) - 4, oy + R(f.hip.y) - 2, ox + R(f.hip.x) + 4, oy + R(f.hip.y) - 2, 2,
              art.C("brown"));
  c.Put(ox + R(f.hip.x) + 2, oy + R(f.hip.y) - 2, art.C("gold"));
  Limb(c, f.hip, f.fKnee, f.fFoot, ox, oy, 5, legs);
  Boot(c, f.fFoot, ox, oy, boot);
  ShadeEdges(c, 0, 0, kCellW, kCellH);  // the body's volume, before the details over it
  Head(art, c, ox + R(f.head.x), oy + R(f.head.y), dazed);
  if (tool >= 0) {
    int angle = pose.size() > 10 ? pose[10] : 0;
    DrawToolInHand(art, c, tool, ox + R(f.fHand.x), oy + R(f.fHand.y), toolScale, angle, false);
  }
  Limb(c, f.shoulder, f.fElbow, f.fHand, ox, oy, 4, shirt);
  c.Disc(ox + R(f.fHand.x), oy + R(f.fHand.y), 1, skin);
  c.Outline(0, 0, kCellW, kCellH, art.C("ink"));
  return c;
}

Canvas Mirror(const Canvas& c) {
  Canvas m(c.Width(), c.Height());
  m.Blit(c, 0, 0, true);
  return m;
}

}  // namespace

// Climbing, seen from behind: hands on the rungs in turn, the tool in the lower hand.
// step -1 is the player seen from behind with the arms down (going into the exit door).
Canvas PlayerFromBehind(const Art& art, int step, int tool) {
  const bool walking = step < 0;
  if (walking) step = 0;
  Canvas c(kCellW, kCellH);
  const int cx = 24;
  int up = step % 2;  // which hand is high
  int lift = (step == 1 || step == 3) ? 2 : 0;
  Colour shirt = art.C("shirt"), legs = art.C("khaki"), boot = art.C("brown");
  int hipY = 53 - lift, shY = 39 - lift;
  // Legs, one foot a rung higher than the other.
  int lFoot = up ? 64 : 70, rFoot = up ? 70 : 64;
  c.ThickLine(cx - 3, hipY, cx - 5, lFoot - 5, 4, legs);
  c.ThickLine(cx - 5, lFoot - 5, cx - 5, lFoot, 4, legs);
  c.ThickLine(cx + 3, hipY, cx + 5, rFoot - 5, 4, legs);
  c.ThickLine(cx + 5, rFoot - 5, cx + 5, rFoot, 4, legs);
  c.Fill(cx - 7, lFoot, 5, 2, boot);
  c.Fill(cx + 3, rFoot, 5, 2, boot);
  c.Fill(cx - 6, shY, 13, hipY - shY + 1, shirt);
  c.Fill(cx - 6, hipY - 2, 13, 2, art.C("brown"));
  c.Fill(cx - 1, shY + 2, 2, hipY - shY - 4, art.C("shirt_dark"));  // back seam
  // Arms reaching for the rungs.
  int lHandY = up ? 22 : 32, rHandY = up ? 32 : 22;
  if (walking) {
    c.ThickLine(cx - 7, shY + 1, cx - 8, shY + 14, 3, shirt);
    c.ThickLine(cx + 7, shY + 1, cx + 8, shY + 14, 3, shirt);
    c.Disc(cx - 8, shY + 15, 1, art.C("skin"));
    c.Disc(cx + 8, shY + 15, 1, art.C("skin"));
  } else {
    c.ThickLine(cx - 6, shY + 1, cx - 10, lHandY + 4, 3, shirt);
    c.ThickLine(cx - 10, lHandY + 4, cx - 10, lHandY, 3, shirt);
    c.ThickLine(cx + 6, shY + 1, cx + 10, rHandY + 4, 3, shirt);
    c.ThickLine(cx + 10, rHandY + 4, cx + 10, rHandY, 3, shirt);
    c.Disc(cx - 10, lHandY, 1, art.C("skin"));
    c.Disc(cx + 10, rHandY, 1, art.C("skin"));
  }
  ShadeEdges(c, 0, 0, kCellW, kCellH);
  // Head from behind: the helmet covers it.
  c.Disc(cx, shY - 6, 4, art.C("skin_dark"));
  c.Ellipse(cx - 6, shY - 14, 13, 10, art.C("linen"));
  c.Fill(cx - 6, shY - 8, 13, 2, art.C("khaki"));
  c.Fill(cx - 7, shY - 6, 15, 1, art.C("linen_dark"));
  if (tool >= 0) {
    int hx = up ? cx + 10 : cx - 10;
    // Hanging from the lower hand along the body.
    const int hang[6] = {90, 90, 90, 180, 180, 0};
    DrawToolInHand(art, c, tool, hx, 32, 50, hang[tool] + (up ? -10 : 10), false);
    c.Disc(hx, 32, 1, art.C("skin"));
  }
  c.Outline(0, 0, kCellW, kCellH, art.C("ink"));
  return c;
}

namespace {

// Dead: lying on the back on the floor, the helmet rolled away.
Canvas Dead(const Art& art) {
  Canvas c(kCellW, kCellH);
  c.Fill(12, 63, 16, 7, art.C("shirt"));  // torso
  c.Fill(28, 64, 14, 5, art.C("khaki"));  // legs
  c.Fill(41, 62, 3, 7, art.C("brown"));   // boots up
  c.Fill(26, 63, 2, 7, art.C("brown"));   // belt
  c.Disc(8, 66, 4, art.C("skin"));
  c.Put(8, 64, art.C("ink"));
  c.Put(6, 64, art.C("ink"));
  c.Ellipse(1, 56, 10, 6, art.C("linen"));    // helmet on the ground
  c.Fill(14, 61, 8, 2, art.C("shirt_dark"));  // arm across the chest
  c.Outline(0, 0, kCellW, kCellH, art.C("ink"));
  return c;
}

void Stars(const Art& art, Canvas& c, int x, int y, int step) {
  const int dx[4] = {-7, 0, 7, 0}, dy[4] = {0, -4, 0, 3};
  for (int i = 0; i < 3; ++i) {
    int k = (i + step) % 4;
    int sx = x + dx[k], sy = y + dy[k];
    c.Put(sx, sy, art.C("gold_light"));
    c.Put(sx - 1, sy, art.C("gold"));
    c.Put(sx + 1, sy, art.C("gold"));
    c.Put(sx, sy - 1, art.C("gold"));
    c.Put(sx, sy + 1, art.C("gold"));
  }
}

// While walking, the blades are carried pointing down and forward and the drill a little
// smaller, so that every tool stays whole inside the 48-pixel cell.
std::vector<int> Carried(std::vector<int> pose, int tool) {
  static const int kCarryAngle[6] = {55, 90, 0, 0, 0, 0};
  if (tool < 0) return pose;
  pose.resize(11, 0);
  pose[10] += kCarryAngle[tool];
  return pose;
}

int CarryScale(int tool) {
  return tool == 2 ? 46 : 60;
}

// Whether a drawn cell keeps the figure, its outline and its tool off the cell's sides and top
// (the feet stand on the bottom row).
bool Whole(const Canvas& c) {
  for (int y = 0; y < c.Height(); ++y)
    if (c.Opaque(0, y) || c.Opaque(c.Width() - 1, y)) return false;
  for (int x = 0; x < c.Width(); ++x)
    if (c.Opaque(x, 0)) return false;
  return true;
}

// The cell moved sideways just enough to keep it off both sides (for poses whose pixels no
// rule reads: falling down dead).
Canvas Inside(const Canvas& c) {
  int left = c.Width(), right = -1;
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x)
      if (c.Opaque(x, y)) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
  int dx = 0;
  if (left < 1) dx = 1 - left;
  if (right + dx > c.Width() - 2) dx = c.Width() - 2 - right;
  Canvas moved(c.Width(), c.Height());
  moved.Blit(c, dx, 0);
  return moved;
}

}  // namespace

void DrawPlayerPictures(const Art& art, std::vector<Picture>& out) {
  Cells cells(kCellW, kCellH, 130, 12);
  auto put = [&](int i, const Canvas& cell) { cells.canvas.Blit(cell, cells.X(i), cells.Y(i)); };
  const Sources& src = art.src;
  // Frames (State * 3 + Direction) * 4 + step: State 0 empty hands, 1..6 holding tool 0..5.
  for (int state = 0; state < 7; ++state) {
    int tool = state - 1;
    std::string prefix = tool < 0 ? "walk" : "hold";
    for (int step = 0; step < 4; ++step) {
      // The right-facing group is shifted by one so that its standing frame (base + 1) is the
      // calm pose, as the left group's (base + 0) is.
      Canvas left = Mirror(DrawPose(art, Carried(src.Numbers(prefix + std::to_string(step)), tool),
                                    tool, CarryScale(tool)));
      Canvas right =
          DrawPose(art, Carried(src.Numbers(prefix + std::to_string((step + 3) % 4)), tool), tool,
                   CarryScale(tool));
      put(state * 12 + step, left);
      put(state * 12 + 4 + step, right);
      put(state * 12 + 8 + step, PlayerFromBehind(art, step, tool));
    }
  }
  // Digging: 84 + 8 * (tool - 2) + 4 * side + step.
  const char* const digPose[4] = {"drill", "hammer", "pick", "scoop"};
  // Each tool as large as its swing allows: the largest size at which all four steps keep the
  // tool whole inside the cell, so the tool keeps one size through the animation.
  const int kDigScale[4] = {56, 64, 64, 72};
  for (int t = 0; t < 4; ++t) {
    auto pose = [&](int step, int scale) {
      return DrawPose(art, src.Numbers(digPose[t] + std::to_string(step)), t + 2, scale, true,
                      false, kDigHip);
    };
    int scale = kDigScale[t];
    auto fits = [&](int s) {
      for (int step = 0; step < 4; ++step)
        if (!Whole(pose(step, s))) return false;
      return true;
    };
    while (scale > 30 && !fits(scale)) scale -= 2;
    for (int step = 0; step < 4; ++step) {
      Canvas right = pose(step, scale);
      if (t == 0 && step % 2 == 1) Stars(art, right, 38, 50, step);  // sparks at the bit
      put(84 + 8 * t + step, Mirror(right));
      put(84 + 8 * t + 4 + step, right);
    }
  }
  // 116..122 are never shown: calm standing poses, one per tool, carried as when walking.
  for (int i = 0; i < 7; ++i)
    put(116 + i, DrawPose(art, Carried(src.Numbers("hold0"), i - 1), i - 1, CarryScale(i - 1)));
  put(123, Inside(Dead(art)));
  Canvas jump = DrawPose(art, src.Numbers("jump"), -1, 60);
  put(124, Mirror(jump));
  put(125, jump);
  for (int step = 0; step < 4; ++step) {
    Canvas dying = DrawPose(art, src.Numbers("die" + std::to_string(step)), -1, 60, true, true);
    Stars(art, dying, 24, 26 + 4 * step, step);
    put(126 + step, Inside(dying));
  }
  out.push_back(cells.Done("Images/Player.png"));
}

}  // namespace artgen
