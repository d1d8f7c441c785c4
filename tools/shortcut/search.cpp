#include "tools/shortcut/search.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <queue>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "media/headless.h"
#include "media/input.h"
#include "tools/shortcut/snapshot.h"

namespace shortcut {

namespace {

constexpr int kSettleLimit = 600;  // passes a move may take to stand again after its keys
constexpr int kWalkLimit = 240;    // passes of a walk to an edge or a wall
constexpr int kClimbLimit = 400;
constexpr int kPushPasses = 45;  // a push's 29 passes, then the walk up to the moved stone

const int kArrows[4] = {media::KEY_LEFT, media::KEY_RIGHT, media::KEY_UP, media::KEY_DOWN};

// The arrows held down now, as the search last set them.
PassKeys held = 0;

void SetKeys(PassKeys keys) {
  for (int i = 0; i < 4; ++i) {
    const PassKeys bit = static_cast<PassKeys>(1 << i);
    if ((keys & bit) == (held & bit)) continue;
    if ((keys & bit) != 0)
      media::headless::KeyDownNow(kArrows[i]);
    else
      media::headless::KeyUpNow(kArrows[i]);
  }
  held = keys & 15;
  if ((keys & kSpace) != 0) media::headless::PressKey(media::KEY_SPACE);
}

bool Standing() {
  return Player->Action == Act::Ground || Player->Action == Act::Ladder;
}

int GoldLeft() {
  return Exitdoor->Frame;
}

// What tells two states apart for the route: the changed cells, the player's place, pose,
// tool and room, the items left, the traps, the enemies, the weapons in play and the door.
std::uint64_t StateKey(const BaseGrid& base) {
  std::uint64_t h = 1469598103934665603ull;
  auto mix = [&h](std::int64_t v) {
    h ^= static_cast<std::uint64_t>(v) + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2);
  };
  const int* g = &Stage[0][0];
  const int* b = base.cells.data();
  for (int i = 0; i < kStageCols * kStageRows; ++i)
    if (g[i] != b[i]) mix((static_cast<std::int64_t>(i) << 8) ^ g[i]);
  for (int v : {Player->X, Player->Y, Player->Action, Player->State, Player->LastDirection,
                Player->Direction, Player->FrameRate > 0 ? 1 : 0, RoomX, RoomY})
    mix(v);
  mix(-1);
  for (auto it : Items_list.Each<bbItems>())
    for (int v : {it->X, it->Y, it->RoomX, it->RoomY, it->kind}) mix(v);
  mix(-2);
  for (auto t : Traps_list.Each<bbTraps>())
    for (int v : {t->X, t->Y, t->Kind, t->State, t->NumOfPass, t->Passing, t->Framecounter,
                  t->Roomx, t->Roomy})
      mix(v);
  mix(-3);
  for (auto e : Enemies_list.Each<bbEnemies>())
    for (int v : {e->x, e->y, e->State, e->Kind, e->Direction, e->RoomX, e->RoomY}) mix(v);
  mix(-4);
  for (auto w : Weapons_list.Each<bbWeapons>())
    for (int v : {w->x, w->y, w->State, w->kind, w->roomx, w->roomy}) mix(v);
  mix(-5);
  mix(Exitdoor->State);
  mix(Exitdoor->Frame);
  return h;
}

// A move being played: its keys pass by pass and how it ended.
class Play {
 public:
  explicit Play(const std::vector<WithheldTrap>& withheld) : watch_(withheld) {}

  // One pass with `keys`; false once the move is over (the player left through the door, died
  // or used a withheld trap).
  bool Pass(PassKeys keys) {
    if (exited || lost) return false;
    SetKeys(keys);
    FastPass();
    this->keys.push_back(keys);
    ++passes;
    if (watch_.Used()) {
      lost = true;
    } else if (Player->Action == Act::Exiting) {
      exited = true;
    } else if (Player->Action == Act::Dying || Game->State != GameState::Play) {
      lost = true;
    }
    return !exited && !lost;
  }

  // Passes with no keys until the player stands or holds on a ladder.
  bool Settle() {
    for (int n = 0; !Standing(); ++n) {
      if (n >= kSettleLimit) {
        lost = true;
        return false;
      }
      if (!Pass(0)) return false;
    }
    return !exited && !lost;
  }

  std::vector<PassKeys> keys;
  long passes = 0;
  bool exited = false, lost = false;

 private:
  TrapWatch watch_;
};

struct Node {
  int parent = -1;
  std::vector<PassKeys> keys;  // the move from the parent
  std::string name;            // the move, and where it left the player
  int gold = 0;                // taken
  long passes = 0;             // from the start
  std::unique_ptr<Snapshot> snap;
};

class Searcher {
 public:
  Searcher(const std::vector<WithheldTrap>& withheld, const Budget& budget, bool verbose)
      : withheld_(withheld), budget_(budget), verbose_(verbose) {}

  Result Run() {
    start_ = std::chrono::steady_clock::now();
    base_ = TakeBaseGrid();
    total_ = NumOfGold;
    for (int key : kArrows) media::headless::KeyUpNow(key);
    held = 0;
    media::FlushKeys();
    // The stage's first pass stands the player; from there every state is a standing one.
    {
      Play p(withheld_);
      if (!p.Settle()) return Finish();
      Add(-1, p.keys, "start");
    }
    while (!queue_.empty() && !result_.found) {
      if (Spent()) {
        result_.budgetSpent = true;
        break;
      }
      const int id = queue_.top().second;
      queue_.pop();
      Expand(id);
    }
    return Finish();
  }

 private:
  // (gold taken, -(states seen before at the same place), -order), node: the most gold first,
  // among equals a place seen least often, then the first come.
  using Entry = std::pair<std::tuple<int, long, long>, int>;

  bool Spent() const { return result_.states >= budget_.states || Elapsed() >= budget_.seconds; }

  double Elapsed() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  }

  Result Finish() {
    result_.seconds = Elapsed();
    return std::move(result_);
  }

  std::string Where() const {
    return "x " + std::to_string(Player->X) + " y " + std::to_string(Player->Y) + " room " +
           std::to_string(RoomX) + " " + std::to_string(RoomY) + " gold " +
           std::to_string(total_ - GoldLeft()) + "/" + std::to_string(total_);
  }

  // Where the player is, by cell, with what in hand, and how far the stage has changed: states
  // at a place seen before go after those at a new one.
  std::uint64_t PlaceKey() const {
    std::uint64_t k = 0;
    for (int v : {RoomX, RoomY, Player->X / kCell, Player->Y / kCell, Player->State,
                  Items_list.Count(), Traps_list.Count(), Exitdoor->State})
      k = k * 1000003u + static_cast<std::uint64_t>(v + 1);
    return k;
  }

  // Adds the state the world is in, reached from `parent` by `keys`, unless it is known.
  void Add(int parent, const std::vector<PassKeys>& keys, const std::string& move) {
    const std::uint64_t key = StateKey(base_);
    if (!seen_.insert(key).second) return;
    ++result_.states;
    Node n;
    n.parent = parent;
    n.keys = keys;
    n.name = move + " -> " + Where();
    n.gold = total_ - GoldLeft();
    n.passes = (parent >= 0 ? nodes_[static_cast<std::size_t>(parent)].passes : 0) +
               static_cast<long>(keys.size());
    n.snap = std::make_unique<Snapshot>(Capture(base_));
    result_.mostGold = std::max(result_.mostGold, n.gold);
    nodes_.push_back(std::move(n));
    const int id = static_cast<int>(nodes_.size()) - 1;
    const long seenHere = places_[PlaceKey()]++;
    queue_.push({{nodes_.back().gold, -seenHere, -order_++}, id});
    if (verbose_ && result_.states % 2000 == 0)
      std::printf("  %ld states, %ld expanded, most gold %d, %.0f states/s\n", result_.states,
                  result_.expanded, result_.mostGold, result_.states / std::max(Elapsed(), 1e-6));
  }

  void Found(int parent, const std::vector<PassKeys>& keys, const std::string& move) {
    std::vector<std::vector<PassKeys>> parts{keys};
    std::vector<std::string> names{move + " -> out through the exit door"};
    for (int id = parent; id >= 0; id = nodes_[static_cast<std::size_t>(id)].parent) {
      parts.push_back(nodes_[static_cast<std::size_t>(id)].keys);
      names.push_back(nodes_[static_cast<std::size_t>(id)].name);
    }
    for (std::size_t i = parts.size(); i-- > 0;) {
      result_.route.insert(result_.route.end(), parts[i].begin(), parts[i].end());
      result_.moves.push_back(names[i] + " (" + std::to_string(parts[i].size()) + " passes)");
    }
    result_.found = true;
  }

  // Ends a move: a way out is the result, a lost move is dropped, a standing state is kept.
  void Close(int parent, Play& p, const std::string& move) {
    if (!p.exited && !p.lost) p.Settle();
    result_.passes += p.passes;
    if (p.exited)
      Found(parent, p.keys, move);
    else if (!p.lost)
      Add(parent, p.keys, move);
  }

  void Back(int id) { Restore(*nodes_[static_cast<std::size_t>(id)].snap, base_); }

  // Holds `keys` for up to `n` passes while the player stands, then settles.
  void Hold(int id, PassKeys keys, int n, const std::string& move) {
    Back(id);
    Play p(withheld_);
    for (int i = 0; i < n && Standing(); ++i)
      if (!p.Pass(keys)) break;
    Close(id, p, move);
  }

  // Keeps the standing state a move has reached so far as a state of its own, and plays on.
  void Midway(int parent, const Play& p, const std::string& move) {
    if (Standing() && !p.exited && !p.lost) Add(parent, p.keys, move);
  }

  // Walks one way: half a cell and a cell on the way, then on until the walk would fall off an
  // edge or stops at a wall: the last place before the edge (the walk played again one pass
  // short of the fall), and the walk on over the edge and down.
  void Walk(int id, PassKeys dir, const std::string& side) {
    Back(id);
    Play p(withheld_);
    int lastX = Player->X, lastRoom = RoomX;
    int fallAt = -1, walked = 0;
    std::string end = "walk " + side + " to the wall";
    for (int i = 0; i < kWalkLimit; ++i) {
      if (!p.Pass(dir)) break;
      walked = i + 1;
      if (Player->Action == Act::Fall) {
        fallAt = i;
        end = "walk " + side + " off the edge";
        break;
      }
      if (!Standing()) {
        end = "walk " + side + " through a door";
        break;
      }
      if (Player->X == lastX && RoomX == lastRoom) break;
      if (walked == 4) Midway(id, p, "walk " + side + " half a cell");
      if (walked == 8) Midway(id, p, "walk " + side + " a cell");
      lastX = Player->X;
      lastRoom = RoomX;
    }
    Close(id, p, end);
    if (result_.found || fallAt <= 0 || fallAt == 4 || fallAt == 8) return;
    Back(id);
    Play edge(withheld_);
    for (int i = 0; i < fallAt; ++i)
      if (!edge.Pass(dir)) break;
    Close(id, edge, "walk " + side + " to the edge");
  }

  // Climbs one way: a cell on the way, then on to the ladder's end.
  void Climb(int id, PassKeys dir, const std::string& way) {
    Back(id);
    Play p(withheld_);
    bool climbed = false;
    for (int i = 0; i < kClimbLimit && Standing(); ++i) {
      const int y = Player->Y, room = RoomY;
      if (!p.Pass(dir)) break;
      climbed = climbed || Player->Action == Act::Ladder;
      if (Player->Y == y && RoomY == room) break;
      if (climbed && Player->Action == Act::Ground) break;
      if (i + 1 == 8) Midway(id, p, "climb " + way + " a cell");
    }
    Close(id, p, "climb " + way + " to the end");
  }

  // Waits 20, 60 and 200 passes.
  void Wait(int id) {
    Back(id);
    Play p(withheld_);
    for (int i = 0; i < 200; ++i) {
      if (!p.Pass(0)) break;
      if (i + 1 == 20 || i + 1 == 60) Midway(id, p, "wait " + std::to_string(i + 1));
    }
    Close(id, p, "wait 200");
  }

  void Fire(int id, PassKeys turn, const std::string& name) {
    Back(id);
    Play p(withheld_);
    if (turn != 0 && !p.Pass(turn)) {
      Close(id, p, name);
      return;
    }
    if (Standing()) p.Pass(kSpace);
    Close(id, p, name);
  }

  // A stone or a door near enough to be pushed from here.
  bool SomethingToPush() const {
    for (auto t : Traps_list.Each<bbTraps>()) {
      if (t->Kind < TrapKind::Stone || t->Kind == TrapKind::VanishLadder) continue;
      if (t->Roomx != RoomX || t->Roomy != RoomY) continue;
      if (std::abs(t->X * kCell - Player->X) <= 4 * kCell &&
          std::abs(t->Y * kCell - Player->Y) <= 3 * kCell)
        return true;
    }
    return false;
  }

  void Expand(int id) {
    ++result_.expanded;
    Back(id);
    const int action = Player->Action, tool = Player->State, facing = Player->LastDirection;
    const bool ground = action == Act::Ground;
    const bool push = ground && SomethingToPush();
    struct Side {
      PassKeys key;
      const char* name;
    };
    for (const Side s : {Side{kLeft, "left"}, Side{kRight, "right"}}) {
      const std::string side = s.name;
      if (!result_.found) Walk(id, s.key, side);
      if (!result_.found && ground && tool == Tool::None)
        Hold(id, s.key | kSpace, 1, "jump " + side);
      if (!result_.found && push) Hold(id, s.key, kPushPasses, "push " + side);
    }
    if (!result_.found && ground && tool == Tool::None) Hold(id, kSpace, 1, "jump up");
    if (!result_.found) Climb(id, kUp, "up");
    if (!result_.found) Climb(id, kDown, "down");
    const bool digs = ground && tool >= Tool::SideTwo && tool <= Tool::DownOne;
    const bool throws = tool == Tool::Weapon0 || tool == Tool::Weapon1;
    if (digs || throws) {
      const std::string what = digs ? "dig" : "throw";
      const PassKeys back = facing == 0 ? kRight : kLeft;
      if (!result_.found) Fire(id, 0, what + (facing == 0 ? " left" : " right"));
      if (!result_.found) Fire(id, back, "turn and " + what + (facing == 0 ? " right" : " left"));
    }
    if (!result_.found) Wait(id);
    // An expanded state is needed again only for its route.
    nodes_[static_cast<std::size_t>(id)].snap.reset();
  }

  const std::vector<WithheldTrap>& withheld_;
  Budget budget_;
  bool verbose_;
  BaseGrid base_;
  int total_ = 0;
  std::chrono::steady_clock::time_point start_;
  std::vector<Node> nodes_;
  std::unordered_set<std::uint64_t> seen_;
  std::unordered_map<std::uint64_t, long> places_;
  std::priority_queue<Entry> queue_;
  long order_ = 0;
  Result result_;
};

const char* KeyName(int bit) {
  static const char* const kNames[] = {"LEFT", "RIGHT", "UP", "DOWN"};
  return kNames[bit];
}

}  // namespace

Result Search(const std::vector<WithheldTrap>& withheld, const Budget& budget, bool verbose) {
  Searcher s(withheld, budget, verbose);
  Result r = s.Run();
  SetKeys(0);
  media::FlushKeys();
  return r;
}

std::string RouteScript(const std::vector<PassKeys>& route, const std::vector<std::string>& moves,
                        const std::string& heading) {
  std::string out = heading;
  for (const std::string& m : moves) out += "# " + m + "\n";
  PassKeys cur = 0;
  int wait = 0;
  auto flush = [&]() {
    if (wait > 0) out += "wait " + std::to_string(wait) + "\n";
    wait = 0;
  };
  for (PassKeys k : route) {
    const PassKeys arrows = k & 15;
    if (arrows != cur || (k & kSpace) != 0) flush();
    for (int i = 0; i < 4; ++i) {
      const int bit = 1 << i;
      if ((cur & bit) != 0 && (arrows & bit) == 0)
        out += std::string("release ") + KeyName(i) + "\n";
    }
    for (int i = 0; i < 4; ++i) {
      const int bit = 1 << i;
      if ((cur & bit) == 0 && (arrows & bit) != 0) out += std::string("hold ") + KeyName(i) + "\n";
    }
    if ((k & kSpace) != 0) out += "press SPACE\n";
    cur = arrows;
    ++wait;
  }
  flush();
  for (int i = 0; i < 4; ++i)
    if ((cur & (1 << i)) != 0) out += std::string("release ") + KeyName(i) + "\n";
  out += "until ended\n";
  return out;
}

}  // namespace shortcut
