#include "play/tick.h"

#include "core/codes.h"
#include "core/draw.h"
#include "core/objects.h"
#include "core/sound.h"
#include "play/enemies.h"
#include "play/player.h"
#include "play/traps.h"
#include "play/weapons.h"
#include "stages/replay.h"

void KeepMusicGoing() {
  if (Player->Action == Act::Exiting || Player->Action == Act::Dying || DoorOpened == 1) return;
  song = PlayMusic("Music/" + Sng);
  if (song) SetChannelVolume(song, MusicVol);
}

namespace {

void TakeGold(const std::shared_ptr<bbItems>& it) {
  Player->Score += 500;
  Player->ExtraLife += 500;
  Exitdoor->Frame -= 1;
  if (Exitdoor->Frame > 0) {
    PlaySfx(sndGold);
  } else if (Exitdoor->Frame == 0) {
    Exitdoor->State = DoorState::Open;
    DoorOpened = 1;
    PauseChannel(song);
    PlaySfx(sndAllGold);
  }
  it->Remove();
}

void TakeItem(const std::shared_ptr<bbItems>& it) {
  if (Player->State == Tool::None) {
    if (it->kind >= ItemKind::SideTwo) {
      Player->Score += 100;
      Player->ExtraLife += 100;
    }
    Player->State = it->frame / 8 + Tool::Weapon0;
    Player->Frame = (Player->State * 3 + Player->Direction) * 4;
    PlaySfx(sndItem);
    it->Remove();
  }
  if (Player->ExtraLife > 4999) {
    Player->Lives += 1;
    Player->ExtraLife = 0;
  }
}

}  // namespace

void PickUpItems() {
  for (auto it : Items_list.Each<bbItems>()) {
    item = it;
    if (!media::ImagesCollide(PlayerSprite, static_cast<float>(Player->X),
                              static_cast<float>(Player->Y), Player->Frame, ItemSprite,
                              static_cast<float>(it->X * 24), static_cast<float>(it->Y * 24), 0))
      continue;
    if (it->RoomX != RoomX || it->RoomY != RoomY) continue;
    if (it->kind == ItemKind::Gold)
      TakeGold(it);
    else
      TakeItem(it);
  }
}

void TestExitDoor() {
  if (!Exitdoor) return;
  if (Player->Action == Act::Exiting || Exitdoor->State != DoorState::Open) return;
  if (Exitdoor->roomx != RoomX || Exitdoor->roomy != RoomY) return;
  const int across = Player->X - Exitdoor->x * 24, down = Player->Y - Exitdoor->y * 24;
  if (across < 22 || across > 26 || down <= 44) return;
  if (!media::ImagesCollide(PlayerSprite, static_cast<float>(Player->X),
                            static_cast<float>(Player->Y), Player->Frame, XDoor,
                            static_cast<float>(Exitdoor->x * 24),
                            static_cast<float>(Exitdoor->y * 24), Exitdoor->Frame))
    return;
  Exitdoor->State = DoorState::Shut;
  Exitdoor->FrameRate = 29;
  // An exit cut short (the give-up key during it) leaves the door's step count behind.
  Exitdoor->FrameCounter = 0;
  Player->Action = Act::Exiting;
  StopChannel(Sfx);
  StopChannel(song);
  if (DemoMode == 0) {
    ActionType = Rec::End;
    RecordAction();
  }
}

int UpdateGame() {
  if (!Player || !Exitdoor || !Game) return 0;
  KeepMusicGoing();
  UpdateTraps();
  PickUpItems();
  TestExitDoor();
  UpdateWeapons();
  UpdateEnemies();
  UpdatePlayer();
  return 0;
}
