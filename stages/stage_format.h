// The stage file: its byte layout, a decoder that checks a whole file before anything uses it,
// and an encoder that writes the same layout.
//
// A stage file is a flat run of unsigned bytes, in this order (the writer walks the object
// lists first to last, so objects come back in the order they were written):
//
//   #  field            bytes          content
//   1  signature        4              4, 7, 9, 1 (any four bytes summing to 21 are accepted)
//   2  NumOfRooms       1              number of room records
//   3  room records     2 each         rx, ry (0 to 5) of a room that exists
//   4  cell blocks      768 each       one per distinct existing room, in scan order ry 0..5
//                                      (outer), rx 0..5; inside: rows 0..23, columns 0..31
//   5  numofenemies     1
//   6  enemy records    6 each         x, y (cells in the origin room), Kind, frame,
//                                      OriginRoomX, OriginRoomY
//   7  numoftraps       1
//   8  trap records     7 each         X, Y (cells), Kind, Frame, Height, Roomx, Roomy
//   9  numofitems       1
//  10  item records     6 each         X, Y (cells), kind, frame, RoomX, RoomY
//  11  player start     4              X, Y (cells), RoomX, RoomY
//  12  exit door        5              x, y (cells of its top-left corner), Frame (gold to
//                                      collect), roomx, roomy
//  13  Worldtheme       1              0 to 5
//  14  BackGround       1              0 to 11
//  15  numofstatus      1
//  16  statue records   5 each         x, y (cells), frame, roomx, roomy
//
// The decoder refuses a file that ends before its counts say, a room (of a room record or of
// any object) outside 0 to 5, a theme above 5, a backdrop above 11, and an object whose cells
// would lie outside the cell grid `Stage`. Cell codes are stored as they are.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace stagefile {

constexpr std::array<int, 4> kSignature = {4, 7, 9, 1};
constexpr int kSignatureSum = 21;
constexpr int kRoomsAcross = 6;  // rooms 0 to 5 across and down
constexpr int kBlockBytes = 32 * 24;
constexpr int kEnemyBytes = 6;
constexpr int kTrapBytes = 7;
constexpr int kItemBytes = 6;
constexpr int kPlayerBytes = 4;
constexpr int kDoorBytes = 5;
constexpr int kStatueBytes = 5;
constexpr int kMaxTheme = 5;
constexpr int kMaxBackdrop = 11;
// The longest file the layout allows (every count 255, all 36 rooms); readers need no more.
constexpr std::size_t kMaxFileBytes = 4 + 1 + 2 * 255 + kBlockBytes * 36 + 1 + kEnemyBytes * 255 +
                                      1 + kTrapBytes * 255 + 1 + kItemBytes * 255 + kPlayerBytes +
                                      kDoorBytes + 1 + 1 + 1 + kStatueBytes * 255;

struct Enemy {
  int x = 0, y = 0, Kind = 0, frame = 0, OriginRoomX = 0, OriginRoomY = 0;
};
struct Trap {
  int X = 0, Y = 0, Kind = 0, Frame = 0, Height = 0, Roomx = 0, Roomy = 0;
};
struct Item {
  int X = 0, Y = 0, kind = 0, frame = 0, RoomX = 0, RoomY = 0;
};
struct Statue {
  int x = 0, y = 0, frame = 0, roomx = 0, roomy = 0;
};

// One stage as the file holds it: positions in cells, values as stored.
struct Data {
  std::array<int, 4> signature = kSignature;
  std::vector<std::array<int, 2>> roomRecords;  // rx, ry in file order (may repeat)
  // cells[ry][rx][row][column]; only the blocks of existing rooms are written and read.
  std::vector<unsigned char> cells = std::vector<unsigned char>(36 * kBlockBytes, 0);
  std::vector<Enemy> enemies;
  std::vector<Trap> traps;
  std::vector<Item> items;
  int playerX = 0, playerY = 0, playerRoomX = 0, playerRoomY = 0;
  int doorX = 0, doorY = 0, doorFrame = 0, doorRoomX = 0, doorRoomY = 0;
  int Worldtheme = 0, BackGround = 0;
  std::vector<Statue> statues;

  bool RoomExists(int rx, int ry) const;
  unsigned char& Cell(int rx, int ry, int column, int row) {
    return cells[((ry * kRoomsAcross + rx) * 24 + row) * 32 + column];
  }
  unsigned char Cell(int rx, int ry, int column, int row) const {
    return cells[((ry * kRoomsAcross + rx) * 24 + row) * 32 + column];
  }
};

enum class Fault { None, Missing, BadSignature, Truncated, OutOfRange };

struct Check {
  Fault fault = Fault::None;
  std::string what;  // a short English description for the error line, empty when sound
  bool ok() const { return fault == Fault::None; }
};

// Decodes a whole file. On any fault `out` is left as it was.
Check Decode(const std::vector<unsigned char>& bytes, Data& out);

// The bytes of a stage in the layout above; counts above 255 are cut to 255 records.
std::vector<unsigned char> Encode(const Data& stage);

// The file size for the given numbers of room records, enemies, traps, items and statues.
std::size_t FileSize(int rooms, int enemies, int traps, int items, int statues);

}  // namespace stagefile
