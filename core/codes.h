// The game's code numbers, named once for the game, the tools and the tests. The values are
// stored in stage and replay files and compared against in the rules: never change one.
#pragma once

// Game.State: the top-level state machine.
namespace GameState {
constexpr int Play = 26;
constexpr int NextStage = 27;  // start the next stage, or the same one again
constexpr int GameOver = 28;
constexpr int QuitDialog = 29;
constexpr int Leave = 30;
constexpr int Title = 31;
constexpr int Editor = 32;
constexpr int OptionsBack = 99;  // used inside the options screen only
}  // namespace GameState

// Stage cell codes.
namespace CellCode {
constexpr int Empty = 0;
constexpr int Block = 1;         // solid
constexpr int Brick = 2;         // diggable, solid
constexpr int Ladder = 3;        // left cell of a two-cell ladder
constexpr int VanishLadder = 4;  // left cell of a vanishing ladder
constexpr int Solid88 = 88;      // a crumbling floor's cell, or a resting rolling rock's
constexpr int LadderRight = 99;  // right cell of a two-cell ladder
}  // namespace CellCode

// Player.Action: what the player is doing.
namespace Act {
constexpr int Ground = 0;
constexpr int DigSide = 9;
constexpr int DigDown = 11;
constexpr int Jump = 13;
constexpr int Fall = 14;
constexpr int Ladder = 15;
constexpr int Dying = 16;
constexpr int TwoWayLeft = 22;
constexpr int TwoWayRight = 23;
constexpr int OneWayLeft = 24;
constexpr int OneWayRight = 25;
constexpr int Exiting = 26;
}  // namespace Act

// Player.State: the tool in hand.
namespace Tool {
constexpr int None = 0;  // empty hands: fire jumps
constexpr int Weapon0 = 1;
constexpr int Weapon1 = 2;
constexpr int SideTwo = 3;  // sideways digging tool, two cells deep
constexpr int SideOne = 4;
constexpr int DownTwo = 5;  // downward digging tool, two cells deep
constexpr int DownOne = 6;
constexpr int SideDigTwo = 7;  // a sideways dig under way
constexpr int SideDigOne = 8;
constexpr int DownDigTwo = 9;  // a downward dig under way
constexpr int DownDigOne = 10;
}  // namespace Tool

// Item kind.
namespace ItemKind {
constexpr int Weapon0 = 0;
constexpr int Weapon1 = 1;
constexpr int SideTwo = 2;
constexpr int SideOne = 3;
constexpr int DownTwo = 4;
constexpr int DownOne = 5;
constexpr int Gold = 6;
}  // namespace ItemKind

// Trap Kind.
namespace TrapKind {
constexpr int WallTrap = 0;
constexpr int Crumble = 1;
constexpr int Stone = 2;
constexpr int VanishLadder = 3;
constexpr int TwoWayLeft = 4;  // passed leftwards
constexpr int TwoWayRight = 5;
constexpr int OneWayLeft = 6;
constexpr int OneWayRight = 7;
}  // namespace TrapKind

// Enemy Kind and State.
namespace EnemyKind {
constexpr int SlowMummy = 0;
constexpr int FastMummy = 1;
constexpr int Rock = 2;
constexpr int Pony = 3;
}  // namespace EnemyKind
namespace EnemyState {
constexpr int Forming = 0;  // in the coffin, or taking shape
constexpr int Falling = 14;
constexpr int Climbing = 15;
constexpr int Dying = 16;
constexpr int Bouncing = 18;  // rock
constexpr int Halting = 19;   // halting, aiming or waiting
constexpr int Moving = 20;    // walking, hopping or rolling
constexpr int Resting = 21;   // rock, part of the terrain
}  // namespace EnemyState

// Exitdoor.State.
namespace DoorState {
constexpr int None = 0;
constexpr int Shut = 1;
constexpr int Open = 2;  // every piece of gold taken
constexpr int Leaving = 3;
}  // namespace DoorState

// Replay action codes (Demo row 0, ActionType).
namespace Rec {
constexpr int None = 0;
constexpr int Left = 1;
constexpr int Right = 2;
constexpr int Down = 3;
constexpr int Up = 4;
constexpr int JumpUp = 5;
constexpr int JumpLeft = 6;
constexpr int JumpRight = 7;
constexpr int Throw = 8;
constexpr int DigSide = 9;
constexpr int DigDown = 10;
constexpr int Falling = 11;
constexpr int End = 100;
}  // namespace Rec
