// Sound channels and the music cache. Music is loaded once from the "Music" folder as looping
// sounds and asked for by path; the music player keeps one current track on one channel, so a
// screen may ask for its track every frame without restarting it. Sound effects are started
// through PlaySfx. The channel and volume globals (`song`, `Sfx`, `MusicVol`, `SfxVol` ...) are
// in core/globals.h.
#pragma once

#include <string>
#include <vector>

#include "media/sound.h"

// One cached music file.
struct PrecachedMusic {
  std::string Path;    // "Music/" + the file's name as the folder listing gave it
  media::Sound Music;  // loaded looping; null when the file did not load
};

// The music cache, in the order the files were loaded.
extern std::vector<PrecachedMusic> AllPrecachedMusic;

// The music player's state: the path last asked for, its cached sound and its channel.
extern std::string MusicName;
extern media::Sound MusicSound;
extern media::Channel MusicChannel;

// Starts decoding, on worker threads and in parallel, the files PrecacheAllMusic would load
// now; start-up calls it early so that the decoding runs while the screen shows the rate probe,
// the logo and the progress bar. The workers touch nothing but their own results, which the
// cache takes (waiting for the workers) when it is first used. Calling it again while decoding
// runs does nothing.
void StartMusicDecoding();
// Loads every file of the "Music" folder (relative to the current folder) whose lower-cased
// name contains "ogg" and whose path is not cached yet; with onlyOne != 0 stops after the first
// record made. A file StartMusicDecoding decoded is taken from there (messages about a file
// that did not load came from the worker). Always 0.
int PrecacheAllMusic(int onlyOne = 0);
// The cached sound whose path equals `name` ignoring letter case; null when none does.
media::Sound GetPrecachedMusic(const std::string& name);
// Plays the cached track `name` (such as "Music/Title.ogg") and returns its channel. While the
// same name (exact comparison) still plays, its channel is kept, set to volume 1.0 and
// returned. Otherwise the current track stops and `name` starts from its beginning; a name not
// in the cache (or whose file did not load) starts nothing and gives null.
media::Channel PlayMusic(const std::string& name);
// 1 when `name` differs from MusicName (exact comparison), else 0.
int ReplaceMusic(const std::string& name);

// The media layer's channel commands, doing nothing for a null channel.
//
// Argument-dependent lookup also finds media's commands of the same names for a media::Channel
// argument. The overloads taking a non-const reference are the better match for a channel
// variable such as `song` or `Sfx`, so `StopChannel(song)` calls these; for a const channel or
// a temporary, write `::StopChannel(...)`.
int StopChannel(const media::Channel& channel);
int SetChannelVolume(const media::Channel& channel, float volume);
int PauseChannel(const media::Channel& channel);
int ResumeChannel(const media::Channel& channel);
int ChannelPlaying(const media::Channel& channel);  // 0 for null
inline int StopChannel(media::Channel& channel) {
  return ::StopChannel(static_cast<const media::Channel&>(channel));
}
inline int SetChannelVolume(media::Channel& channel, float volume) {
  return ::SetChannelVolume(static_cast<const media::Channel&>(channel), volume);
}
inline int PauseChannel(media::Channel& channel) {
  return ::PauseChannel(static_cast<const media::Channel&>(channel));
}
inline int ResumeChannel(media::Channel& channel) {
  return ::ResumeChannel(static_cast<const media::Channel&>(channel));
}
inline int ChannelPlaying(media::Channel& channel) {
  return ::ChannelPlaying(static_cast<const media::Channel&>(channel));
}

// Plays a sound effect: Sfx = PlaySound(sound), then Sfx's volume is SfxVol when a channel was
// obtained. The previous effect goes on playing. Returns Sfx.
media::Channel PlaySfx(const media::Sound& sound);

// Waits for background decoding, then empties the cache and clears the music player's state.
// For tests.
void ResetMusic();
