// Every shipped stage: its file loads, its gold agrees with its door, its door and player start
// stand inside existing rooms, the campaign list names it with its rooms, theme and backdrop,
// and its solution replay ships under every language's word for a stage.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/globals.h"
#include "core/settings.h"
#include "stages/stage_format.h"
#include "tools/solc/world.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSources = fs::path(QUILL_SOURCE_DIR) / "assets/Levels-src";
const fs::path kLevels = fs::path(QUILL_GAME_DIR) / "Levels";

std::vector<unsigned char> Bytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(' ');
  return first == std::string::npos ? "" : s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// The stage file name of a campaign list number: "12" is "LEVEL 12", "Tut3" is "Tut3".
std::string FileOf(const std::string& number) {
  return number.rfind("Tut", 0) == 0 ? number : "LEVEL " + number;
}

// The campaign list: "number | idea | rooms | elements | theme | backdrop | key elements" a
// line (the key elements may be left out while a stage has none listed).
std::map<std::string, std::vector<std::string>> CampaignList() {
  std::map<std::string, std::vector<std::string>> list;
  std::ifstream in(kSources / "campaign.txt");
  for (std::string line; std::getline(in, line);) {
    if (Trim(line).empty() || Trim(line)[0] == '#') continue;
    std::vector<std::string> fields;
    std::istringstream parts(line);
    for (std::string f; std::getline(parts, f, '|');) fields.push_back(Trim(f));
    EXPECT_TRUE(fields.size() == 6 || fields.size() == 7) << line;
    EXPECT_EQ(list.count(FileOf(fields[0])), 0u) << "listed twice: " << line;
    if (fields.size() == 6 || fields.size() == 7) list[FileOf(fields[0])] = fields;
  }
  return list;
}

TEST(StageFiles, EveryShippedStageLoadsAndIsInTheCampaignList) {
  const auto list = CampaignList();
  int stages = 0;
  for (const auto& entry : fs::directory_iterator(kSources)) {
    if (entry.path().extension() != ".stage") continue;
    const std::string name = entry.path().stem().string();
    SCOPED_TRACE(name);
    ++stages;
    stagefile::Data stage;
    ASSERT_TRUE(stagefile::Decode(Bytes(kLevels / name), stage).ok());
    int gold = 0;
    for (const auto& item : stage.items) {
      gold += item.kind == 6;
      EXPECT_TRUE(stage.RoomExists(item.RoomX, item.RoomY)) << "item at " << item.X;
    }
    EXPECT_EQ(gold, stage.doorFrame);
    EXPECT_TRUE(stage.RoomExists(stage.doorRoomX, stage.doorRoomY));
    EXPECT_TRUE(stage.RoomExists(stage.playerRoomX, stage.playerRoomY));
    EXPECT_LE(stage.doorX, 30);  // the door is two cells wide and three high
    EXPECT_LE(stage.doorY, 21);
    EXPECT_LE(stage.playerX, 30);
    EXPECT_LE(stage.playerY, 22);
    const auto it = list.find(name);
    ASSERT_NE(it, list.end()) << "not in campaign.txt";
    const std::vector<std::string>& f = it->second;
    EXPECT_GE(f[1].size(), 20u) << "an idea worth a line";
    EXPECT_EQ(f[2], std::to_string(stage.roomRecords.size()));
    EXPECT_EQ(f[4], std::to_string(stage.Worldtheme));
    EXPECT_EQ(f[5], std::to_string(stage.BackGround));
  }
  EXPECT_EQ(static_cast<std::size_t>(stages), list.size()) << "the list names a stage not shipped";
}

// The game looks a built-in solution up under its language's word for a stage: every language
// finds the same replay.
TEST(StageFiles, EverySolutionShipsUnderEachLanguagesWord) {
  solc::SetUpWorld();
  const fs::path start = fs::current_path();
  fs::current_path(QUILL_GAME_DIR);
  std::vector<std::string> words;
  for (int language = 1; language <= 4; ++language) {
    ReadLanguage(language);
    words.push_back(Lang[43]);
  }
  fs::current_path(start);
  int replays = 0;
  for (const auto& entry : fs::directory_iterator(kSources)) {
    const std::string name = entry.path().stem().string();
    if (entry.path().extension() != ".keys") continue;
    if (name.rfind("Tut", 0) == 0) {
      EXPECT_TRUE(fs::exists(kLevels / ("TUT" + name.substr(3) + ".SOL"))) << name;
      continue;
    }
    const std::string number = name.substr(name.find(' ') + 1);
    const auto bytes = Bytes(kLevels / ("Level " + number + ".SOL"));
    EXPECT_GT(bytes.size(), 9u) << name;
    for (const std::string& word : words)
      EXPECT_EQ(Bytes(kLevels / (word + number + ".SOL")), bytes) << word << number;
    ++replays;
  }
  EXPECT_GT(replays, 0);
}

}  // namespace
