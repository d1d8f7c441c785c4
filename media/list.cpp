#include "media/list.h"

namespace media {

LinkPtr TLink::NextLink() const {
  if (!next_ || next_->sentinel_) return nullptr;
  return next_;
}

LinkPtr TLink::PrevLink() const {
  LinkPtr p = prev_.lock();
  if (!p || p->sentinel_) return nullptr;
  return p;
}

void TLink::Remove() {
  if (!linked_) {
    value_.reset();
    return;
  }
  LinkPtr prev = prev_.lock();
  LinkPtr next = next_;
  LinkPtr head = head_.lock();
  if (prev) prev->next_ = next;
  if (next) {
    next->prev_ = prev;
  } else if (head) {
    head->prev_ = (prev && !prev->sentinel_) ? prev : LinkPtr();  // the new last link
  }
  linked_ = false;
  value_.reset();
}

TList::TList() : head_(std::make_shared<TLink>()) {
  head_->sentinel_ = true;
  head_->linked_ = true;
  head_->next_ = nullptr;  // empty: no links; the sentinel is reached through prev_ only
}

TList::~TList() {
  Clear();
}

LinkPtr TList::FirstLink() const {
  return head_->next_;
}

LinkPtr TList::LastLink() const {
  LinkPtr last = head_->prev_.lock();
  return last;
}

LinkPtr TList::InsertAfterLink(const ObjectPtr& value, const LinkPtr& link) {
  // `link` null: insert at the front. A link that is not in this list (removed, or another
  // list's) has no place here: the value goes to the end rather than corrupting either list.
  auto inList = [this](const TLink& k) {
    return k.linked_ && !k.sentinel_ && k.head_.lock() == head_;
  };
  if (link && !inList(*link)) return AddLast(value);
  auto l = std::make_shared<TLink>();
  l->value_ = value;
  l->linked_ = true;
  l->head_ = head_;
  TLink* after = link ? link.get() : head_.get();
  LinkPtr next = after->next_;
  l->next_ = next;
  l->prev_ = after->sentinel_ ? std::weak_ptr<TLink>(head_) : std::weak_ptr<TLink>(link);
  after->next_ = l;
  if (next)
    next->prev_ = l;
  else
    head_->prev_ = l;  // the new last link
  return l;
}

LinkPtr TList::InsertBeforeLink(const ObjectPtr& value, const LinkPtr& link) {
  if (!link || !link->linked_ || link->sentinel_ || link->head_.lock() != head_)
    return AddLast(value);
  LinkPtr prev = link->prev_.lock();
  return InsertAfterLink(value, prev && !prev->sentinel_ ? prev : nullptr);
}

LinkPtr TList::AddFirst(const ObjectPtr& value) {
  return InsertAfterLink(value, nullptr);
}

LinkPtr TList::AddLast(const ObjectPtr& value) {
  return InsertAfterLink(value, LastLink());
}

void TList::Remove(const Object* value) {
  for (LinkPtr l = head_->next_; l; l = l->next_) {
    if (l->value_.get() == value) {
      l->Remove();
      return;
    }
  }
}

void TList::Remove(const ObjectPtr& value) {
  Remove(value.get());
}

ObjectPtr TList::First() const {
  LinkPtr l = FirstLink();
  return l ? l->value_ : nullptr;
}

ObjectPtr TList::Last() const {
  LinkPtr l = LastLink();
  return l ? l->value_ : nullptr;
}

void TList::Clear() {
  // Unlink every link, keeping each removed link's forward pointer so that a walk standing on
  // one still ends; values are released.
  LinkPtr l = head_->next_;
  while (l) {
    l->linked_ = false;
    l->value_.reset();
    l = l->next_;
  }
  // Break the forward chain iteratively so that a long list is not destroyed by recursion.
  LinkPtr chain = std::move(head_->next_);
  head_->next_ = nullptr;
  head_->prev_.reset();
  while (chain && chain.use_count() == 1) {
    LinkPtr next = std::move(chain->next_);
    chain = std::move(next);
  }
}

int TList::Count() const {
  int n = 0;
  for (LinkPtr l = head_->next_; l; l = l->next_) ++n;
  return n;
}

bool TList::Contains(const Object* value) const {
  for (LinkPtr l = head_->next_; l; l = l->next_)
    if (l->value_.get() == value) return true;
  return false;
}

void TList::Iterator::Step(LinkPtr link) {
  // Hand out the value of `link` and remember its successor before the body runs.
  while (link && !link->sentinel_) {
    if (link->value_) {
      current_ = link->value_;
      next_ = link->next_;
      done_ = false;
      return;
    }
    link = link->next_;  // a removed link: go on past it
  }
  current_.reset();
  next_.reset();
  done_ = true;
}

}  // namespace media
