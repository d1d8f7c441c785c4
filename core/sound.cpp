#include "core/sound.h"

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

}  // namespace

int PrecacheAllMusic(int onlyOne) {
  for (const std::string& name : media::LoadDir("Music")) {
    if (media::Lower(name).find("ogg") == std::string::npos) continue;
    const std::string path = "Music/" + name;
    if (Cached(path)) continue;
    AllPrecachedMusic.push_back({path, media::LoadSound(path, media::SOUND_LOOP)});
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
  StopChannel(MusicChannel);
  AllPrecachedMusic.clear();
  MusicName.clear();
  MusicSound.reset();
  MusicChannel.reset();
}
