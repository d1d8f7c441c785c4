// Doubly linked lists of objects. A walk hands out the value of the current link and steps to
// the next link before the walker's body runs, so the body may remove the object it works on,
// or any other, without breaking the walk; an object removed before the walk reaches it is not
// visited. A removed link keeps its pointers to its former neighbours, which stay alive while
// it does, so a walk that stands on a removed link goes on from there.
#pragma once

#include <memory>
#include <string>

namespace media {

class Object : public std::enable_shared_from_this<Object> {
 public:
  virtual ~Object() = default;
  virtual std::string ToString() const { return "Object"; }
  virtual int Compare(const Object* other) const {
    return this == other ? 0 : (this < other ? -1 : 1);
  }
  virtual std::shared_ptr<Object> SendMessage(const std::shared_ptr<Object>& message,
                                              const std::shared_ptr<Object>& /*context*/) {
    return message;
  }
};
using ObjectPtr = std::shared_ptr<Object>;

class TList;
class TLink;
using LinkPtr = std::shared_ptr<TLink>;

class TLink {
 public:
  ObjectPtr Value() const { return value_; }
  LinkPtr NextLink() const;  // none at the end of the list
  LinkPtr PrevLink() const;  // none at the start of the list
  // Unlinks this link and sets its value to none; its own neighbour pointers stay as they were.
  void Remove();

 private:
  friend class TList;
  ObjectPtr value_;
  LinkPtr next_;               // the sentinel's next is the first link
  std::weak_ptr<TLink> prev_;  // weak: the forward chain owns the links
  std::weak_ptr<TLink> head_;  // the list's sentinel
  bool sentinel_ = false;
  bool linked_ = false;
};

class TList {
 public:
  TList();
  ~TList();
  TList(const TList&) = delete;
  TList& operator=(const TList&) = delete;

  LinkPtr AddFirst(const ObjectPtr& value);
  LinkPtr AddLast(const ObjectPtr& value);
  LinkPtr InsertBeforeLink(const ObjectPtr& value, const LinkPtr& link);
  LinkPtr InsertAfterLink(const ObjectPtr& value, const LinkPtr& link);
  // Unlinks the first link holding this very object; a value not in the list changes nothing.
  void Remove(const ObjectPtr& value);
  void Remove(const Object* value);
  ObjectPtr First() const;
  ObjectPtr Last() const;
  LinkPtr FirstLink() const;
  LinkPtr LastLink() const;
  void Clear();
  int Count() const;
  bool IsEmpty() const { return Count() == 0; }
  bool Contains(const Object* value) const;

  // A walk over the list's values (see the top of this file).
  class Iterator {
   public:
    Iterator() = default;
    explicit Iterator(LinkPtr next) { Step(std::move(next)); }
    const ObjectPtr& operator*() const { return current_; }
    Iterator& operator++() {
      Step(next_);
      return *this;
    }
    bool operator==(const Iterator& o) const { return done_ == o.done_; }

   private:
    void Step(LinkPtr link);
    ObjectPtr current_;
    LinkPtr next_;
    bool done_ = true;
  };
  Iterator begin() const { return Iterator(FirstLink()); }
  Iterator end() const { return Iterator(); }

  // A walk that hands out only the values of class T, skipping none and other classes.
  template <class T>
  class Typed {
   public:
    explicit Typed(const TList& list) : list_(list) {}
    class It {
     public:
      It() = default;
      explicit It(Iterator it) : it_(it) { Skip(); }
      std::shared_ptr<T> operator*() const { return current_; }
      It& operator++() {
        ++it_;
        Skip();
        return *this;
      }
      bool operator==(const It& o) const { return it_ == o.it_; }

     private:
      void Skip() {
        for (; !(it_ == Iterator()); ++it_) {
          current_ = std::dynamic_pointer_cast<T>(*it_);
          if (current_) return;
        }
        current_.reset();
      }
      Iterator it_;
      std::shared_ptr<T> current_;
    };
    It begin() const { return It(list_.begin()); }
    It end() const { return It(); }

   private:
    const TList& list_;
  };
  template <class T>
  Typed<T> Each() const {
    return Typed<T>(*this);
  }

 private:
  LinkPtr head_;  // the sentinel
};

}  // namespace media
