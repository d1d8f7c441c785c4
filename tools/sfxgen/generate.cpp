#include "tools/sfxgen/generate.h"

#include <algorithm>
#include <filesystem>

#include "tools/sfxgen/effect.h"
#include "tools/sfxgen/song.h"
#include "tools/sfxgen/text.h"
#include "tools/sfxgen/vorbis_out.h"

namespace fs = std::filesystem;

namespace sfxgen {

namespace {

constexpr float kEffectQuality = 0.5f;
constexpr float kMusicQuality = 0.3f;

// The recipe files of a folder with the given extension, sorted by name.
std::vector<fs::path> Recipes(const fs::path& dir, const std::string& ext,
                              std::vector<std::string>* errors) {
  std::vector<fs::path> found;
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) {
    errors->push_back(dir.string() + ": folder missing");
    return found;
  }
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->path().extension() == ext && it->is_regular_file(ec)) found.push_back(it->path());
  }
  if (ec) errors->push_back(dir.string() + ": " + ec.message());
  std::sort(found.begin(), found.end());
  return found;
}

// A recipe's base name becomes a file name in the game: letters, digits, '-' and '_' only.
bool SafeName(const std::string& name) {
  if (name.empty() || name.size() > 64) return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
  });
}

}  // namespace

std::vector<unsigned char> MakeEffectOgg(const std::string& name, const std::string& text,
                                         double* seconds) {
  Effect effect = ParseEffect(name, text);
  std::vector<float> samples = RenderEffect(effect);
  if (seconds) *seconds = static_cast<double>(samples.size()) / kRate;
  std::vector<unsigned char> ogg = EncodeVorbis(samples, 1, kRate, kEffectQuality, Hash32(name));
  if (ogg.empty()) throw RecipeError("the encoder refused the sound");
  return ogg;
}

std::vector<unsigned char> MakeSongOgg(const std::string& name, const std::string& text,
                                       double* seconds) {
  Song song = ParseSong(name, text);
  std::vector<float> samples = RenderSong(song);
  if (seconds) *seconds = static_cast<double>(samples.size() / 2) / kRate;
  std::vector<unsigned char> ogg = EncodeVorbis(samples, 2, kRate, kMusicQuality, Hash32(name));
  if (ogg.empty()) throw RecipeError("the encoder refused the music");
  return ogg;
}

bool GenerateAll(const std::string& src, const std::string& embed, const std::string& music,
                 std::vector<std::string>* errors, std::vector<Output>* outputs) {
  const std::size_t errors_before = errors->size();
  struct Job {
    fs::path recipe;
    fs::path target;
    bool song;
  };
  std::vector<Job> jobs;
  for (const fs::path& p : Recipes(fs::path(src) / "effects", ".sfx", errors)) {
    jobs.push_back({p, fs::path(embed) / "Sfx" / (p.stem().string() + ".ogg"), false});
  }
  for (const fs::path& p : Recipes(fs::path(src) / "music", ".song", errors)) {
    jobs.push_back({p, fs::path(music) / (p.stem().string() + ".ogg"), true});
  }
  for (const Job& job : jobs) {
    const std::string where = job.recipe.string();
    const std::string name = job.recipe.stem().string();
    if (!SafeName(name)) {
      errors->push_back(where + ": the name may hold only letters, digits, '-' and '_'");
      continue;
    }
    std::string text;
    if (!ReadWholeFile(where, &text)) {
      errors->push_back(where + ": cannot be read (or larger than 1 MB)");
      continue;
    }
    Output out;
    out.path = job.target.string();
    try {
      out.bytes = job.song ? MakeSongOgg(name, text, &out.seconds)
                           : MakeEffectOgg(name, text, &out.seconds);
    } catch (const RecipeError& e) {
      errors->push_back(where + ": " + e.what());
      continue;
    }
    std::error_code ec;
    fs::create_directories(job.target.parent_path(), ec);
    if (ec || !WriteFileAtomically(out.path, out.bytes)) {
      errors->push_back(out.path + ": cannot be written");
      continue;
    }
    if (outputs) outputs->push_back(std::move(out));
  }
  return errors->size() == errors_before;
}

}  // namespace sfxgen
