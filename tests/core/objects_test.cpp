// The game-object lists (order, neighbours, moves, the free list functions; walks that change a
// list are the media list's),
// object lifetime, ReadString and ResetGlobals.
#include "core/objects.h"

#include <cstdint>
#include <cstring>
#include <new>

#include "core/sound.h"
#include "core/text.h"
#include "media/files.h"
#include "support/game_fixture.h"
#include "support/temp_folder.h"

namespace {

using quill_test::GameTest;

std::vector<int> ItemXs() {
  std::vector<int> xs;
  for (auto it : Items_list.Each<bbItems>()) xs.push_back(it->X);
  return xs;
}

std::vector<std::shared_ptr<bbItems>> Items(int n) {
  std::vector<std::shared_ptr<bbItems>> v;
  for (int i = 1; i <= n; ++i) (v.emplace_back(New<bbItems>()))->X = i;
  return v;
}

using ObjectsTest = GameTest;

TEST_F(ObjectsTest, NeighboursMovesAndTheFreeListFunctions) {
  auto v = Items(3);
  auto e = New<bbEnemies>();
  EXPECT_EQ(Enemies_list.First(), e);
  EXPECT_EQ(e->_list, &Enemies_list);
  EXPECT_EQ(v[0]->Before(), nullptr);
  EXPECT_EQ(v[0]->After(), v[1]);
  EXPECT_EQ(v[2]->Before(), v[1]);
  EXPECT_EQ(v[2]->After(), nullptr);
  v[2]->InsertBefore(v[0]);
  EXPECT_EQ(ItemXs(), (std::vector<int>{3, 1, 2}));
  v[2]->InsertAfter(v[1]);
  EXPECT_EQ(ItemXs(), (std::vector<int>{1, 2, 3}));
  // Anchors of another list, the object itself, none or a removed one change nothing.
  v[0]->InsertAfter(e);
  v[0]->InsertBefore(v[0]);
  v[0]->InsertAfter(nullptr);
  v[1]->Remove();
  v[0]->InsertAfter(v[1]);
  EXPECT_EQ(ItemXs(), (std::vector<int>{1, 3}));
  EXPECT_EQ(v[0]->After(), v[2]);  // the neighbours close up
  // A removed object goes back next to a listed one, once.
  v[1]->InsertBefore(v[0]);
  EXPECT_EQ(ItemXs(), (std::vector<int>{2, 1, 3}));
  v[1]->Remove();
  v[1]->Remove();
  EXPECT_EQ(ItemXs(), (std::vector<int>{1, 3}));
  bbItems loose;  // never added: no list to leave
  EXPECT_EQ(loose.Remove(), 0);
  // An object of another class in the list is skipped by the walk and is no neighbour.
  Items_list.AddLast(std::make_shared<bbEnemies>());
  EXPECT_EQ(v[2]->After(), nullptr);
  EXPECT_EQ(ItemXs(), (std::vector<int>{1, 3}));
  DeleteFirst(nullptr);
  DeleteLast(nullptr);
  DeleteEach(nullptr);
  Items(2);           // 1, 3, (enemy), 1, 2
  DeleteFirst(v[1]);  // v[1] is out of the list but names it
  EXPECT_EQ(ItemXs(), (std::vector<int>{3, 1, 2}));
  DeleteLast(v[0]);
  EXPECT_EQ(ItemXs(), (std::vector<int>{3, 1}));
  DeleteEach(v[0]);
  EXPECT_TRUE(Items_list.IsEmpty());
  EXPECT_EQ(HandleToObject(e).get(), e.get());
  auto b = New<bbBackDrops>();
  BackDrops_list.AddFirst(std::make_shared<media::Object>());  // or of none
  DeleteFirst(b);
  EXPECT_EQ(BackDrops_list.First(), b);
}

// Builds T over memory filled with 0xAB and reports whether every byte from its first to its
// last field is 0 afterwards, and that it stands in no list.
template <class T>
bool StartsAtZero(int T::*first, int T::*last) {
  alignas(T) unsigned char buf[sizeof(T)];
  std::memset(buf, 0xAB, sizeof buf);
  T* obj = new (buf) T;
  const auto* from = reinterpret_cast<const unsigned char*>(&(obj->*first));
  const auto* to = reinterpret_cast<const unsigned char*>(&(obj->*last)) + sizeof(int);
  bool zero = from < to && obj->_list == nullptr && !obj->_link;
  for (const unsigned char* p = from; p < to; ++p) zero = zero && *p == 0;
  obj->~T();
  return zero;
}

TEST_F(ObjectsTest, FieldsStartAtZeroAndObjectsLiveWhileHeld) {
  EXPECT_TRUE(StartsAtZero(&bbPlayers::X, &bbPlayers::DyingCounter));
  EXPECT_TRUE(StartsAtZero(&bbItems::X, &bbItems::RoomY));
  EXPECT_TRUE(StartsAtZero(&bbEnemies::x, &bbEnemies::Visible));
  EXPECT_TRUE(StartsAtZero(&bbWeapons::x, &bbWeapons::CollideCounter));
  EXPECT_TRUE(StartsAtZero(&bbGames::State, &bbGames::Stage));
  EXPECT_TRUE(StartsAtZero(&bbTraps::X, &bbTraps::MapY));
  EXPECT_TRUE(StartsAtZero(&bbBackDrops::X, &bbBackDrops::RoomY));
  EXPECT_TRUE(StartsAtZero(&bbExitDoors::x, &bbExitDoors::FrameCounter));
  EXPECT_TRUE(StartsAtZero(&bbstatuses::x, &bbstatuses::roomy));

  auto v = Items(3);
  std::weak_ptr<bbItems> a = v[0], b = v[1], c = v[2];
  item = v[0];
  v.clear();
  item->Remove();  // its link still points at b's
  b.lock()->Remove();
  EXPECT_TRUE(b.expired());  // nothing holds b, whatever a's link points at
  EXPECT_EQ(item->After(), nullptr);
  item.reset();
  EXPECT_TRUE(a.expired());
  Trap = New<bbTraps>();
  std::weak_ptr<bbTraps> t = Trap;
  CreateObjectLists();  // the lists let go; the cursor keeps its object
  EXPECT_TRUE(c.expired());
  EXPECT_FALSE(t.expired());
  ResetObjects();
  EXPECT_TRUE(t.expired());
  EXPECT_EQ(Trap, nullptr);
}

// A 32-bit length, then that many bytes when it is 1 to 1,048,575; otherwise empty, and only
// the length is read.
TEST_F(ObjectsTest, ReadStringTakesItsLengthWithinTheBound) {
  quill_test::TempFolder folder;
  struct Case {
    std::int32_t length;
    std::string tail, want;
    int pos;  // where the stream stands after
  };
  const std::string big(1048575, 'z');
  // clang-format off
  const Case cases[] = {
      {3, "abcdef", "abc", 7}, {2, "\xE9\x01", "\xE9\x01", 6}, {10, "ab", "ab", 6},
      {0, "qq", "", 4}, {-1, "qq", "", 4}, {INT32_MIN, "qq", "", 4}, {1048576, "qq", "", 4},
      {INT32_MAX, "qq", "", 4}, {1048575, big + "!", big, 1048579}};
  // clang-format on
  for (const Case& c : cases) {
    std::string bytes;
    for (int i = 0; i < 4; ++i)
      bytes += static_cast<char>((static_cast<std::uint32_t>(c.length) >> (8 * i)) & 0xFF);
    quill_test::WriteBytes("s.bin", bytes + c.tail);
    media::Stream s = media::ReadFile("s.bin");
    ASSERT_TRUE(s);
    EXPECT_TRUE(ReadString(s) == c.want) << c.length;
    EXPECT_EQ(media::StreamPos(s), c.pos) << c.length;
  }
  EXPECT_EQ(ReadString(nullptr), "");
  quill_test::WriteBytes("short.bin", std::string("\x03\x00", 2));
  EXPECT_EQ(ReadString(media::ReadFile("short.bin")), "");
}

TEST_F(ObjectsTest, ResetGlobalsBringsBackTheStartValues) {
  Stage[196][146] = 99;
  Rooms[6][6] = RoomX = Worldtheme = NumOfGold = EditMode = quit = Mode = FPS = 3;
  SN = Sng = md = AppPath = "x";
  Difficulity = 2;
  CantFly = 0;
  LangRect = 4;
  PlayerJump[18] = W[25] = Demo[1][5000] = Played[70] = widthTable[94] = pausecounter = 7;
  Lang[185] = Tut[11] = ItemName[30] = Option[15] = txt[30] = "t";
  MusicVol = tmpMusicVol = SfxVol = tmpSfxVol = 0.5f;
  imgFont = media::CreateImage(1, 1);
  Player = New<bbPlayers>();
  Game = New<bbGames>();
  MusicName = "Music/x.ogg";
  AllPrecachedMusic.push_back({"Music/x.ogg", nullptr});

  ResetGlobals();

  EXPECT_EQ(Stage[196][146] + Rooms[6][6] + RoomX + Worldtheme + NumOfGold + EditMode + quit +
                Mode + FPS + PlayerJump[18] + W[25] + Demo[1][5000] + Played[70] + widthTable[94] +
                pausecounter,
            0);
  EXPECT_TRUE(SN.empty() && Sng.empty() && md.empty() && AppPath.empty() && Lang[185].empty() &&
              Tut[11].empty() && ItemName[30].empty() && Option[15].empty() && txt[30].empty());
  EXPECT_EQ(Difficulity, 1);
  EXPECT_EQ(CantFly, 1);
  EXPECT_EQ(LangRect, 1);
  EXPECT_EQ(MusicVol, 1.0f);
  EXPECT_EQ(tmpMusicVol, 1.0f);
  EXPECT_EQ(SfxVol, 0.3f);
  EXPECT_EQ(tmpSfxVol, 0.3f);
  EXPECT_FALSE(imgFont || Player || Game || song || Sfx);
  EXPECT_TRUE(Players_list.IsEmpty() && Games_list.IsEmpty());
  EXPECT_TRUE(MusicName.empty() && AllPrecachedMusic.empty());
}

}  // namespace
