// The game-object lists (order, neighbours, moves, the free list functions; walks that change a
// list are the media list's), object lifetime, ReadString and ResetGlobals.
#include "core/objects.h"

#include <cstdint>

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
  EXPECT_TRUE(Enemies_list.First() == e && e->_list == &Enemies_list);
  EXPECT_TRUE(!v[0]->Before() && v[0]->After() == v[1] && v[2]->Before() == v[1] && !v[2]->After());
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
  v[1]->InsertBefore(v[0]);        // a removed object goes back next to a listed one, once
  v[1]->Remove();
  v[1]->Remove();
  bbItems loose;  // never added: no list to leave
  EXPECT_EQ(loose.Remove(), 0);
  // An object of another class in the list is skipped by the walk and is no neighbour.
  Items_list.AddLast(std::make_shared<bbEnemies>());
  EXPECT_EQ(v[2]->After(), nullptr);
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

// A 32-bit length, then that many bytes when it is 1 to 1,048,575; otherwise empty, and only
// the length is read.
TEST_F(ObjectsTest, ReadStringTakesItsLengthWithinTheBound) {
  quill_test::TempFolder folder;
  const std::string big(1048575, 'z');
  // clang-format off
  const std::tuple<std::int32_t, std::string, std::string, int> cases[] = {
      {3, "abcdef", "abc", 7}, {10, "ab", "ab", 6}, {0, "qq", "", 4}, {-1, "qq", "", 4},
      {INT32_MIN, "qq", "", 4}, {1048576, "qq", "", 4}, {INT32_MAX, "qq", "", 4},
      {1048575, big + "!", big, 1048579}};
  // clang-format on
  for (const auto& [length, tail, want, pos] : cases) {
    std::string bytes;
    for (int i = 0; i < 4; ++i)
      bytes += static_cast<char>((static_cast<std::uint32_t>(length) >> (8 * i)) & 0xFF);
    quill_test::WriteBytes("s.bin", bytes + tail);
    media::Stream s = media::ReadFile("s.bin");
    EXPECT_TRUE(ReadString(s) == want) << length;
    EXPECT_EQ(media::StreamPos(s), pos) << length;
  }
  quill_test::WriteBytes("short.bin", std::string("\x03\x00", 2));
  EXPECT_EQ(ReadString(nullptr) + ReadString(media::ReadFile("short.bin")), "");
}

}  // namespace
