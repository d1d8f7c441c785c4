// The top-level state machine: dispatches on Game->State to the title, play, the next stage,
// the game-over page, the quit dialog and the editor.
#pragma once

// Runs until Game->State reaches 30.
void RunStateMachine();
// State 28: the game-over page; leaves with Game->State 31.
void GameOverPage();
