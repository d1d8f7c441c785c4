// Start-up and the top-level state machine.
#pragma once

#include <functional>
#include <string>

// The whole program's main function: start-up, then the state machine until it leaves.
// Returns 0 when the state machine reaches state 30, 1 when no screen could be opened.
int _bb_main();

// The pieces of start-up, in the order _bb_main runs them.
void RegisterEmbeddedFiles();  // the program's built-in pictures and sounds, by name
void MakeArrays();             // the global tables, emptied
void FillBuiltinTables();      // jump curves, bounce, editor footprints, item names
// The first-start language chooser over the four flags; returns the language 1 to 4.
int ChooseLanguage();
// Measures the display rate into FPS (at least one second, at most ten) and sets DelayTime.
void ProbeDisplayRate();
// DelayTime for a measured display rate: 16.6 - 1000 div fps above 60, else 0.
int DelayTimeFor(int fps);
void LogoSlide();
void LoadWithProgressBar();
// The pieces of loading, each as start-up loads it: the proportional font (measured into
// widthTable), the menu pictures of step 18, and the pictures (steps 0 to 20) and sounds (steps
// 21 to 41) of the progress bar; `afterStep`, when given, hears each step's number.
void LoadFont();
void LoadMenuPictures();
void LoadPictures(const std::function<void(int)>& afterStep = nullptr);
void LoadSounds(const std::function<void(int)>& afterStep = nullptr);
// Everything start-up loads, drawing nothing: the embedded files registered, magenta masked,
// the word pictures of `language` (1 to 4), the player's handle set. For tools, benchmarks and
// tests that run play without start-up.
void LoadAllMedia(int language = 1, bool withSounds = true);

// The folder path followed by "/" unless it already ends in "/" or "\\".
std::string WithTrailingSlash(const std::string& folder);

// The top-level state machine on Game->State; returns when it reaches 30.
void RunStateMachine();
// State 28: the game-over page; leaves with Game->State 31.
void GameOverPage();
