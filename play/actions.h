// The player's timed half: one step of the action under way (jump, fall, dig, door passage,
// exit, dying), the walking animation, and the drawing of the player.
#pragma once

// Advances Player->Action by one tick and draws the player; called once per frame by
// RenderGame, after the enemies are drawn. Always 0.
int AnimatePlayer();

// The rules of the dispatch.
void JumpStep();
void FallStep();
// The animation step and the drawing that end every AnimatePlayer.
void PlayerTail();
