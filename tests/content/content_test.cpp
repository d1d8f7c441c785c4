// The shipped stages and their solution replays, played headless as the game plays them: every
// replay ends in the exit door (a tutorial's showing what it teaches), stage 1's replay is what its
// key script records now, and the stage holds a player back until the tools are used.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "media/headless.h"
#include "media/input.h"
#include "stage_folder_test.h"
#include "stages/replay.h"
#include "support/sanitized.h"
#include "tools/solc/script.h"
#include "tools/solc/solfile.h"
#include "tools/solc/world.h"

namespace {

namespace fs = std::filesystem;

const fs::path kLevels = fs::path(QUILL_GAME_DIR) / "Levels";

std::vector<unsigned char> Bytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What a run showed: each tick's traps (kind, X, Y, count, state of each), the enemies' (kind,
// state) pairs, the weapons thrown.
using Traps = std::vector<std::vector<int>>;
struct Seen {
  std::vector<Traps> traps;
  std::set<std::pair<int, int>> enemies;
  int throws = 0;
  bool Any(const std::function<bool(const Traps&)>& f) const {
    return std::any_of(traps.begin(), traps.end(), f);
  }
};

// Each tick's player, enemies, weapons and traps folded into one number (FNV-1a). The build
// records the replays with the rules of the day, so a changed rule still reaches the door; the
// digests kept in replay_digests.txt pin how every shipped stage plays, tick by tick.
struct Digest {
  std::uint64_t h = 14695981039346656037ull;
  int ticks = 0;
  void Add(int v) {
    for (int i = 0; i < 32; i += 8)
      h = (h ^ ((static_cast<unsigned>(v) >> i) & 0xff)) * 1099511628211ull;
  }
  std::string Text() const {
    std::ostringstream out;
    out << ticks << ' ' << std::hex << h;
    return out.str();
  }
};
const fs::path kDigests = fs::path(QUILL_SOURCE_DIR) / "tests/content/replay_digests.txt";

// "NAME dDIFFICULTY" -> "TICKS DIGEST", from the file's "NAME|DIFFICULTY|TICKS DIGEST" lines.
std::map<std::string, std::string> ReadDigests() {
  std::map<std::string, std::string> digests;
  std::ifstream in(kDigests);
  for (std::string line; std::getline(in, line);) {
    const auto a = line.find('|'), b = line.rfind('|');
    if (line.empty() || line[0] == '#' || a == b) continue;
    digests[line.substr(0, a) + " d" + line.substr(a + 1, b - a - 1)] = line.substr(b + 1);
  }
  return digests;
}

// What each tutorial teaches, as its replay must show it.
const std::map<int, std::function<bool(const Seen&)>> kTeaches = {
    // A mummy leaves its coffin and dies by the knife, thrown once.
    {5,
     [](const Seen& s) {
       return s.throws == 1 && s.enemies.count({0, EnemyState::Halting}) &&
              s.enemies.count({0, EnemyState::Moving}) && s.enemies.count({0, EnemyState::Dying});
     }},
    // The left door pushed the whole count the wrong way, the two-way door passed and turned.
    {6,
     [](const Seen& s) {
       return s.Any([](const Traps& t) { return t[0][3] == 39; }) && s.traps.back()[0][0] == 7 &&
              s.traps.back()[2][0] == TrapKind::TwoWayLeft;
     }},
    // The stone falls (state 1) and rests lower and further right.
    {7,
     [](const Seen& s) {
       return s.Any([](const Traps& t) { return t[0][4] == 1; }) &&
              s.traps.back()[0][2] > s.traps.front()[0][2] + 5 && s.traps.back()[0][4] == 0;
     }},
    // The floor counts one crossing, then gives way; the ladder two, and on the third vanishes.
    {8,
     [](const Seen& s) {
       return s.Any([](const Traps& t) { return t.size() == 2 && t[0][3] == 1; }) &&
              s.Any([](const Traps& t) { return t.size() == 1 && t[0][3] == 2; }) &&
              s.traps.back().empty() && Stage[32 + 12][10] == CellCode::Brick;
     }},
    // The wall trap fires and builds its wall down to the floor.
    {9,
     [](const Seen& s) {
       return s.Any([](const Traps& t) { return !t.empty() && t[0][4] == 1; }) &&
              Stage[10][11] == CellCode::Brick && Stage[10][19] == CellCode::Brick;
     }},
    // A mummy falls into its pit, a rock rolls and rests, a pony hops and falls.
    {10,
     [](const Seen& s) {
       namespace S = EnemyState;
       const std::set<std::pair<int, int>> shown = {
           {0, S::Falling}, {2, S::Moving}, {2, S::Resting}, {3, S::Moving}, {3, S::Falling}};
       return s.throws == 0 &&
              std::includes(s.enemies.begin(), s.enemies.end(), shown.begin(), shown.end());
     }},
};

class Content : public StageFolderTest {
 protected:
  Content() : StageFolderTest("quill-content-") {}
  // A stage in a folder of its own, from the runnable folder, live or as its replay.
  void Start(solc::StageRef stage, bool replay, int difficulty = 1) {
    solc::SetUpWorld();
    Difficulity = difficulty;
    std::string error;
    const fs::path folder = root_ / solc::StageFileFor(stage);
    ASSERT_TRUE(solc::PrepareFolder(folder.string(), kLevels.string(), stage, replay, error))
        << error;
    ASSERT_TRUE(solc::StartStage(stage, replay, error, difficulty)) << error;
  }
  // Plays a key script; RunScript's result, with its message in error_ and its passes in
  // passes_.
  bool Play(const std::string& text) {
    std::vector<solc::Step> steps;
    passes_ = 0;
    return solc::ParseScript(text, steps, error_) &&
           solc::RunScript(
               steps, solc::Pass, [this](int) { ++passes_; }, error_);
  }
  int passes_ = 0;
  std::string error_;
};

// Every shipped stage and tutorial with its replay beside it ("Level n.SOL", "TUTn.SOL", any
// letter case). A solution plays at difficulty 1 (F8 sets it); the tutorials keep the player's
// setting, so they must reach the door on both, and show what they teach.
// Each run must also play exactly as its kept digest says; QUILL_UPDATE_DIGESTS=1 rewrites the
// file instead, for new stages and for rules changed on purpose.
TEST_F(Content, EveryShippedSolutionEndsInTheExitDoor) {
  const bool update = std::getenv("QUILL_UPDATE_DIGESTS") != nullptr;
  const auto digests = ReadDigests();
  std::map<std::string, std::string> found;
  std::vector<solc::StageRef> stages;
  const std::regex solName("(level |tut)([0-9]+)\\.sol");
  for (const auto& entry : fs::directory_iterator(kLevels)) {
    std::string name = entry.path().filename().string();
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::smatch m;
    if (!std::regex_match(name, m, solName)) continue;
    const solc::StageRef ref{std::stoi(m[2].str()), m[1].str() == "tut"};
    if (fs::exists(kLevels / solc::StageFileFor(ref))) stages.push_back(ref);
  }
  ASSERT_TRUE(std::any_of(stages.begin(), stages.end(),
                          [](solc::StageRef s) { return !s.tutorial && s.number == 1; }));
  // The sanitizer build, many times slower, plays the tutorials, stage 1 and every tenth stage;
  // the normal build plays them all.
  if (quill_test::kSanitized && !update)
    std::erase_if(stages, [](solc::StageRef s) {
      return !s.tutorial && s.number != 1 && s.number % 10 != 0;
    });
  for (solc::StageRef stage : stages)
    for (int difficulty = 1; difficulty <= (stage.tutorial ? 2 : 1); ++difficulty) {
      SCOPED_TRACE(solc::StageFileFor(stage) + " difficulty " + std::to_string(difficulty));
      Start(stage, true, difficulty);
      const int gold = Exitdoor->Frame;
      bool inDoor = false, died = false;
      Seen seen;
      Digest digest;
      for (int t = 0; t < 20000 && Game->State == 26; ++t, ++digest.ticks) {
        const int weapons = Weapons_list.Count();
        solc::Pass();
        for (int v : {Player->X, Player->Y, Player->Action, Player->Score, RoomX, RoomY})
          digest.Add(v);
        for (auto e : Enemies_list.Each<bbEnemies>())
          for (int v : {e->Kind, e->State, e->x, e->y, e->RoomX, e->RoomY}) digest.Add(v);
        for (auto w : Weapons_list.Each<bbWeapons>())
          for (int v : {w->x, w->y, w->roomx, w->roomy, w->State}) digest.Add(v);
        inDoor = inDoor || Player->Action == 26;
        died = died || Player->Action == 16;
        seen.throws += Weapons_list.Count() > weapons;
        for (auto e : Enemies_list.Each<bbEnemies>()) seen.enemies.insert({e->Kind, e->State});
        seen.traps.emplace_back();
        for (auto t : Traps_list.Each<bbTraps>())
          seen.traps.back().push_back({t->Kind, t->X, t->Y, t->NumOfPass, t->State});
        for (const auto& trap : seen.traps.back())
          for (int v : trap) digest.Add(v);
      }
      const std::string name = solc::StageFileFor(stage) + "|" + std::to_string(difficulty) + "|";
      found[name] = digest.Text();
      const auto kept = digests.find(solc::StageFileFor(stage) + " d" + std::to_string(difficulty));
      if (!update) {
        EXPECT_EQ(kept == digests.end() ? "none kept" : kept->second, digest.Text())
            << "the stage plays otherwise than its kept digest (a new stage, or a changed rule: "
               "if intended, run the content tests with QUILL_UPDATE_DIGESTS=1)";
      }
      EXPECT_TRUE(inDoor && !died);
      const auto teaches = kTeaches.find(stage.tutorial ? stage.number : 0);
      EXPECT_TRUE(teaches == kTeaches.end() || teaches->second(seen));
      EXPECT_EQ(std::vector<int>({Game->State, Exitdoor->State, DemoMode}),
                std::vector<int>({solc::StateAfterExit(stage), 3, 0}));
      EXPECT_TRUE(stage.tutorial || Played[stage.number] == stage.number);
      EXPECT_GE(Player->Score, gold * 500);
    }
  if (update) {
    std::ofstream out(kDigests);
    out << "# How each shipped replay plays: stage|difficulty|ticks digest\n"
           "# (written by the content tests with QUILL_UPDATE_DIGESTS=1)\n";
    for (const auto& [name, text] : found) out << name << text << "\n";
  }
}

// The shipped replay is what the key script records now: a stale file fails here. The run shows
// what the stage teaches: a sideways dig, a climb, a jump, a fall, a downward dig and the exit.
TEST_F(Content, StageOneReplayIsWhatItsKeyScriptRecords) {
  std::ifstream in(fs::path(QUILL_SOURCE_DIR) / "assets/Levels-src/LEVEL 1.keys");
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::vector<solc::Step> steps;
  ASSERT_TRUE(solc::ParseScript(text, steps, error_)) << error_;
  Start({1, false}, false);
  std::vector<int> actions;
  ASSERT_TRUE(solc::RunScript(
      steps, solc::Pass, [&](int) { actions.push_back(Player->Action); }, error_))
      << error_;
  for (int action : {9, 15, 13, 14, 11, 26})
    EXPECT_NE(std::find(actions.begin(), actions.end(), action), actions.end()) << action;
  EXPECT_EQ(Game->State, 27);
  SaveReplay();
  const auto fresh = Bytes(root_ / "LEVEL 1" / "PlayerLevels" / "Level 1.SOL");
  ASSERT_FALSE(fresh.empty());
  EXPECT_EQ(fresh, Bytes(kLevels / "Level 1.SOL"));
}

// A replay cut to its first four runs leaves the player in the stage.
TEST_F(Content, AReplayCutShortDoesNotReachTheDoor) {
  auto bytes = Bytes(kLevels / "Level 1.SOL");
  ASSERT_GT(bytes.size(), 4u + 5 * 5);
  std::vector<unsigned char> cut = {3, 0, 0, 0};
  cut.insert(cut.end(), bytes.begin() + 4, bytes.begin() + 4 + 5 * 4);
  Start({1, false}, true);
  std::ofstream(root_ / "LEVEL 1" / "Levels" / "Level 1.SOL", std::ios::binary)
      .write(reinterpret_cast<const char*>(cut.data()), static_cast<std::streamsize>(cut.size()));
  std::string error;
  ASSERT_TRUE(solc::StartStage(1, true, error)) << error;
  for (int t = 0; t < 3000 && Game->State == 26; ++t) solc::Pass();
  EXPECT_EQ(Game->State, 26);
  EXPECT_EQ(Exitdoor->State, 1);
}

// Stage 1 as a puzzle: three gold and two tools; its brick wall holds back a player who does not
// dig, and its door stays shut until the last gold.
TEST_F(Content, StageOneHoldsThePlayerBackUntilTheToolsAreUsed) {
  Start({1, false}, false);
  int gold = 0, tools = 0;
  for (auto it : Items_list.Each<bbItems>())
    gold += it->kind == 6, tools += it->kind >= 2 && it->kind <= 5;
  EXPECT_EQ(std::vector<int>({gold, tools, Exitdoor->Frame, Exitdoor->roomx, RoomX, Player->X}),
            std::vector<int>({3, 2, 3, 2, 0, 48}));
  // It starts at y 504; a wait of 3 is 3 passes; an until gives up after 3000.
  EXPECT_FALSE(Play("until y >= 504\nwait 3\nhold RIGHT\nuntil x >= 240\n"));
  EXPECT_EQ(error_.rfind("line 4: not met", 0), 0u) << error_;
  EXPECT_EQ(passes_, 3 + 3000);
  EXPECT_EQ(Player->State, 4);  // carrying the sideways tool, never used
  media::headless::KeyUpNow(media::KEY_RIGHT);
  Player->RoomX = RoomX = 2;
  Player->X = 24 * 24 + 24;
  Player->Y = 20 * 24 - 48;
  for (int t = 0; t < 200; ++t) solc::Pass();
  EXPECT_EQ(Exitdoor->State, 1);  // one gold left: shut while the player stands in it
  EXPECT_EQ(Game->State, 26);
  Exitdoor->Frame = 0, Exitdoor->State = 2;
  for (int t = 0; t < 400 && Game->State == 26; ++t) solc::Pass();
  EXPECT_EQ(Game->State, 27);
}

}  // namespace
