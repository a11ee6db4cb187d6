#pragma once

// Weak references to game objects, as the plugin holds them.

#include "ArkApi/TArray.h"
#include "ArkApi/WeakObjectPtr.h"

namespace host {

// A reference that answers none once its object is gone, even if the memory was reused.
template <typename T>
class WeakRef {
 public:
  WeakRef() = default;
  explicit WeakRef(T* object) : ref_(GetWeakReference(object)) {}

  T* Get() const { return ref_.Get(); }

  // Whether both lead to the same object, whether or not it is still there.
  bool SameObjectAs(const WeakRef& other) const { return ref_ == other.ref_; }

 private:
  // The game's Get is not const, though it changes nothing.
  mutable TWeakObjectPtr<T> ref_;
};

// A game array of weak references, walked as the objects they lead to (none for one gone).
template <typename T>
class WeakRefList {
 public:
  explicit WeakRefList(TArray<TWeakObjectPtr<T>>& refs) : refs_(refs) {}

  class Iterator {
   public:
    explicit Iterator(TWeakObjectPtr<T>* at) : at_(at) {}
    T* operator*() const { return at_->Get(); }
    Iterator& operator++() {
      ++at_;
      return *this;
    }
    bool operator!=(const Iterator& other) const { return at_ != other.at_; }

   private:
    TWeakObjectPtr<T>* at_;
  };

  Iterator begin() const { return Iterator(refs_.begin()); }
  Iterator end() const { return Iterator(refs_.end()); }

 private:
  TArray<TWeakObjectPtr<T>>& refs_;
};

}  // namespace host
