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

}  // namespace

int TBBType::Add(media::TList& list) {
  _list = &list;
  _link = list.AddLast(shared_from_this());
  return 0;
}

int TBBType::InsertBefore(const std::shared_ptr<TBBType>& other) {
  if (!SameListAnchor(*this, other)) return 0;
  if (_link) _link->Remove();
  _link = _list->InsertBeforeLink(shared_from_this(), other->_link);
  return 0;
}

int TBBType::InsertAfter(const std::shared_ptr<TBBType>& other) {
  if (!SameListAnchor(*this, other)) return 0;
  if (_link) _link->Remove();
  _link = _list->InsertAfterLink(shared_from_this(), other->_link);
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
  if (!obj || !obj->_list) return 0;
  media::ObjectPtr first = obj->_list->First();
  if (auto t = std::dynamic_pointer_cast<TBBType>(first)) {
    t->Remove();
  } else if (first) {
    obj->_list->Remove(first);
  }
  return 0;
}

int DeleteLast(const std::shared_ptr<TBBType>& obj) {
  if (!obj || !obj->_list) return 0;
  media::ObjectPtr last = obj->_list->Last();
  if (auto t = std::dynamic_pointer_cast<TBBType>(last)) {
    t->Remove();
  } else if (last) {
    obj->_list->Remove(last);
  }
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
