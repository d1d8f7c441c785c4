#include "core/sound.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include "core/globals.h"
#include "media/files.h"
#include "media/text.h"

std::vector<PrecachedMusic> AllPrecachedMusic;
std::string MusicName;
media::Sound MusicSound;
media::Channel MusicChannel;

namespace {

bool Cached(const std::string& path) {
  for (const PrecachedMusic& m : AllPrecachedMusic)
    if (m.Path == path) return true;
  return false;
}

// The files of the music folder the cache does not hold yet, in the folder's order.
std::vector<std::string> UncachedMusicPaths() {
  std::vector<std::string> paths;
  for (const std::string& name : media::LoadDir("Music")) {
    if (media::Lower(name).find("ogg") == std::string::npos) continue;
    const std::string path = "Music/" + name;
    if (!Cached(path)) paths.push_back(path);
  }
  return paths;
}

// Background decoding. `paths` is fixed before the workers start; each worker takes the next
// index and writes only that slot of `sounds`; the main thread reads the slots after joining
// the workers, so the joins order every access.
class MusicDecoding {
 public:
  ~MusicDecoding() { Join(); }

  bool Running() const { return !workers_.empty(); }

  void Start(std::vector<std::string> paths) {
    paths_ = std::move(paths);
    sounds_.assign(paths_.size(), nullptr);
    next_ = 0;
    const unsigned cores = std::max(2u, std::thread::hardware_concurrency());
    const std::size_t count = std::min<std::size_t>(paths_.size(), std::min(cores, 8u));
    for (std::size_t i = 0; i < count; ++i) workers_.emplace_back([this] { Work(); });
  }

  // Waits for the workers and moves what they decoded into `done`.
  void Finish(std::vector<PrecachedMusic>& done) {
    Join();
    for (std::size_t i = 0; i < paths_.size(); ++i)
      done.push_back({std::move(paths_[i]), std::move(sounds_[i])});
    paths_.clear();
    sounds_.clear();
  }

 private:
  void Work() {
    for (std::size_t i = next_++; i < paths_.size(); i = next_++)
      sounds_[i] = media::LoadSound(paths_[i], media::SOUND_LOOP);
  }
  void Join() {
    for (std::thread& t : workers_) t.join();
    workers_.clear();
  }

  std::vector<std::string> paths_;
  std::vector<media::Sound> sounds_;
  std::atomic<std::size_t> next_{0};
  std::vector<std::thread> workers_;
};

// Made on first use, so that it ends (joining its workers) before the media layer's own
// statics that the workers use.
MusicDecoding& Decoding() {
  static MusicDecoding decoding;
  return decoding;
}

// Tracks decoded in the background that the cache has not taken yet.
std::vector<PrecachedMusic> decoded;

// The track at `path`: taken from the background decoding when it decoded it, else loaded now.
media::Sound LoadMusic(const std::string& path) {
  if (Decoding().Running()) Decoding().Finish(decoded);
  for (auto it = decoded.begin(); it != decoded.end(); ++it) {
    if (it->Path != path) continue;
    media::Sound sound = std::move(it->Music);
    decoded.erase(it);
    return sound;
  }
  return media::LoadSound(path, media::SOUND_LOOP);
}

}  // namespace

void StartMusicDecoding() {
  if (Decoding().Running()) return;
  std::vector<std::string> paths = UncachedMusicPaths();
  // Not twice the same track.
  std::erase_if(paths, [](const std::string& path) {
    return std::any_of(decoded.begin(), decoded.end(),
                       [&](const PrecachedMusic& m) { return m.Path == path; });
  });
  if (!paths.empty()) Decoding().Start(std::move(paths));
}

int PrecacheAllMusic(int onlyOne) {
  for (const std::string& path : UncachedMusicPaths()) {
    AllPrecachedMusic.push_back({path, LoadMusic(path)});
    if (onlyOne != 0) break;
  }
  return 0;
}

media::Sound GetPrecachedMusic(const std::string& name) {
  const std::string key = media::Lower(name);
  for (const PrecachedMusic& m : AllPrecachedMusic)
    if (media::Lower(m.Path) == key) return m.Music;
  return nullptr;
}

media::Channel PlayMusic(const std::string& name) {
  if (name == MusicName && ChannelPlaying(MusicChannel) != 0) {
    SetChannelVolume(MusicChannel, 1.0f);
    return MusicChannel;
  }
  if (MusicSound) StopChannel(MusicChannel);
  if (name != MusicName) {
    MusicName = name;
    MusicSound = GetPrecachedMusic(name);
  }
  MusicChannel = MusicSound ? media::PlaySound(MusicSound) : nullptr;
  return MusicChannel;
}

int ReplaceMusic(const std::string& name) {
  return name != MusicName ? 1 : 0;
}

int StopChannel(const media::Channel& channel) {
  if (channel) media::StopChannel(channel);
  return 0;
}

int SetChannelVolume(const media::Channel& channel, float volume) {
  if (channel) media::SetChannelVolume(channel, volume);
  return 0;
}

int PauseChannel(const media::Channel& channel) {
  if (channel) media::PauseChannel(channel);
  return 0;
}

int ResumeChannel(const media::Channel& channel) {
  if (channel) media::ResumeChannel(channel);
  return 0;
}

int ChannelPlaying(const media::Channel& channel) {
  return channel ? media::ChannelPlaying(channel) : 0;
}

media::Channel PlaySfx(const media::Sound& sound) {
  Sfx = media::PlaySound(sound);
  if (Sfx) media::SetChannelVolume(Sfx, SfxVol);
  return Sfx;
}

void ResetMusic() {
  Decoding().Finish(decoded);
  decoded.clear();
  StopChannel(MusicChannel);
  AllPrecachedMusic.clear();
  MusicName.clear();
  MusicSound.reset();
  MusicChannel.reset();
}
