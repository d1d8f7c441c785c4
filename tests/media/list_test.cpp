// TList and TLink: order, walks that remove, link navigation and removal.
#include "media/list.h"

#include <gtest/gtest.h>

using namespace media;

namespace {

struct Num : Object {
  explicit Num(int v) : value(v) {}
  int value;
};
struct Other : Object {};

std::shared_ptr<Num> N(int v) {
  return std::make_shared<Num>(v);
}

std::vector<int> Values(const TList& list) {
  std::vector<int> out;
  for (const auto& o : list) {
    auto n = std::dynamic_pointer_cast<Num>(o);
    out.push_back(n ? n->value : -1);
  }
  return out;
}

std::vector<int> Backwards(const TList& list) {
  std::vector<int> out;
  for (LinkPtr l = list.LastLink(); l; l = l->PrevLink())
    out.push_back(std::static_pointer_cast<Num>(l->Value())->value);
  return out;
}

// Fills a list with 1..n and keeps the objects.
std::vector<std::shared_ptr<Num>> Fill(TList& list, int n) {
  std::vector<std::shared_ptr<Num>> objs;
  for (int i = 1; i <= n; ++i) {
    objs.push_back(N(i));
    list.AddLast(objs.back());
  }
  return objs;
}

}  // namespace

TEST(List, KeepsTheOrderOfAdding) {
  TList list;
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_EQ(list.First(), nullptr);
  EXPECT_EQ(list.Last(), nullptr);
  EXPECT_EQ(list.FirstLink(), nullptr);
  EXPECT_EQ(list.LastLink(), nullptr);
  auto objs = Fill(list, 4);
  list.AddFirst(N(0));
  EXPECT_EQ(Values(list), (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(Backwards(list), (std::vector<int>{4, 3, 2, 1, 0}));
  EXPECT_EQ(list.Count(), 5);
  EXPECT_EQ(list.Last(), objs[3]);
  EXPECT_TRUE(list.Contains(objs[2].get()));
}

TEST(List, LinkNavigationEndsWithNone) {
  TList list;
  auto objs = Fill(list, 3);
  LinkPtr first = list.FirstLink();
  EXPECT_EQ(first->Value(), objs[0]);
  EXPECT_EQ(first->PrevLink(), nullptr);
  EXPECT_EQ(first->NextLink()->Value(), objs[1]);
  LinkPtr last = list.LastLink();
  EXPECT_EQ(last->NextLink(), nullptr);
  EXPECT_EQ(last->PrevLink()->Value(), objs[1]);
}

TEST(List, RemoveTakesTheFirstLinkOfThatVeryObject) {
  TList list;
  auto a = N(1), b = N(1);  // equal values, different objects
  list.AddLast(a);
  list.AddLast(b);
  list.AddLast(a);
  list.Remove(a);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.First(), b);
  EXPECT_EQ(list.Last(), a);
  list.Remove(N(1));  // not in the list: nothing changes
  list.Remove(static_cast<const Object*>(nullptr));
  EXPECT_EQ(list.Count(), 2);
  list.Remove(a);
  list.Remove(a);  // removed before: nothing changes
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.First(), b);
  EXPECT_EQ(list.LastLink(), list.FirstLink());
}

TEST(List, RemovingFirstAndLastKeepsBothEndsRight) {
  TList list;
  auto objs = Fill(list, 3);
  list.Remove(objs[2]);
  EXPECT_EQ(list.Last(), objs[1]);
  EXPECT_EQ(list.LastLink()->NextLink(), nullptr);
  list.Remove(objs[0]);
  EXPECT_EQ(list.First(), objs[1]);
  EXPECT_EQ(list.FirstLink()->PrevLink(), nullptr);
  list.Remove(objs[1]);
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_EQ(list.LastLink(), nullptr);
  list.AddLast(objs[0]);
  EXPECT_EQ(Values(list), (std::vector<int>{1}));
  EXPECT_EQ(Backwards(list), (std::vector<int>{1}));
}

TEST(List, ARemovedLinkKeepsItsNeighbours) {
  TList list;
  auto objs = Fill(list, 3);
  LinkPtr middle = list.FirstLink()->NextLink();
  middle->Remove();
  EXPECT_EQ(middle->Value(), nullptr);
  ASSERT_NE(middle->NextLink(), nullptr);
  EXPECT_EQ(middle->NextLink()->Value(), objs[2]);
  ASSERT_NE(middle->PrevLink(), nullptr);
  EXPECT_EQ(middle->PrevLink()->Value(), objs[0]);
  EXPECT_EQ(Values(list), (std::vector<int>{1, 3}));
  EXPECT_EQ(Backwards(list), (std::vector<int>{3, 1}));
  middle->Remove();  // twice: nothing more happens
  EXPECT_EQ(Values(list), (std::vector<int>{1, 3}));
}

TEST(List, AWalkMayRemoveTheCurrentObject) {
  TList list;
  auto objs = Fill(list, 5);
  std::vector<int> seen;
  for (const auto& o : list) {
    auto n = std::static_pointer_cast<Num>(o);
    seen.push_back(n->value);
    if (n->value % 2 == 1) list.Remove(o);
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(Values(list), (std::vector<int>{2, 4}));
}

TEST(List, AWalkSkipsObjectsRemovedBeforeItGetsThere) {
  TList list;
  auto objs = Fill(list, 5);
  std::vector<int> seen;
  for (const auto& o : list) {
    auto n = std::static_pointer_cast<Num>(o);
    seen.push_back(n->value);
    if (n->value == 1) {
      list.Remove(objs[1]);  // the very next one
      list.Remove(objs[3]);
    }
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 3, 5}));
}

TEST(List, AWalkThatRemovesTheNextAndTheCurrentGoesOn) {
  TList list;
  auto objs = Fill(list, 4);
  std::vector<int> seen;
  for (const auto& o : list) {
    auto n = std::static_pointer_cast<Num>(o);
    seen.push_back(n->value);
    if (n->value == 2) {
      list.Remove(objs[2]);
      list.Remove(o);
    }
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 4}));
  EXPECT_EQ(Values(list), (std::vector<int>{1, 4}));
}

TEST(List, AWalkMayRemoveEverything) {
  TList list;
  auto objs = Fill(list, 4);
  int visits = 0;
  for (const auto& o : list) {
    ++visits;
    (void)o;
    for (const auto& x : objs) list.Remove(x);
  }
  EXPECT_EQ(visits, 1);
  EXPECT_TRUE(list.IsEmpty());
}

TEST(List, ClearDuringAWalkEndsIt) {
  TList list;
  auto objs = Fill(list, 4);
  int visits = 0;
  for (const auto& o : list) {
    ++visits;
    EXPECT_EQ(o, objs[0]);
    list.Clear();
  }
  EXPECT_EQ(visits, 1);
  EXPECT_EQ(list.Count(), 0);
  list.AddLast(objs[3]);
  EXPECT_EQ(Values(list), (std::vector<int>{4}));
}

TEST(List, ObjectsAddedDuringAWalkAtTheEndAreVisited) {
  TList list;
  auto objs = Fill(list, 2);
  std::vector<int> seen;
  for (const auto& o : list) {
    int v = std::static_pointer_cast<Num>(o)->value;
    seen.push_back(v);
    if (v < 4) list.AddLast(N(v + 2));
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST(List, InsertBeforeAndAfterLinks) {
  TList list;
  auto objs = Fill(list, 3);
  LinkPtr first = list.FirstLink();
  LinkPtr last = list.LastLink();
  list.InsertBeforeLink(N(10), first);
  list.InsertAfterLink(N(20), last);
  list.InsertAfterLink(N(15), first);
  list.InsertBeforeLink(N(25), last);
  EXPECT_EQ(Values(list), (std::vector<int>{10, 1, 15, 2, 25, 3, 20}));
  EXPECT_EQ(Backwards(list), (std::vector<int>{20, 3, 25, 2, 15, 1, 10}));
  EXPECT_EQ(list.First(), list.FirstLink()->Value());
}

TEST(List, InsertingAtALinkThatIsNotInTheListAppends) {
  TList list, other;
  auto objs = Fill(list, 2);
  auto foreign = Fill(other, 2);
  LinkPtr removed = list.FirstLink();
  removed->Remove();
  list.InsertAfterLink(N(7), removed);
  list.InsertBeforeLink(N(8), removed);
  list.InsertBeforeLink(N(9), other.FirstLink());
  list.InsertBeforeLink(N(6), nullptr);
  EXPECT_EQ(Values(list), (std::vector<int>{2, 7, 8, 9, 6}));
  EXPECT_EQ(Backwards(list), (std::vector<int>{6, 9, 8, 7, 2}));
  EXPECT_EQ(Values(other), (std::vector<int>{1, 2}));
  EXPECT_EQ(Backwards(other), (std::vector<int>{2, 1}));
}

TEST(List, TypedWalksSkipOtherClasses) {
  TList list;
  list.AddLast(N(1));
  list.AddLast(std::make_shared<Other>());
  list.AddLast(nullptr);
  list.AddLast(N(2));
  std::vector<int> seen;
  for (auto n : list.Each<Num>()) seen.push_back(n->value);
  EXPECT_EQ(seen, (std::vector<int>{1, 2}));
  int others = 0;
  for (auto o : list.Each<Other>()) others += o ? 1 : 0;
  EXPECT_EQ(others, 1);
}

TEST(List, ObjectsAreReleasedByRemoveClearAndTheListsEnd) {
  std::weak_ptr<Num> w1, w2, w3;
  {
    TList list;
    {
      auto a = N(1), b = N(2), c = N(3);
      w1 = a;
      w2 = b;
      w3 = c;
      list.AddLast(a);
      list.AddLast(b);
      list.AddLast(c);
    }
    list.Remove(w1.lock().get());
    EXPECT_TRUE(w1.expired());
    LinkPtr kept = list.FirstLink();  // a link outliving the clear does not keep its value
    list.Clear();
    EXPECT_TRUE(w2.expired());
    EXPECT_EQ(kept->Value(), nullptr);
    list.AddLast(N(4));
    auto d = N(5);
    w3 = d;
    list.AddLast(d);
  }
  EXPECT_TRUE(w3.expired());
}

TEST(List, ALongListIsClearedWithoutDeepRecursion) {
  std::weak_ptr<Num> probe;
  {
    TList list;
    for (int i = 0; i < 200000; ++i) list.AddLast(N(i));
    probe = std::static_pointer_cast<Num>(list.Last());
    EXPECT_EQ(list.Count(), 200000);
  }
  EXPECT_TRUE(probe.expired());
}
