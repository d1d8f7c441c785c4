// The generator's whole job: every recipe of the source folder into an Ogg Vorbis file.
#pragma once

#include <string>
#include <vector>

namespace sfxgen {

struct Output {
  std::string path;                  // where it was (or would be) written
  std::vector<unsigned char> bytes;  // the encoded file
  double seconds = 0.0;              // decoded length
};

// Effects: <src>/effects/<Name>.sfx -> <embed>/Sfx/<Name>.ogg (mono, 44.1 kHz).
// Music:   <src>/music/<Name>.song  -> <music>/<Name>.ogg (stereo, 44.1 kHz, a closed loop).
// Recipes are taken in name order. Returns false and fills *errors ("file: line n: ...") when a
// recipe is unusable or a file cannot be written; nothing is written for a failed recipe.
bool GenerateAll(const std::string& src, const std::string& embed, const std::string& music,
                 std::vector<std::string>* errors, std::vector<Output>* outputs = nullptr);

// One recipe text to Ogg bytes (throws RecipeError); used by GenerateAll and the tests.
std::vector<unsigned char> MakeEffectOgg(const std::string& name, const std::string& text,
                                         double* seconds = nullptr);
std::vector<unsigned char> MakeSongOgg(const std::string& name, const std::string& text,
                                       double* seconds = nullptr);

}  // namespace sfxgen
