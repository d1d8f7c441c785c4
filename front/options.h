// The options screen, entered from the title menu.
#pragma once

// Runs until Escape or the back row; sets Game->State 31 on leaving. Returns 0.
int OptionsScreen();

// One volume step as the options screen takes it: down by 0.1 while above 0.0, up by 0.1 while
// 10 x volume is below 10.0, in 32-bit reals.
float VolumeDown(float volume);
float VolumeUp(float volume);
// The number shown for a volume: 10 x volume in 32 bits, truncated toward zero.
int VolumeShown(float volume);
