#include "front/front_globals.h"

#include "core/globals.h"

std::string arrKeyMap[101][2];
int KNO[5];
std::string KN[5];
int RKey;
TitleMenuState TitleMenu;
int InstructionPage;

void ResetFrontGlobals() {
  for (auto& row : arrKeyMap) {
    row[0].clear();
    row[1].clear();
  }
  for (int k = 0; k < 5; ++k) {
    KNO[k] = 0;
    KN[k].clear();
  }
  RKey = 0;
  TitleMenu = TitleMenuState{};
  InstructionPage = 0;
}

namespace {
[[maybe_unused]] const bool kResetRegistered = RegisterGlobalsReset(ResetFrontGlobals);
}  // namespace
