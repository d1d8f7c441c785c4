#include "core/tables.h"

#include "core/globals.h"

void MakeArrays() {
  ResetWorldAndTables();
}

void FillBuiltinTables() {
  static const int kJump[18] = {0, 0, 0, -12, -12, -6, -6, -6, -3, 0, 0, 0, 3, 6, 6, 6, 12, 12};
  static const int kBounce[18] = {-12, -6, -3, -3, 0, 0, 3, 3, 6, 12, -12, -3, 0, 3, 12, -6, 0, 6};
  static const int kW[26] = {24, 24, 48, 48, 48, 48, 48, 48, 48, 48, 24, 96, 48,
                             48, 24, 24, 24, 24, 48, 48, 48, 48, 48, 96, 96, 96};
  static const int kH[26] = {24, 24, 24, 48, 48, 48, 48, 48, 48, 48, 48, 24, 48,
                             48, 48, 48, 48, 48, 48, 48, 48, 48, 48, 96, 96, 96};
  for (int i = 0; i < 18; ++i) PlayerJumpX[i] = i == 0 ? 0 : 3;
  for (int i = 0; i < 18; ++i) PlayerJump[i] = kJump[i];
  for (int i = 0; i < 18; ++i) Bounce[i] = kBounce[i];
  for (int i = 1; i <= 30; ++i) ItemName[i] = Lang[146 + i];
  for (int i = 0; i < 26; ++i) {
    W[i] = kW[i];
    H[i] = kH[i];
  }
}
