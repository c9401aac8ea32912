// The element and scheme contract. An element is a plain object whose
// properties are public fields written by the scheme right after creation;
// a scheme owns every element it creates and destroys them in creation
// order when it is destroyed.
#pragma once

#include <memory>
#include <utility>
#include <vector>

// Root of every element; only the destructor is virtual.
class TElement {
 public:
  TElement() = default;
  TElement(const TElement&) = delete;
  TElement& operator=(const TElement&) = delete;
  virtual ~TElement() = default;
};

// Platform control reference (defined by the window layer); containers
// only pass it through to the schemes they build.
class TControl;

class TScheme {
 public:
  TScheme() = default;
  TScheme(const TScheme&) = delete;
  TScheme& operator=(const TScheme&) = delete;
  virtual ~TScheme() { DestroyElements(); }

 protected:
  // Creates an element owned by this scheme.
  template <typename T, typename... Args>
  T* Create(Args&&... args) {
    auto owned = std::make_unique<T>(std::forward<Args>(args)...);
    T* raw = owned.get();
    elements_.push_back(std::move(owned));
    return raw;
  }

  // Takes ownership of an element made elsewhere (containers made by their
  // own creation routine).
  template <typename T>
  T* Adopt(std::unique_ptr<T> owned) {
    T* raw = owned.get();
    elements_.push_back(std::move(owned));
    return raw;
  }

  // Destroys the elements in creation order; safe to call twice.
  void DestroyElements() {
    for (auto& e : elements_) e.reset();
    elements_.clear();
  }

 private:
  std::vector<std::unique_ptr<TElement>> elements_;
};
