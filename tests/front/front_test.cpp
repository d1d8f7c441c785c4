#include "front_test.h"

#include <fstream>

#include "app/startup.h"
#include "core/globals.h"
#include "core/load.h"
#include "core/objects.h"
#include "core/quit.h"
#include "core/sound.h"
#include "core/text.h"
#include "front/front_globals.h"
#include "media/headless.h"
#include "media/media.h"

namespace fronttest {

namespace {
const char* const kTags[5] = {"", "EN", "FR", "GR", "IT"};
const char* const kFolders[5] = {"", "Langs/", "Langs/fr/", "Langs/gr/", "Langs/it/"};
}  // namespace

std::string LineOf(int language, int n) {
  return std::string(kTags[language]) + " LINE " + std::to_string(n);
}

void FrontTest::SetUp() {
  oldDir_ = std::filesystem::current_path();
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  dir_ = std::filesystem::temp_directory_path() /
         ("quill_front_" + std::string(info->test_suite_name()) + "_" + info->name() + "_" +
          std::to_string(::getpid()));
  std::filesystem::remove_all(dir_);
  std::filesystem::create_directories(dir_);
  std::filesystem::current_path(dir_);
  media::UseHeadlessBackend();
  media::headless::ResetHeadless();
  media::ResetGraphicsState();
  media::ClearDebugLog();
  media::FlushKeys();
  media::FlushMouse();
  ResetGlobals();
  SetEndProgramHandler([] { throw ProgramEnded{}; });
}

void FrontTest::TearDown() {
  media::headless::OnFlip(nullptr);
  SetEndProgramHandler(nullptr);
  std::filesystem::current_path(oldDir_);
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}

void FrontTest::WriteBytes(const std::string& name, const std::vector<unsigned char>& bytes) {
  std::filesystem::path p = dir_ / name;
  std::filesystem::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
}

void FrontTest::WriteText(const std::string& name, const std::string& text) {
  WriteBytes(name, std::vector<unsigned char>(text.begin(), text.end()));
}

std::vector<unsigned char> FrontTest::ReadBytes(const std::string& name) {
  std::ifstream in(dir_ / name, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

bool FrontTest::Exists(const std::string& name) {
  return std::filesystem::is_regular_file(dir_ / name);
}

void FrontTest::WriteLanguageFiles() {
  for (int language = 1; language <= 4; ++language) {
    std::string text;
    for (int n = 0; n < 177; ++n) text += LineOf(language, n) + "\n";
    WriteText(std::string(kFolders[language]) + "Lang.txt", text);
    WriteText(std::string(kFolders[language]) + "quit.txt", "yes\nno\n");
  }
}

bool FrontTest::Run(const std::function<void()>& body, const std::function<bool(int)>& onFlip,
                    int maxFrames) {
  media::headless::OnFlip([&](int frame) { return frame < maxFrames && onFlip(frame); });
  bool stopped = false;
  try {
    body();
  } catch (const media::headless::Stop&) {
    stopped = true;
  }
  media::headless::OnFlip(nullptr);
  return stopped;
}

bool FrontTest::RunGame(const std::function<bool(int)>& atTitle, int maxFrames) {
  int titleFrames = 0;
  return Run([] { _bb_main(); },
             [&](int) {
               if (!Game || Game->State != 31 || !Title) return true;
               return atTitle(titleFrames++);
             },
             maxFrames);
}

void LoadForScreens() {
  RegisterEmbeddedFiles();
  CreateObjectLists();
  Player = New<bbPlayers>();
  Exitdoor = New<bbExitDoors>();
  Game = New<bbGames>();
  media::Graphics(800, 600, 0, 60);
  media::SetMaskColor(255, 0, 255);
  imgFont = media::LoadAnimImage("incbin::Images/Font.png", 16, 16, 0, 95,
                                 media::MASKEDIMAGE | media::DYNAMICIMAGE);
  MeasureFontWidths();
  Flags = media::LoadImage("incbin::Images/Flags.png");
  Back = media::LoadAnimImage("incbin::Images/Back.png", 192, 96, 0, 12);
  optAlpha = media::LoadAnimImage("incbin::Images/optAlpha.png", 16, 16, 0, 59);
  optAlpha2 = media::LoadAnimImage("incbin::Images/optAlpha2.png", 16, 16, 0, 59);
  ItemSprite = media::LoadAnimImage("incbin::Images/Items.png", 48, 48, 0, 64);
  dir = "Images/";
  LoadWithProgressBar();
}

}  // namespace fronttest
