#include "core/objects.h"

#include "media/files.h"

media::TList Games_list, ExitDoors_list, statuses_list, BackDrops_list, Weapons_list, Traps_list,
    Enemies_list, Items_list, Players_list;

std::shared_ptr<bbItems> item;
std::shared_ptr<bbEnemies> Enemy;
std::shared_ptr<bbWeapons> Weapon;
std::shared_ptr<bbTraps> Trap;
std::shared_ptr<bbstatuses> status;

namespace {

// The longest string ReadString accepts, in bytes, plus one.
constexpr int kReadStringLimit = 1048576;

// True when `other` may serve as the anchor of a move within this object's list: it is another
// object of the same list and still linked in it.
bool SameListAnchor(const TBBType& self, const std::shared_ptr<TBBType>& other) {
  if (!other || other.get() == &self || !self._list || other->_list != self._list || !other->_link)
    return false;
  return self._list->Contains(other.get());
}

// Takes `value` out of `list`: a game object through its own Remove(), anything else directly.
void RemoveValue(media::TList& list, const media::ObjectPtr& value) {
  if (auto t = std::dynamic_pointer_cast<TBBType>(value)) {
    t->Remove();
  } else if (value) {
    list.Remove(value);
  }
}

using InsertFn = media::LinkPtr (media::TList::*)(const media::ObjectPtr&, const media::LinkPtr&);

// Moves self's link directly before or after other's, as `insert` puts it; an anchor that is
// not another object of the same list leaves everything as it was.
void MoveNextTo(TBBType& self, const std::shared_ptr<TBBType>& other, InsertFn insert) {
  if (!SameListAnchor(self, other)) return;
  if (self._link) self._link->Remove();
  self._link = (self._list->*insert)(self.shared_from_this(), other->_link);
}

}  // namespace

int TBBType::Add(media::TList& list) {
  _list = &list;
  _link = list.AddLast(shared_from_this());
  return 0;
}

int TBBType::InsertBefore(const std::shared_ptr<TBBType>& other) {
  MoveNextTo(*this, other, &media::TList::InsertBeforeLink);
  return 0;
}

int TBBType::InsertAfter(const std::shared_ptr<TBBType>& other) {
  MoveNextTo(*this, other, &media::TList::InsertAfterLink);
  return 0;
}

int TBBType::Remove() {
  if (_list) _list->Remove(this);
  return 0;
}

media::ObjectPtr TBBType::NextValue() const {
  if (!_link) return nullptr;
  media::LinkPtr next = _link->NextLink();
  return next ? next->Value() : nullptr;
}

media::ObjectPtr TBBType::PrevValue() const {
  if (!_link) return nullptr;
  media::LinkPtr prev = _link->PrevLink();
  return prev ? prev->Value() : nullptr;
}

void CreateObjectLists() {
  Games_list.Clear();
  ExitDoors_list.Clear();
  statuses_list.Clear();
  BackDrops_list.Clear();
  Weapons_list.Clear();
  Traps_list.Clear();
  Enemies_list.Clear();
  Items_list.Clear();
  Players_list.Clear();
}

void ResetObjects() {
  CreateObjectLists();
  item.reset();
  Enemy.reset();
  Weapon.reset();
  Trap.reset();
  status.reset();
}

int DeleteFirst(const std::shared_ptr<TBBType>& obj) {
  if (obj && obj->_list) RemoveValue(*obj->_list, obj->_list->First());
  return 0;
}

int DeleteLast(const std::shared_ptr<TBBType>& obj) {
  if (obj && obj->_list) RemoveValue(*obj->_list, obj->_list->Last());
  return 0;
}

int DeleteEach(const std::shared_ptr<TBBType>& obj) {
  if (obj && obj->_list) obj->_list->Clear();
  return 0;
}

std::string ReadString(const media::Stream& stream) {
  if (!stream) return "";
  int n = media::ReadInt(stream);
  if (n < 1 || n >= kReadStringLimit) return "";
  return media::ReadString(stream, n);
}
