// Object lifetime: a removed object lives exactly as long as something holds it, a list lets go
// of everything it held when it is emptied or destroyed (no object and link keep each other
// alive), and every field of a new object starts at 0.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "core/globals.h"
#include "core/objects.h"

namespace {

class ObjectLifetimeTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetGlobals(); }
  void TearDown() override { ResetGlobals(); }

  // Watches the objects of a class list.
  template <class T>
  static std::vector<std::weak_ptr<T>> Watch(const media::TList& list) {
    std::vector<std::weak_ptr<T>> v;
    for (auto o : list.template Each<T>()) v.push_back(o);
    return v;
  }
  template <class T>
  static int Alive(const std::vector<std::weak_ptr<T>>& v) {
    int n = 0;
    for (const auto& w : v) n += w.expired() ? 0 : 1;
    return n;
  }
};

// Builds T by default-initialisation over memory filled with 0xAB and reports whether every
// byte from `first` to `last` (its first and last fields) is 0 afterwards.
template <class T>
bool FieldsStartAtZero(int T::*first, int T::*last) {
  alignas(T) unsigned char buf[sizeof(T)];
  std::memset(buf, 0xAB, sizeof buf);
  T* obj = new (buf) T;  // default-init: no zero-fill beyond what the class itself does
  const auto* from = reinterpret_cast<const unsigned char*>(&(obj->*first));
  const auto* to = reinterpret_cast<const unsigned char*>(&(obj->*last)) + sizeof(int);
  bool zero = from < to;
  for (const unsigned char* p = from; p < to; ++p) zero = zero && *p == 0;
  const bool noList = obj->_list == nullptr && !obj->_link;
  obj->~T();
  return zero && noList;
}

// The distance in bytes from field `first` to field `last` of a T.
template <class T>
std::ptrdiff_t Spread(int T::*first, int T::*last) {
  T obj;
  return reinterpret_cast<char*>(&(obj.*last)) - reinterpret_cast<char*>(&(obj.*first));
}

TEST_F(ObjectLifetimeTest, EveryFieldOfEveryClassStartsAtZero) {
  EXPECT_TRUE(FieldsStartAtZero(&bbPlayers::X, &bbPlayers::DyingCounter));
  EXPECT_TRUE(FieldsStartAtZero(&bbItems::X, &bbItems::RoomY));
  EXPECT_TRUE(FieldsStartAtZero(&bbEnemies::x, &bbEnemies::Visible));
  EXPECT_TRUE(FieldsStartAtZero(&bbWeapons::x, &bbWeapons::CollideCounter));
  EXPECT_TRUE(FieldsStartAtZero(&bbGames::State, &bbGames::Stage));
  EXPECT_TRUE(FieldsStartAtZero(&bbTraps::X, &bbTraps::MapY));
  EXPECT_TRUE(FieldsStartAtZero(&bbBackDrops::X, &bbBackDrops::RoomY));
  EXPECT_TRUE(FieldsStartAtZero(&bbExitDoors::x, &bbExitDoors::FrameCounter));
  EXPECT_TRUE(FieldsStartAtZero(&bbstatuses::x, &bbstatuses::roomy));
  // The fields are 32-bit integers packed one after another, in declaration order.
  EXPECT_EQ(Spread(&bbPlayers::X, &bbPlayers::DyingCounter), 21 * 4);
  EXPECT_EQ(Spread(&bbEnemies::x, &bbEnemies::Visible), 29 * 4);
  EXPECT_EQ(Spread(&bbWeapons::x, &bbWeapons::CollideCounter), 17 * 4);
  EXPECT_EQ(Spread(&bbTraps::X, &bbTraps::MapY), 19 * 4);
  EXPECT_EQ(Spread(&bbExitDoors::x, &bbExitDoors::FrameCounter), 7 * 4);
  static_assert(sizeof(int) == 4);
}

TEST_F(ObjectLifetimeTest, ARemovedObjectDoesNotKeepItsFormerNeighbourAlive) {
  auto a = New<bbItems>();
  std::weak_ptr<bbItems> b = New<bbItems>();
  std::weak_ptr<bbItems> c = New<bbItems>();
  item = a;
  a.reset();
  item->Remove();  // its link still points at b's link
  b.lock()->Remove();
  EXPECT_TRUE(b.expired());  // nothing holds b any more, whatever a's link points at
  EXPECT_FALSE(c.expired());
  EXPECT_EQ(item->After(), nullptr);  // the former neighbour is gone: none, safely
  EXPECT_EQ(Items_list.Count(), 1);
  std::weak_ptr<bbItems> watch = item;
  item.reset();
  EXPECT_TRUE(watch.expired());
}

TEST_F(ObjectLifetimeTest, EmptyingTheListsFreesEverythingMovedRemovedOrHeld) {
  for (int i = 0; i < 6; ++i) {
    New<bbEnemies>()->x = i;
    New<bbTraps>()->X = i;
  }
  auto enemies = Watch<bbEnemies>(Enemies_list);
  auto traps = Watch<bbTraps>(Traps_list);
  // Move some, remove some, hold a removed one and a listed one in the cursors.
  enemies[5].lock()->InsertBefore(enemies[0].lock());
  enemies[0].lock()->InsertAfter(enemies[3].lock());
  enemies[2].lock()->Remove();
  Trap = traps[1].lock();
  Trap->Remove();
  DeleteFirst(Trap);
  DeleteLast(Trap);
  Enemy = enemies[4].lock();
  EXPECT_EQ(Enemies_list.Count(), 5);
  EXPECT_EQ(Traps_list.Count(), 3);
  EXPECT_EQ(Alive(enemies), 5);  // the removed one, held by nothing, is gone already
  EXPECT_EQ(Alive(traps), 4);    // the removed ones but the cursor's are gone

  CreateObjectLists();
  EXPECT_EQ(Alive(enemies), 1);  // only the cursors keep theirs
  EXPECT_EQ(Alive(traps), 1);
  EXPECT_EQ(Enemy->x, 4);
  EXPECT_EQ(Trap->X, 1);
  Enemy.reset();
  Trap.reset();
  EXPECT_EQ(Alive(enemies), 0);
  EXPECT_EQ(Alive(traps), 0);
}

TEST_F(ObjectLifetimeTest, AListThatGoesAwayFreesItsObjects) {
  std::vector<std::weak_ptr<bbItems>> watch;
  {
    media::TList list;
    for (int i = 0; i < 4; ++i) {
      auto o = std::make_shared<bbItems>();
      o->Add(list);
      watch.push_back(o);
    }
    watch[3].lock()->InsertBefore(watch[0].lock());
    watch[1].lock()->Remove();
    EXPECT_EQ(Alive(watch), 3);
  }
  EXPECT_EQ(Alive(watch), 0);
}

TEST_F(ObjectLifetimeTest, AWalkWhoseBodyEmptiesTheListEndsAndKeepsItsObject) {
  for (int i = 1; i <= 3; ++i) New<bbItems>()->X = i;
  auto watch = Watch<bbItems>(Items_list);
  std::vector<int> visited;
  for (auto it : Items_list.Each<bbItems>()) {
    DeleteEach(it);
    visited.push_back(it->X);  // still ours after the list let go of it
    it->X = 10;
  }
  EXPECT_EQ(visited, (std::vector<int>{1}));
  EXPECT_TRUE(Items_list.IsEmpty());
  EXPECT_EQ(Alive(watch), 0);
}

TEST_F(ObjectLifetimeTest, AWalkKeepsTheObjectItStandsOnUntilItStepsOn) {
  New<bbWeapons>()->x = 1;
  New<bbWeapons>()->x = 2;
  auto watch = Watch<bbWeapons>(Weapons_list);
  for (auto w : Weapons_list.Each<bbWeapons>()) {
    w->Remove();
    if (w->x == 1) {
      EXPECT_FALSE(watch[0].expired());  // held by the walk's current value
      EXPECT_FALSE(watch[1].expired());
    }
  }
  EXPECT_EQ(Alive(watch), 0);
}

}  // namespace
