// The game-object classes and their lists: order, walks that remove, neighbours, the free list
// functions and object lifetime.
#include "core/objects.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/globals.h"

namespace {

class ObjectsTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetGlobals(); }
  void TearDown() override { ResetGlobals(); }

  // Three items with X = 1, 2, 3 in the order made.
  std::vector<std::shared_ptr<bbItems>> ThreeItems() {
    std::vector<std::shared_ptr<bbItems>> v;
    for (int i = 1; i <= 3; ++i) {
      v.push_back(New<bbItems>());
      v.back()->X = i;
    }
    return v;
  }

  static std::vector<int> ItemXs() {
    std::vector<int> xs;
    for (auto it : Items_list.Each<bbItems>()) xs.push_back(it->X);
    return xs;
  }
};

TEST_F(ObjectsTest, NewZeroesEveryFieldAndAppendsToItsOwnList) {
  auto e = New<bbEnemies>();
  e->x = 7;
  auto e2 = New<bbEnemies>();
  EXPECT_EQ(e2->x, 0);
  EXPECT_EQ(e2->Visible, 0);
  EXPECT_EQ(e2->Block4, 0);
  EXPECT_EQ(Enemies_list.Count(), 2);
  EXPECT_EQ(Enemies_list.Last(), e2);
  EXPECT_EQ(e2->_list, &Enemies_list);
  ASSERT_TRUE(e2->_link);
  EXPECT_EQ(e2->_link->Value(), e2);
  EXPECT_EQ(Items_list.Count(), 0);

  auto p = New<bbPlayers>();
  auto g = New<bbGames>();
  auto d = New<bbExitDoors>();
  auto s = New<bbstatuses>();
  auto t = New<bbTraps>();
  auto w = New<bbWeapons>();
  auto b = New<bbBackDrops>();
  EXPECT_EQ(Players_list.First(), p);
  EXPECT_EQ(Games_list.First(), g);
  EXPECT_EQ(ExitDoors_list.First(), d);
  EXPECT_EQ(statuses_list.First(), s);
  EXPECT_EQ(Traps_list.First(), t);
  EXPECT_EQ(Weapons_list.First(), w);
  EXPECT_EQ(BackDrops_list.First(), b);
}

TEST_F(ObjectsTest, FieldsAreDeclaredInOrder) {
  bbEnemies e;
  EXPECT_LT(static_cast<void*>(&e.x), static_cast<void*>(&e.CoffineX));
  EXPECT_LT(static_cast<void*>(&e.CoffineX), static_cast<void*>(&e.OriginRoomX));
  EXPECT_LT(static_cast<void*>(&e.LifeSpan), static_cast<void*>(&e.Block1));
  EXPECT_LT(static_cast<void*>(&e.Block4), static_cast<void*>(&e.Visible));
  bbPlayers p;
  EXPECT_LT(static_cast<void*>(&p.X), static_cast<void*>(&p.Score));
  EXPECT_LT(static_cast<void*>(&p.Action), static_cast<void*>(&p.DyingCounter));
  static_assert(sizeof(p.Score) == 4 && sizeof(e.Visible) == 4);
}

TEST_F(ObjectsTest, ObjectsStandInTheOrderMade) {
  ThreeItems();
  EXPECT_EQ(ItemXs(), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(Items_list.Count(), 3);
}

TEST_F(ObjectsTest, WalkRemovingTheCurrentObjectVisitsEveryOtherOnce) {
  ThreeItems();
  std::vector<int> visited;
  for (auto it : Items_list.Each<bbItems>()) {
    visited.push_back(it->X);
    if (it->X == 2) it->Remove();
  }
  EXPECT_EQ(visited, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(ItemXs(), (std::vector<int>{1, 3}));
}

TEST_F(ObjectsTest, WalkRemovingEveryObjectVisitsEachOnceAndEmptiesTheList) {
  ThreeItems();
  std::vector<int> visited;
  for (auto it : Items_list.Each<bbItems>()) {
    item = it;
    visited.push_back(item->X);
    item->Remove();
  }
  EXPECT_EQ(visited, (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(Items_list.IsEmpty());
  // The cursor still holds the last object, intact.
  ASSERT_TRUE(item);
  EXPECT_EQ(item->X, 3);
}

TEST_F(ObjectsTest, WalkRemovingAnotherObjectSkipsIt) {
  auto v = ThreeItems();
  std::vector<int> visited;
  for (auto it : Items_list.Each<bbItems>()) {
    visited.push_back(it->X);
    if (it->X == 1) v[1]->Remove();  // the next one, before the walk reaches it
  }
  EXPECT_EQ(visited, (std::vector<int>{1, 3}));
  EXPECT_EQ(Items_list.Count(), 2);
}

TEST_F(ObjectsTest, WalkRemovingCurrentAndNextGoesOn) {
  auto v = ThreeItems();
  New<bbItems>()->X = 4;
  std::vector<int> visited;
  for (auto it : Items_list.Each<bbItems>()) {
    visited.push_back(it->X);
    if (it->X == 1) {
      it->Remove();
      v[1]->Remove();
    }
  }
  EXPECT_EQ(visited, (std::vector<int>{1, 3, 4}));
  EXPECT_EQ(ItemXs(), (std::vector<int>{3, 4}));
}

TEST_F(ObjectsTest, RemoveOfAnObjectNotInItsListChangesNothing) {
  auto v = ThreeItems();
  v[0]->Remove();
  EXPECT_EQ(Items_list.Count(), 2);
  v[0]->Remove();
  EXPECT_EQ(Items_list.Count(), 2);
  EXPECT_EQ(ItemXs(), (std::vector<int>{2, 3}));
  // Remove keeps _list and _link.
  EXPECT_EQ(v[0]->_list, &Items_list);
  EXPECT_TRUE(v[0]->_link);
  // An object never added has no list: Remove does nothing.
  bbItems loose;
  EXPECT_EQ(loose.Remove(), 0);
  EXPECT_EQ(Items_list.Count(), 2);
}

TEST_F(ObjectsTest, AfterAndBeforeAtTheEndsAndInTheMiddle) {
  auto v = ThreeItems();
  EXPECT_EQ(v[2]->After(), nullptr);
  EXPECT_EQ(v[0]->Before(), nullptr);
  EXPECT_EQ(v[0]->After(), v[1]);
  EXPECT_EQ(v[1]->After(), v[2]);
  EXPECT_EQ(v[2]->Before(), v[1]);
  EXPECT_EQ(v[1]->Before(), v[0]);
  // After a removal the neighbours close up.
  v[1]->Remove();
  EXPECT_EQ(v[0]->After(), v[2]);
  EXPECT_EQ(v[2]->Before(), v[0]);
  // A single object has no neighbours.
  auto g = New<bbGames>();
  EXPECT_EQ(g->After(), nullptr);
  EXPECT_EQ(g->Before(), nullptr);
}

TEST_F(ObjectsTest, InsertBeforeAndAfterMoveWithinTheList) {
  auto v = ThreeItems();
  v[2]->InsertBefore(v[0]);
  EXPECT_EQ(ItemXs(), (std::vector<int>{3, 1, 2}));
  v[2]->InsertAfter(v[1]);
  EXPECT_EQ(ItemXs(), (std::vector<int>{1, 2, 3}));
  v[0]->InsertAfter(v[2]);
  EXPECT_EQ(ItemXs(), (std::vector<int>{2, 3, 1}));
  EXPECT_EQ(v[0]->After(), nullptr);
  EXPECT_EQ(v[1]->Before(), nullptr);
  EXPECT_EQ(Items_list.Count(), 3);
  EXPECT_EQ(v[0]->_list, &Items_list);
}

TEST_F(ObjectsTest, InsertNextToAListedObjectPutsARemovedObjectBack) {
  auto v = ThreeItems();
  v[0]->Remove();
  v[0]->InsertAfter(v[1]);
  EXPECT_EQ(ItemXs(), (std::vector<int>{2, 1, 3}));
  v[2]->Remove();
  v[2]->InsertBefore(v[1]);
  EXPECT_EQ(ItemXs(), (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(v[2]->After(), v[1]);
  EXPECT_EQ(v[0]->Before(), v[1]);
  // Each stands in the list once: removing it once takes it out.
  v[0]->Remove();
  v[2]->Remove();
  EXPECT_EQ(ItemXs(), (std::vector<int>{2}));
}

TEST_F(ObjectsTest, InsertWithAForeignSelfOrRemovedAnchorChangesNothing) {
  auto v = ThreeItems();
  auto e = New<bbEnemies>();
  v[0]->InsertAfter(e);
  v[0]->InsertBefore(v[0]);
  v[0]->InsertAfter(nullptr);
  v[2]->Remove();
  v[0]->InsertAfter(v[2]);
  EXPECT_EQ(ItemXs(), (std::vector<int>{1, 2}));
  EXPECT_EQ(Enemies_list.Count(), 1);
  EXPECT_EQ(Enemies_list.First(), e);
}

TEST_F(ObjectsTest, DeleteFirstLastEachWithNoneDoNothing) {
  ThreeItems();
  EXPECT_EQ(DeleteFirst(nullptr), 0);
  EXPECT_EQ(DeleteLast(nullptr), 0);
  EXPECT_EQ(DeleteEach(nullptr), 0);
  EXPECT_EQ(Items_list.Count(), 3);
}

TEST_F(ObjectsTest, DeleteFirstLastEach) {
  auto v = ThreeItems();
  DeleteFirst(v[1]);
  EXPECT_EQ(ItemXs(), (std::vector<int>{2, 3}));
  DeleteLast(v[1]);
  EXPECT_EQ(ItemXs(), (std::vector<int>{2}));
  New<bbItems>()->X = 9;
  DeleteEach(v[0]);  // v[0] is no longer in the list, but it names the list
  EXPECT_TRUE(Items_list.IsEmpty());
  // On an empty list they leave it empty.
  DeleteFirst(v[0]);
  DeleteLast(v[0]);
  EXPECT_TRUE(Items_list.IsEmpty());
}

TEST_F(ObjectsTest, HandleToObjectReturnsTheSameObject) {
  auto t = New<bbTraps>();
  EXPECT_EQ(HandleToObject(t).get(), t.get());
  std::shared_ptr<bbTraps> none;
  EXPECT_EQ(HandleToObject(none), nullptr);
}

TEST_F(ObjectsTest, RemovedObjectLivesWhileHeldAndIsFreedAfter) {
  std::weak_ptr<bbWeapons> watch;
  {
    auto w = New<bbWeapons>();
    watch = w;
    Weapon = w;
  }
  ASSERT_FALSE(watch.expired());  // held by its list and the cursor
  Weapon->Remove();
  ASSERT_FALSE(watch.expired());  // still held by the cursor
  EXPECT_EQ(Weapon->_list, &Weapons_list);
  Weapon.reset();
  EXPECT_TRUE(watch.expired());  // nothing refers to it any more: freed
}

TEST_F(ObjectsTest, ObjectLeftInItsListIsFreedWhenTheListIsEmptied) {
  std::weak_ptr<bbEnemies> watch = New<bbEnemies>();
  ASSERT_FALSE(watch.expired());
  CreateObjectLists();
  EXPECT_TRUE(watch.expired());
}

TEST_F(ObjectsTest, ObjectRemovedDuringAWalkStaysValidForTheBody) {
  std::weak_ptr<bbEnemies> first = New<bbEnemies>();
  New<bbEnemies>()->x = 5;
  int sum = 0;
  for (auto e : Enemies_list.Each<bbEnemies>()) {
    Enemy = e;
    e->Remove();
    Enemy.reset();
    sum += e->x + 1;  // e is still ours here
  }
  EXPECT_EQ(sum, 7);
  EXPECT_TRUE(first.expired());
  EXPECT_TRUE(Enemies_list.IsEmpty());
}

TEST_F(ObjectsTest, ResetObjectsEmptiesListsAndCursors) {
  item = New<bbItems>();
  Trap = New<bbTraps>();
  status = New<bbstatuses>();
  Enemy = New<bbEnemies>();
  Weapon = New<bbWeapons>();
  ResetObjects();
  EXPECT_FALSE(item || Trap || status || Enemy || Weapon);
  EXPECT_TRUE(Items_list.IsEmpty() && Traps_list.IsEmpty() && statuses_list.IsEmpty() &&
              Enemies_list.IsEmpty() && Weapons_list.IsEmpty());
}

TEST_F(ObjectsTest, ClassWalkSkipsOtherClasses) {
  auto a = New<bbItems>();
  Items_list.AddLast(std::make_shared<bbEnemies>());
  auto b = New<bbItems>();
  int n = 0;
  for (auto it : Items_list.Each<bbItems>()) {
    EXPECT_TRUE(it == a || it == b);
    ++n;
  }
  EXPECT_EQ(n, 2);
  // After() of an object whose neighbour is of another class gives none.
  EXPECT_EQ(a->After(), nullptr);
}

}  // namespace
