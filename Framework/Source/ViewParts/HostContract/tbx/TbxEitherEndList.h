/// @file
/// An ordered list that entries leave cheaply near either end.
#pragma once
#pragma GCC visibility push(default)

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

/// A vector whose entries may leave near its front as cheaply as near its back: erasing moves the
/// shorter side of the erased entry. Owners, parents and watchers keep their lists in it, as their
/// entries leave in the order they came (a container emptied from its other end) about as often as
/// in the reverse; in a plain vector the first would move the whole list for each entry. What the
/// front has given up is reclaimed once it outgrows the entries left.
template <class T>
class TEitherEndList {
 public:
  using value_type = T;
  using iterator = T*;
  using const_iterator = const T*;

  bool empty() const { return FStart == FItems.size(); }
  std::size_t size() const { return FItems.size() - FStart; }

  iterator begin() { return FItems.data() + FStart; }
  iterator end() { return FItems.data() + FItems.size(); }
  const_iterator begin() const { return FItems.data() + FStart; }
  const_iterator end() const { return FItems.data() + FItems.size(); }
  std::reverse_iterator<iterator> rbegin() { return std::reverse_iterator<iterator>(end()); }
  std::reverse_iterator<iterator> rend() { return std::reverse_iterator<iterator>(begin()); }

  T& operator[](std::size_t index) { return FItems[FStart + index]; }
  const T& operator[](std::size_t index) const { return FItems[FStart + index]; }
  const T& at(std::size_t index) const {
    if (index >= size())
      throw std::out_of_range("list index " + std::to_string(index) + " out of range (count " + std::to_string(size()) +
                              ")");
    return FItems[FStart + index];
  }
  T& back() { return FItems.back(); }
  const T& back() const { return FItems.back(); }

  void push_back(const T& value) { FItems.push_back(value); }
  void pop_back() {
    FItems.pop_back();
    if (empty()) clear();
  }
  void clear() {
    FItems.clear();
    FStart = 0;
  }

  /// Erases the entry at position and returns the position of the one after it.
  iterator erase(const_iterator position) {
    const auto index = static_cast<std::size_t>(position - begin());
    if (index >= size() / 2) {
      FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(FStart + index));
      if (empty()) clear();
    } else {
      std::move_backward(begin(), begin() + index, begin() + index + 1);
      ++FStart;
      if (FStart > size()) Reclaim();
    }
    return begin() + index;
  }

 private:
  void Reclaim() {
    FItems.erase(FItems.begin(), FItems.begin() + static_cast<std::ptrdiff_t>(FStart));
    FStart = 0;
  }

  std::vector<T> FItems;
  std::size_t FStart = 0;  // the entries before it have left
};

#pragma GCC visibility pop
