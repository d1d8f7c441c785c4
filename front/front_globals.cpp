#include "front/front_globals.h"

int Language;
std::string yes, no;
std::string arrKeyMap[101][2];
int KNO[5];
std::string KN[5];
int RKey;
media::Timer LogoTimer;
TitleMenuState TitleMenu;
int InstructionPage;

void ResetFrontGlobals() {
  Language = 0;
  yes.clear();
  no.clear();
  for (auto& row : arrKeyMap) {
    row[0].clear();
    row[1].clear();
  }
  for (int k = 0; k < 5; ++k) {
    KNO[k] = 0;
    KN[k].clear();
  }
  RKey = 0;
  LogoTimer.reset();
  TitleMenu = TitleMenuState{};
  InstructionPage = 0;
}
