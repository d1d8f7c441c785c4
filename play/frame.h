// One frame of play: drawing, the player's timed actions and the in-game keys.
#pragma once

int RenderGame(int mode);
