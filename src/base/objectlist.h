// TObjectList: the ordered, owning list that holds every play-field object.
//
// Objects often remove themselves from their own list while that list is
// being walked (a lost ball, a caught capsule, an expired spark). To make that
// safe by construction, a removal detaches the object from the list at once
// but defers its destruction until no walk of the list is running, so the
// object's own code may still return normally. The walkers visit the entries
// present when they start and skip any removed meanwhile, so removals of any
// entries during a visit are harmless.
#pragma once
#include <algorithm>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

template <class T>
class TObjectList {
public:
  TObjectList() = default;
  TObjectList(const TObjectList&) = delete;
  TObjectList& operator=(const TObjectList&) = delete;
  ~TObjectList() { Clear(); }

  int Count() const { return static_cast<int>(items.size()); }
  bool Empty() const { return items.empty(); }
  T* operator[](int index) const { return items[static_cast<size_t>(index)].get(); }
  T* First() const { return items.empty() ? nullptr : items.front().get(); }

  T* Add(T* object) {
    items.emplace_back(object);
    return object;
  }
  T* Insert(int index, T* object) {
    items.emplace(items.begin() + index, object);
    return object;
  }
  // Detaches the object and destroys it, or, while a walk is running,
  // destroys it as soon as the outermost walk has finished.
  void Remove(T* object) {
    auto it = std::find_if(items.begin(), items.end(),
                           [object](const std::unique_ptr<T>& p) { return p.get() == object; });
    if (it == items.end()) return;
    std::unique_ptr<T> owned = std::move(*it);
    items.erase(it);
    if (walking > 0) graveyard.push_back(std::move(owned));
  }
  void RemoveAt(int index) { Remove((*this)[index]); }
  void Clear() {
    std::vector<std::unique_ptr<T>> old;
    old.swap(items);
    if (walking > 0)
      for (auto& p : old) graveyard.push_back(std::move(p));
    old.clear();
  }
  // Trades contents with another list; neither may be walked meanwhile.
  void Swap(TObjectList& other) { items.swap(other.items); }
  bool Contains(const T* object) const {
    for (auto& p : items)
      if (p.get() == object) return true;
    return false;
  }

  // Last entry to first over the entries present when the walk starts; a
  // visit may remove any entries, which are then skipped.
  template <class F>
  void WalkBackward(F&& visit) {
    Walk(std::forward<F>(visit), true);
  }
  // First entry to last, with the same guarantees.
  template <class F>
  void WalkForward(F&& visit) {
    Walk(std::forward<F>(visit), false);
  }

private:
  template <class F>
  void Walk(F&& visit, bool backward) {
    std::vector<T*> snapshot;
    snapshot.reserve(items.size());
    for (auto& p : items) snapshot.push_back(p.get());
    if (backward) std::reverse(snapshot.begin(), snapshot.end());
    ++walking;
    for (T* object : snapshot)
      if (!Removed(object)) visit(object);
    if (--walking == 0) graveyard.clear();
  }
  bool Removed(const T* object) const {
    for (auto& p : graveyard)
      if (p.get() == object) return true;
    return false;
  }

  std::vector<std::unique_ptr<T>> items;
  std::vector<std::unique_ptr<T>> graveyard;
  int walking = 0;
};
