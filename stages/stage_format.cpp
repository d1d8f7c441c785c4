#include "stages/stage_format.h"

#include <algorithm>

#include "core/globals.h"

namespace stagefile {

namespace {

// Reads bytes in order; a read past the end marks the reader short and gives 0.
class Reader {
 public:
  explicit Reader(const std::vector<unsigned char>& bytes) : bytes_(bytes) {}
  int Byte() {
    if (pos_ >= bytes_.size()) {
      short_ = true;
      return 0;
    }
    return bytes_[pos_++];
  }
  // True when `n` more bytes are there; marks the reader short otherwise.
  bool Has(std::size_t n) {
    if (bytes_.size() - std::min(pos_, bytes_.size()) < n) short_ = true;
    return !short_;
  }
  bool Short() const { return short_; }

 private:
  const std::vector<unsigned char>& bytes_;
  std::size_t pos_ = 0;
  bool short_ = false;
};

bool RoomOk(int rx, int ry) {
  return rx >= 0 && rx < kRoomsAcross && ry >= 0 && ry < kRoomsAcross;
}

// True when the cells columns [column, column + cols) and rows [row, row + rows) of room
// (rx, ry) all lie inside the cell grid.
bool CellsOk(int rx, int ry, int column, int row, int cols, int rows) {
  int c0 = rx * kRoomCols + column, r0 = ry * kRoomRows + row;
  return c0 >= 0 && r0 >= 0 && c0 + cols <= kStageCols && r0 + rows <= kStageRows;
}

// The cells a trap reads and writes during play, from its stored position.
bool TrapCellsOk(const Trap& t) {
  switch (t.Kind) {
    case 0:  // a brick column from row Y down to Y + Height + 1
      return CellsOk(t.Roomx, t.Roomy, t.X, t.Y, 1, t.Height + 2);
    case 1:  // four floor cells in the row under it
      return CellsOk(t.Roomx, t.Roomy, t.X, t.Y, 4, 2);
    case 2:  // 2 x 2, and the row below that a fall looks at
      return CellsOk(t.Roomx, t.Roomy, t.X, t.Y, 2, 3);
    case 3:  // a two-cell ladder Height cells long
      return CellsOk(t.Roomx, t.Roomy, t.X, t.Y, 2, t.Height + 1);
    case 4:
    case 5:
    case 6:
    case 7:  // a door two columns wide, its column Height cells tall (the picture four)
      return CellsOk(t.Roomx, t.Roomy, t.X, t.Y, 2, std::max(t.Height, 4));
    default:
      return CellsOk(t.Roomx, t.Roomy, t.X, t.Y, 1, 1);
  }
}

Check Fail(Fault fault, std::string what) {
  return Check{fault, std::move(what)};
}

std::string Pair(int a, int b) {
  return "(" + std::to_string(a) + ", " + std::to_string(b) + ")";
}

}  // namespace

bool Data::RoomExists(int rx, int ry) const {
  for (const auto& r : roomRecords)
    if (r[0] == rx && r[1] == ry) return true;
  return false;
}

Check Decode(const std::vector<unsigned char>& bytes, Data& out) {
  Reader in(bytes);
  Data d;
  int sum = 0;
  for (int i = 0; i < 4; i++) sum += d.signature[i] = in.Byte();
  if (in.Short()) return Fail(Fault::Truncated, "the file ends inside its signature");
  if (sum != kSignatureSum) return Fail(Fault::BadSignature, "wrong signature");

  int rooms = in.Byte();
  if (!in.Has(2u * rooms)) return Fail(Fault::Truncated, "the file ends inside the room records");
  bool exists[kRoomsAcross][kRoomsAcross] = {};
  for (int i = 0; i < rooms; i++) {
    int rx = in.Byte(), ry = in.Byte();
    if (!RoomOk(rx, ry))
      return Fail(Fault::OutOfRange,
                  "room record " + Pair(rx, ry) + " lies outside the 6 x 6 rooms");
    exists[rx][ry] = true;
    d.roomRecords.push_back({rx, ry});
  }
  for (int ry = 0; ry < kRoomsAcross; ry++)
    for (int rx = 0; rx < kRoomsAcross; rx++) {
      if (!exists[rx][ry]) continue;
      if (!in.Has(kBlockBytes))
        return Fail(Fault::Truncated, "the file ends inside the cells of room " + Pair(rx, ry));
      for (int row = 0; row < kRoomRows; row++)
        for (int column = 0; column < kRoomCols; column++) d.Cell(rx, ry, column, row) = in.Byte();
    }

  int n = in.Byte();
  if (!in.Has(std::size_t(kEnemyBytes) * n))
    return Fail(Fault::Truncated, "the file ends inside the enemy records");
  for (int i = 0; i < n; i++) {
    Enemy e;
    e.x = in.Byte(), e.y = in.Byte(), e.Kind = in.Byte(), e.frame = in.Byte();
    e.OriginRoomX = in.Byte(), e.OriginRoomY = in.Byte();
    if (!RoomOk(e.OriginRoomX, e.OriginRoomY) ||
        !CellsOk(e.OriginRoomX, e.OriginRoomY, e.x, e.y, 2, 2))
      return Fail(Fault::OutOfRange, "enemy " + std::to_string(i + 1) + " lies outside the stage");
    d.enemies.push_back(e);
  }

  n = in.Byte();
  if (!in.Has(std::size_t(kTrapBytes) * n))
    return Fail(Fault::Truncated, "the file ends inside the trap records");
  for (int i = 0; i < n; i++) {
    Trap t;
    t.X = in.Byte(), t.Y = in.Byte(), t.Kind = in.Byte(), t.Frame = in.Byte();
    t.Height = in.Byte(), t.Roomx = in.Byte(), t.Roomy = in.Byte();
    if (!RoomOk(t.Roomx, t.Roomy) || !TrapCellsOk(t))
      return Fail(Fault::OutOfRange, "trap " + std::to_string(i + 1) + " lies outside the stage");
    d.traps.push_back(t);
  }

  n = in.Byte();
  if (!in.Has(std::size_t(kItemBytes) * n))
    return Fail(Fault::Truncated, "the file ends inside the item records");
  for (int i = 0; i < n; i++) {
    Item it;
    it.X = in.Byte(), it.Y = in.Byte(), it.kind = in.Byte(), it.frame = in.Byte();
    it.RoomX = in.Byte(), it.RoomY = in.Byte();
    if (!RoomOk(it.RoomX, it.RoomY) || !CellsOk(it.RoomX, it.RoomY, it.X, it.Y, 1, 1))
      return Fail(Fault::OutOfRange, "item " + std::to_string(i + 1) + " lies outside the stage");
    d.items.push_back(it);
  }

  if (!in.Has(kPlayerBytes + kDoorBytes + 3))
    return Fail(Fault::Truncated, "the file ends before the statue records");
  d.playerX = in.Byte(), d.playerY = in.Byte(), d.playerRoomX = in.Byte(),
  d.playerRoomY = in.Byte();
  if (!RoomOk(d.playerRoomX, d.playerRoomY) ||
      !CellsOk(d.playerRoomX, d.playerRoomY, d.playerX, d.playerY, 2, 2))
    return Fail(Fault::OutOfRange, "the player's start lies outside the stage");
  d.doorX = in.Byte(), d.doorY = in.Byte(), d.doorFrame = in.Byte();
  d.doorRoomX = in.Byte(), d.doorRoomY = in.Byte();
  if (!RoomOk(d.doorRoomX, d.doorRoomY) ||
      !CellsOk(d.doorRoomX, d.doorRoomY, d.doorX, d.doorY, 4, 4))
    return Fail(Fault::OutOfRange, "the exit door lies outside the stage");
  d.Worldtheme = in.Byte();
  if (d.Worldtheme > kMaxTheme)
    return Fail(Fault::OutOfRange, "theme " + std::to_string(d.Worldtheme) + " is above 5");
  d.BackGround = in.Byte();
  if (d.BackGround > kMaxBackdrop)
    return Fail(Fault::OutOfRange, "backdrop " + std::to_string(d.BackGround) + " is above 11");

  n = in.Byte();
  if (!in.Has(std::size_t(kStatueBytes) * n))
    return Fail(Fault::Truncated, "the file ends inside the statue records");
  for (int i = 0; i < n; i++) {
    Statue s;
    s.x = in.Byte(), s.y = in.Byte(), s.frame = in.Byte(), s.roomx = in.Byte(), s.roomy = in.Byte();
    if (!RoomOk(s.roomx, s.roomy) || !CellsOk(s.roomx, s.roomy, s.x, s.y, 1, 1))
      return Fail(Fault::OutOfRange, "statue " + std::to_string(i + 1) + " lies outside the stage");
    d.statues.push_back(s);
  }
  if (in.Short()) return Fail(Fault::Truncated, "the file ends early");
  out = std::move(d);
  return Check{};
}

std::vector<unsigned char> Encode(const Data& s) {
  std::vector<unsigned char> b;
  auto put = [&b](int v) { b.push_back(static_cast<unsigned char>(v)); };
  auto count = [](std::size_t n) { return static_cast<int>(std::min<std::size_t>(n, 255)); };
  for (int v : s.signature) put(v);
  int rooms = count(s.roomRecords.size());
  put(rooms);
  for (int i = 0; i < rooms; i++) put(s.roomRecords[i][0]), put(s.roomRecords[i][1]);
  for (int ry = 0; ry < kRoomsAcross; ry++)
    for (int rx = 0; rx < kRoomsAcross; rx++) {
      if (!s.RoomExists(rx, ry)) continue;
      for (int row = 0; row < kRoomRows; row++)
        for (int column = 0; column < kRoomCols; column++) put(s.Cell(rx, ry, column, row));
    }
  int n = count(s.enemies.size());
  put(n);
  for (int i = 0; i < n; i++) {
    const Enemy& e = s.enemies[i];
    for (int v : {e.x, e.y, e.Kind, e.frame, e.OriginRoomX, e.OriginRoomY}) put(v);
  }
  n = count(s.traps.size());
  put(n);
  for (int i = 0; i < n; i++) {
    const Trap& t = s.traps[i];
    for (int v : {t.X, t.Y, t.Kind, t.Frame, t.Height, t.Roomx, t.Roomy}) put(v);
  }
  n = count(s.items.size());
  put(n);
  for (int i = 0; i < n; i++) {
    const Item& it = s.items[i];
    for (int v : {it.X, it.Y, it.kind, it.frame, it.RoomX, it.RoomY}) put(v);
  }
  for (int v : {s.playerX, s.playerY, s.playerRoomX, s.playerRoomY}) put(v);
  for (int v : {s.doorX, s.doorY, s.doorFrame, s.doorRoomX, s.doorRoomY}) put(v);
  put(s.Worldtheme);
  put(s.BackGround);
  n = count(s.statues.size());
  put(n);
  for (int i = 0; i < n; i++) {
    const Statue& st = s.statues[i];
    for (int v : {st.x, st.y, st.frame, st.roomx, st.roomy}) put(v);
  }
  return b;
}

std::size_t FileSize(int rooms, int enemies, int traps, int items, int statues) {
  return 4 + 1 + 2 * std::size_t(rooms) + std::size_t(kBlockBytes) * rooms + 1 +
         std::size_t(kEnemyBytes) * enemies + 1 + std::size_t(kTrapBytes) * traps + 1 +
         std::size_t(kItemBytes) * items + kPlayerBytes + kDoorBytes + 1 + 1 + 1 +
         std::size_t(kStatueBytes) * statues;
}

}  // namespace stagefile
