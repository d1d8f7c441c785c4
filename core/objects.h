// The base class of every game object and the nine game-object classes with their lists.
//
// Every object lives in its class's list from the moment it is made (New<T>() appends it) until
// it is removed. Objects are held by std::shared_ptr: a list holds its objects, and a walk, a
// cursor or any other holder keeps a removed object alive for as long as it refers to it.
// Walk a class list with `for (auto e : Enemies_list.Each<bbEnemies>())`; the body may remove
// the object it works on, or any other, without breaking the walk.
#pragma once

#include <memory>
#include <string>

#include "media/files.h"
#include "media/list.h"

struct TBBType : media::Object {
  media::TList* _list = nullptr;  // the list the object belongs to; none until Add runs
  media::LinkPtr _link;           // the object's own link in that list; none until Add runs

  // Appends the object to the end of `list`; always 0.
  virtual int Add(media::TList& list);
  // Moves the object directly before or after `other`, an object of the same list; always 0.
  // An object of another list, the object itself, or an object no longer in its list leaves
  // everything as it was.
  virtual int InsertBefore(const std::shared_ptr<TBBType>& other);
  virtual int InsertAfter(const std::shared_ptr<TBBType>& other);
  // Takes the object out of its list; `_list` and `_link` keep their values. Always 0.
  virtual int Remove();

  std::string ToString() const override { return "TBBType"; }

 protected:
  // The neighbouring object of this object's link, or none.
  media::ObjectPtr NextValue() const;
  media::ObjectPtr PrevValue() const;
};

// The lists, one per class, in the order start-up makes them.
extern media::TList Games_list, ExitDoors_list, statuses_list, BackDrops_list, Weapons_list,
    Traps_list, Enemies_list, Items_list, Players_list;

// Declares the class's list accessor and its After()/Before().
#define QUILL_OBJECT_CLASS(Class, List)                   \
  static media::TList& ClassList() {                      \
    return List;                                          \
  }                                                       \
  virtual std::shared_ptr<Class> After() const {          \
    return std::dynamic_pointer_cast<Class>(NextValue()); \
  }                                                       \
  virtual std::shared_ptr<Class> Before() const {         \
    return std::dynamic_pointer_cast<Class>(PrevValue()); \
  }                                                       \
  std::string ToString() const override {                 \
    return #Class;                                        \
  }

struct bbPlayers : TBBType {
  int X = 0, Y = 0;
  int XS = 0, YS = 0;
  int Frame = 0;
  int FrameCounter = 0;
  int Exist = 0;
  int JumpFrame = 0;
  int FallCounter = 0;
  int Score = 0;
  int Lives = 0;
  int ExtraLife = 0;
  int Gravity = 0;
  int LastDirection = 0;
  int Direction = 0;
  int State = 0;
  int FrameRate = 0;
  int Action = 0;
  int RoomX = 0, RoomY = 0;
  int LastAction = 0;
  int DyingCounter = 0;
  QUILL_OBJECT_CLASS(bbPlayers, Players_list)
};

struct bbItems : TBBType {
  int X = 0, Y = 0;
  int frame = 0;
  int framecounter = 0, FrameRate = 0;
  int kind = 0;
  int RoomX = 0, RoomY = 0;
  QUILL_OBJECT_CLASS(bbItems, Items_list)
};

struct bbEnemies : TBBType {
  int x = 0, y = 0;
  int xs = 0, ys = 0;
  int frame = 0;
  int framecounter = 0;
  int Kind = 0;
  int CoffineX = 0, CoffineY = 0;
  int CoffineCounter = 0, HaltingCounter = 0, Fallcounter = 0;
  int ID = 0;
  int JumpCounter = 0;
  int MovingCounter = 0;
  int State = 0;
  int FrameRate = 0;
  int OriginRoomX = 0, OriginRoomY = 0;
  int RoomX = 0, RoomY = 0;
  int Direction = 0;
  int LifeSpan = 0;
  int TempX = 0, CanClimb = 0;
  int Block1 = 0, Block2 = 0, Block3 = 0, Block4 = 0;
  int Visible = 0;
  QUILL_OBJECT_CLASS(bbEnemies, Enemies_list)
};

struct bbWeapons : TBBType {
  int x = 0, y = 0;
  int xs = 0, ys = 0;
  int kind = 0;
  int Frame = 0;
  int FrameRate = 0, framecounter = 0;
  int MapX = 0, MapY = 0, Timer = 0;
  int roomx = 0, roomy = 0;
  int State = 0;
  int Direction = 0;
  int SpiningCounter = 0, BoomCounter = 0, CollideCounter = 0;
  QUILL_OBJECT_CLASS(bbWeapons, Weapons_list)
};

struct bbGames : TBBType {
  int State = 0;
  int Stage = 0;
  QUILL_OBJECT_CLASS(bbGames, Games_list)
};

struct bbTraps : TBBType {
  int X = 0, Y = 0;
  int Kind = 0;
  int Frame = 0;
  int FrameRate = 0, Framecounter = 0;
  int timer = 0;
  int Passing = 0, NumOfPass = 0;
  int Height = 0;
  int Roomx = 0, Roomy = 0;
  int ID = 0;
  int State = 0;
  int Block1 = 0, Block2 = 0, Block3 = 0, Block4 = 0;
  int MapX = 0, MapY = 0;
  QUILL_OBJECT_CLASS(bbTraps, Traps_list)
};

struct bbBackDrops : TBBType {
  int X = 0, Y = 0;
  int Frame = 0;
  int FrameCounter = 0;
  int FrameRate = 0;
  int RoomX = 0, RoomY = 0;
  QUILL_OBJECT_CLASS(bbBackDrops, BackDrops_list)
};

struct bbExitDoors : TBBType {
  int x = 0, y = 0;
  int Frame = 0;
  int State = 0;
  int roomx = 0, roomy = 0;
  int FrameRate = 0, FrameCounter = 0;
  QUILL_OBJECT_CLASS(bbExitDoors, ExitDoors_list)
};

struct bbstatuses : TBBType {
  int x = 0, y = 0;
  int frame = 0;
  int roomx = 0, roomy = 0;
  QUILL_OBJECT_CLASS(bbstatuses, statuses_list)
};

#undef QUILL_OBJECT_CLASS

// Makes an object of class T with every field 0 and appends it to the end of T's list.
template <class T>
std::shared_ptr<T> New() {
  auto obj = std::make_shared<T>();
  obj->Add(T::ClassList());
  return obj;
}

// The loop cursors: the object a walk over the class's list is working on.
extern std::shared_ptr<bbItems> item;
extern std::shared_ptr<bbEnemies> Enemy;
extern std::shared_ptr<bbWeapons> Weapon;
extern std::shared_ptr<bbTraps> Trap;
extern std::shared_ptr<bbstatuses> status;

// Empties the nine lists, in start-up's order. Start-up calls it before making any object.
void CreateObjectLists();
// Empties the lists and clears the cursors (the single objects are globals.h's). For tests.
void ResetObjects();

// Removes the first (last) object of obj's list; none, or an empty list, changes nothing.
int DeleteFirst(const std::shared_ptr<TBBType>& obj);
int DeleteLast(const std::shared_ptr<TBBType>& obj);
// Empties obj's list; none changes nothing.
int DeleteEach(const std::shared_ptr<TBBType>& obj);
// A 32-bit little-endian length n, then n bytes as a string when n is 1 to 1,048,575; any
// other length gives the empty string and reads nothing more.
std::string ReadString(const media::Stream& stream);
// Returns the object it is given.
template <class T>
std::shared_ptr<T> HandleToObject(const std::shared_ptr<T>& obj) {
  return obj;
}
