// A search for the lists that entries leave mostly from one end or the other.
#pragma once

#include <iterator>

// The first element found that matches, looking from both ends at once, the last element first;
// end when none matches. Children, components and watches mostly leave in the reverse of the order
// they came, but a container emptied from its other end (a toolbar's items, held in the reverse
// of their coming) lets them go in the order they came: each is found at once either way, where a
// search from one end walks the whole list for every entry.
template <class It, class Pred>
It FindFromEitherEnd(It begin, It end, Pred matches) {
  for (It front = begin, back = end; front != back;) {
    if (matches(*--back)) return back;
    if (front == back) break;
    if (matches(*front)) return front;
    ++front;
  }
  return end;
}
