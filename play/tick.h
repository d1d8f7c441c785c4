// One tick of play.
#pragma once

int UpdateGame();
