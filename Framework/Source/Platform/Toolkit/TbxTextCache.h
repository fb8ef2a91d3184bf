// The bounded cache of text measurements: least recently used entries go first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

enum class TTextOperation : std::uint8_t { Width, Wrap, EndEllipsis, PathEllipsis };

// A width, a text or lines.
using TTextResult = std::variant<int, std::string, std::vector<std::string>>;

// What a measurement is known by: the face at its size and style, the operation, its width limit
// and the text.
struct TTextKey {
  std::uint32_t Face = 0;
  TTextOperation Operation = TTextOperation::Width;
  int MaxWidth = 0;
  std::string_view Text;
  friend bool operator==(const TTextKey&, const TTextKey&) = default;
};

class TTextCache {
 public:
  TTextCache(std::size_t maxBytes, std::size_t maxEntries);
  // The result cached for key, now the most recently used; null when there is none.
  const TTextResult* Find(const TTextKey& key);
  // Keeps the result unless it would take more than a quarter of the cache.
  void Add(const TTextKey& key, TTextResult result);
  void Clear();
  std::size_t Entries() const { return FEntries.size(); }
  std::size_t Bytes() const { return FBytes; }

 private:
  struct TEntry {
    std::string Text;  // the key's text: the index's keys point into it
    TTextKey Key;
    TTextResult Result;
    std::size_t Bytes;
  };
  struct TKeyHash {
    std::size_t operator()(const TTextKey& key) const;
  };
  void EvictOldest();

  std::size_t FMaxBytes, FMaxEntries, FBytes = 0;
  std::list<TEntry> FEntries;  // the most recently used first
  std::unordered_map<TTextKey, std::list<TEntry>::iterator, TKeyHash> FIndex;
};
