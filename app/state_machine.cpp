#include "app/state_machine.h"

#include "core/codes.h"
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
      case GameState::Title:
        RenderMainScreen();
        break;
      case GameState::Play:
        do {
          UpdateGame();
          RenderGame(0);
          media::Delay(DelayTime);
        } while (Game->State == GameState::Play);
        break;
      case GameState::NextStage:
        EditMode = 0;
        GoNextStage();
        break;
      case GameState::GameOver:
        GameOverPage();
        break;
      case GameState::QuitDialog:
        QuitFunc();
        // The dialog leaves a yes here in quit, and a no changes no state: without these the
        // machine would call the dialog again at once, with no frame between the calls.
        if (Game->State == GameState::QuitDialog) {
          Game->State = quit == 1 ? GameState::Leave : GameState::Title;
          quit = 0;
        }
        break;
      case GameState::Editor:
        EditMode = 1;
        GameEditor();
        break;
      case GameState::Leave:
        break;
      default:
        // No screen leaves another value; the title screen is the safe place to go.
        Game->State = GameState::Title;
        break;
    }
    if (Game->State == GameState::Leave) return;
  }
}
