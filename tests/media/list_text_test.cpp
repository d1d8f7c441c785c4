// TList and TLink against a plain model, walks that change the list, object release; and the
// text and number helpers.
#include <gtest/gtest.h>

#include <random>

#include "media/list.h"
#include "media/text.h"

using namespace media;

namespace {

struct Num : Object {
  explicit Num(int v) : value(v) {}
  int value;
};

std::shared_ptr<Num> N(int v) {
  return std::make_shared<Num>(v);
}

// The values from the first link on, checked against the walk from the last link back.
std::vector<int> Values(const TList& list) {
  std::vector<int> out, back;
  for (LinkPtr l = list.FirstLink(); l; l = l->NextLink()) {
    auto n = std::dynamic_pointer_cast<Num>(l->Value());
    out.push_back(n ? n->value : -1);
  }
  for (LinkPtr l = list.LastLink(); l; l = l->PrevLink()) {
    auto n = std::dynamic_pointer_cast<Num>(l->Value());
    back.insert(back.begin(), n ? n->value : -1);
  }
  EXPECT_EQ(out, back);
  return out;
}

// Random adds, inserts next to links (in the list, removed, of another list or none), removals
// of objects and of links, and clears, against a vector of the values: both directions of the
// list, its ends and its count agree after every step.
TEST(List, RandomChangesMatchAModel) {
  std::mt19937 rng(7);
  TList list, other;
  other.AddLast(N(-5));
  std::vector<std::shared_ptr<Num>> model;
  std::vector<LinkPtr> removed{other.FirstLink(), nullptr};
  for (int step = 0; step < 3000; ++step) {
    const int op = static_cast<int>(rng() % 9);
    const std::size_t at = model.empty() ? 0 : rng() % model.size();
    LinkPtr link = list.FirstLink();
    for (std::size_t i = 0; link && i < at; ++i) link = link->NextLink();
    auto v = N(step);
    if (op == 0) list.AddFirst(v), model.insert(model.begin(), v);
    if (op == 1) list.AddLast(v), model.push_back(v);
    if (op == 2 && link) list.InsertBeforeLink(v, link), model.insert(model.begin() + at, v);
    if (op == 3 && link) list.InsertAfterLink(v, link), model.insert(model.begin() + at + 1, v);
    if (op == 4) {  // a link that is not in this list: the value goes to the end
      const LinkPtr& foreign = removed[rng() % removed.size()];
      if (foreign && rng() % 2)
        list.InsertAfterLink(v, foreign);
      else
        list.InsertBeforeLink(v, foreign);
      model.push_back(v);
    }
    if (op == 5 && link) list.Remove(model[at]), model.erase(model.begin() + at);
    if (op == 6 && link) {
      link->Remove();
      link->Remove();  // twice: nothing more
      removed.push_back(link);
      model.erase(model.begin() + at);
    }
    if (op == 7) list.Remove(v), list.Remove(static_cast<const Object*>(nullptr));  // not in it
    if (op == 8 && rng() % 20 == 0) list.Clear(), model.clear();
    std::vector<int> want;
    for (const auto& m : model) want.push_back(m->value);
    ASSERT_EQ(Values(list), want) << "step " << step << " op " << op;
    ASSERT_EQ(list.Count(), static_cast<int>(model.size()));
    ASSERT_EQ(list.IsEmpty(), model.empty());
    ASSERT_EQ(list.First(), model.empty() ? nullptr : model.front());
    ASSERT_EQ(list.Last(), model.empty() ? nullptr : model.back());
  }
  EXPECT_EQ(Values(other), (std::vector<int>{-5}));
}

TEST(Text, StringHelpers) {
  // clang-format off
  const std::pair<std::string, std::string> cases[] = {
      {Upper("Stage 12: go!"), "STAGE 12: GO!"}, {Lower("ABC xyz [\xc9]"), "abc xyz [\xc9]"},
      {Trim("  \t hello world\r\n "), "hello world"}, {Trim("   "), ""},
      {Left("Quillmire", 5), "Quill"}, {Left("abc", 10), "abc"}, {Left("abc", -2), ""},
      {Right("Quillmire", 4), "mire"}, {Right("abc", 9), "abc"}, {Right("abc", -1), ""},
      {Mid("Quillmire", 1, 5), "Quill"}, {Mid("Quillmire", 6), "mire"},
      {Mid("Quillmire", 6, 100), "mire"}, {Mid("abc", 4), ""}, {Mid("abc", 0, 2), "a"},
      {Mid("abc", -1, 5), "abc"}, {Mid("abc", 2, 0), ""},
      {Mid("abc", -2147483647 - 1, 2147483647), ""}, {Str(-1234), "-1234"}, {Str(0.5f), "0.5"},
      {Str(1.0f), "1.0"}, {Str(-2.25f), "-2.25"}};
  const std::pair<int, int> numbers[] = {
      {Instr("a.b.c", "."), 2}, {Instr("a.b.c", ".", 3), 4}, {Instr("a.b.c", ".", 5), 0},
      {Instr("abc", "abc"), 1}, {Instr("abc", "abcd"), 0}, {Instr("abc", "c", -4), 3},
      {Instr("abc", ""), 0}, {Instr("", "a"), 0}, {Asc("\xff"), 255}, {Asc(""), -1},
      {Asc(Chr(200)), 200}, {Abs(-5), 5}};
  // clang-format on
  for (const auto& [got, want] : cases) EXPECT_EQ(got, want);
  for (const auto& [got, want] : numbers) EXPECT_EQ(got, want);
  EXPECT_EQ(Abs(-2.5f), 2.5f);
  EXPECT_NEAR(Sin(30) + Cos(180), -0.5f, 1e-6);
}

}  // namespace
