// Loading the program's media: the built-in pictures and sounds registered by name, the fonts,
// the pictures and the sounds, as start-up loads them; LoadAllMedia loads them all at once for
// tools, benchmarks and tests that run play without start-up.
#pragma once

#include <functional>

// The program's built-in pictures and sounds, by name ("incbin::Images/...").
void RegisterEmbeddedFiles();
// The pieces of loading, each as start-up loads it: the proportional font (measured into
// widthTable), the menu pictures, and the pictures (steps 0 to 20) and sounds (steps 21 to 41)
// of the progress bar; `afterStep`, when given, hears each step's number.
void LoadFont();
void LoadMenuPictures();
void LoadPictures(const std::function<void(int)>& afterStep = nullptr);
void LoadSounds(const std::function<void(int)>& afterStep = nullptr);
// The pictures and sounds with the progress bar drawn and shown after each step.
void LoadWithProgressBar();
// Everything start-up loads, drawing nothing: the embedded files registered, magenta masked,
// the word pictures of `language` (1 to 4), the player's handle set.
void LoadAllMedia(int language = 1, bool withSounds = true);
