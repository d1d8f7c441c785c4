#include "editor_test.h"

#include <fstream>
#include <iterator>
#include <random>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "editor/editor.h"
#include "media/headless.h"
#include "media/media.h"
#include "tools/solc/world.h"

namespace editortest {

namespace fs = std::filesystem;
namespace hl = media::headless;

void EditorTest::SetUp() {
  start_ = fs::current_path();
  root_ = fs::temp_directory_path() / ("quill-editor-" + std::to_string(std::random_device{}()));
  solc::SetUpWorld();
  std::string error;
  ASSERT_TRUE(solc::PrepareFolder(root_.string(), QUILL_GAME_DIR "/Levels", 1, true, error))
      << error;
  ResetEditor();
  media::ChangeDir(FilePath);
  Game->State = GameState::Editor;
  EditMode = 1;
  ClearEditorStage();
}

void EditorTest::TearDown() {
  hl::OnFlip(nullptr);
  std::error_code ec;
  fs::current_path(start_, ec);
  fs::remove_all(root_, ec);
}

bool EditorTest::Drive(const std::function<void()>& body, const std::string& script,
                       std::vector<std::string> console, int frames) {
  std::vector<hl::InputEvent> events;
  std::string error;
  EXPECT_TRUE(hl::ParseScript(script, events, error)) << error;
  hl::SetScript(events);
  hl::SetConsoleLines(std::move(console));
  const int first = hl::FrameCount();
  hl::OnFlip([&](int frame) { return frame - first < frames; });
  bool stopped = false;
  try {
    body();
  } catch (const hl::Stop&) {
    stopped = true;
  }
  hl::OnFlip(nullptr);
  return stopped;
}

void EditorTest::Answer(const std::function<void()>& body, const std::string& reply,
                        std::vector<std::string> console) {
  std::string script;
  for (std::size_t i = 0; i < reply.size(); ++i)
    script += std::to_string(i + 1) + " type " + reply[i] + "\n";
  script += std::to_string(reply.size() + 1) + " press ENTER\n";
  EXPECT_FALSE(Drive(body, script, std::move(console), 1000));
}

std::vector<unsigned char> EditorTest::Bytes(const std::string& relative) {
  std::ifstream in(root_ / relative, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void EditorTest::Write(const std::string& relative, const std::vector<unsigned char>& bytes) {
  std::ofstream out(root_ / relative, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

}  // namespace editortest
