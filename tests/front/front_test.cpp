#include "front_test.h"

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
#include "support/temp_folder.h"

namespace fronttest {

std::string LineOf(int language, int n) {
  static const char* const kTags[5] = {"", "EN", "FR", "GR", "IT"};
  return std::string(kTags[language]) + " LINE " + std::to_string(n);
}

unsigned At(int x, int y) {
  return media::ReadScreenPixel(x, y) | 0xFF000000u;
}

void LoadForScreens() {
  RegisterEmbeddedFiles();
  CreateObjectLists();
  Player = New<bbPlayers>();
  Exitdoor = New<bbExitDoors>();
  Game = New<bbGames>();
  media::Graphics(800, 600, 0, 60);
  media::SetMaskColor(255, 0, 255);
  LoadFont();
  Flags = media::LoadImage("incbin::Images/Flags.png");
  LoadMenuPictures();
  dir = "Images/";
  LoadWithProgressBar();
}

void FrontTest::SetUp() {
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
}

void FrontTest::Write(const std::string& name, const Bytes& bytes) {
  std::filesystem::create_directories((dir_ / name).parent_path());
  quill_test::WriteBytes((dir_ / name).string(), bytes);
}

void FrontTest::Write(const std::string& name, const std::string& text) {
  Write(name, Bytes(text.begin(), text.end()));
}

Bytes FrontTest::Read(const std::string& name) {
  const std::string bytes = quill_test::ReadBytes((dir_ / name).string());
  return Bytes(bytes.begin(), bytes.end());
}

void FrontTest::WriteLanguageFiles() {
  static const char* const kFolders[5] = {"", "Langs/", "Langs/fr/", "Langs/gr/", "Langs/it/"};
  for (int language = 1; language <= 4; ++language) {
    std::string text;
    for (int n = 0; n < 177; ++n) text += LineOf(language, n) + "\n";
    Write(std::string(kFolders[language]) + "Lang.txt", text);
    Write(std::string(kFolders[language]) + "quit.txt", std::string("yes\nno\n"));
  }
}

int FrontTest::Run(const std::function<void()>& body, const std::function<bool(int)>& onFlip) {
  const int first = media::headless::FrameCount();
  media::headless::OnFlip(
      [&](int frame) { return frame - first < 20000 && onFlip(frame - first); });
  try {
    body();
  } catch (const media::headless::Stop&) {
  }
  media::headless::OnFlip(nullptr);
  return media::headless::FrameCount() - first;
}

namespace {

std::vector<media::headless::InputEvent> Parse(const std::string& script) {
  std::vector<media::headless::InputEvent> events;
  std::string error;
  EXPECT_TRUE(media::headless::ParseScript(script, events, error)) << error;
  return events;
}

// Applies the events of one frame now.
void Apply(const std::vector<media::headless::InputEvent>& events, int frame) {
  std::vector<media::headless::InputEvent> now;
  for (media::headless::InputEvent e : events)
    if (e.frame == frame) now.push_back((e.frame = 0, e));
  if (!now.empty()) media::headless::SetScript(now);
}

}  // namespace

Trace FrontTest::Play(const std::function<void()>& body, const std::string& script,
                      const Probe& probe, const Trace& want, int until,
                      const std::function<bool()>& counts) {
  const auto events = Parse(script);
  const int last = until >= 0 ? until : want.empty() ? 0 : want.rbegin()->first;
  traced_.clear();
  int n = 0;
  shown_ = Run(body, [&](int) {
    if (counts && !counts()) return true;
    if (want.count(n)) traced_[n] = probe();
    Apply(events, n);
    return n++ < last;
  });
  return traced_;
}

Trace FrontTest::PlayGame(const std::string& script, const Probe& probe, const Trace& want,
                          int until) {
  return Play([] { _bb_main(); }, script, probe, want, until,
              [] { return Game && Game->State == 31 && Title; });
}

}  // namespace fronttest
