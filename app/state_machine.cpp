#include "app/state_machine.h"

#include "core/globals.h"
#include "core/objects.h"
#include "core/quit.h"
#include "editor/editor.h"
#include "front/flow.h"
#include "front/title.h"
#include "media/media.h"
#include "play/frame.h"
#include "play/tick.h"

void RunStateMachine() {
  for (;;) {
    switch (Game->State) {
      case 31:
        RenderMainScreen();
        break;
      case 26:
        do {
          UpdateGame();
          RenderGame(0);
          media::Delay(DelayTime);
        } while (Game->State == 26);
        break;
      case 27:
        EditMode = 0;
        GoNextStage();
        break;
      case 28:
        GameOverPage();
        break;
      case 29:
        QuitFunc();
        // The dialog leaves a yes here in quit, and a no changes no state: without these the
        // machine would call the dialog again at once, with no frame between the calls.
        if (Game->State == 29) {
          Game->State = quit == 1 ? 30 : 31;
          quit = 0;
        }
        break;
      case 32:
        EditMode = 1;
        GameEditor();
        break;
      case 30:
        break;
      default:
        // No screen leaves another value; the title screen is the safe place to go.
        Game->State = 31;
        break;
    }
    if (Game->State == 30) return;
  }
}
