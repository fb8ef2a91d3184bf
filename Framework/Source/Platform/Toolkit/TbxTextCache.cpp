// The measurement cache.
#include "TbxTextCache.h"

#include <functional>

namespace {
// What an entry costs besides its texts: list node, index node, strings' and vector's headers.
constexpr std::size_t KEntryOverhead = 160;

std::size_t BytesOf(const TTextResult& result) {
  if (const auto* text = std::get_if<std::string>(&result)) return text->size();
  std::size_t bytes = 0;
  if (const auto* lines = std::get_if<std::vector<std::string>>(&result))
    for (const std::string& line : *lines) bytes += line.size() + sizeof(std::string);
  return bytes;
}
}  // namespace

std::size_t TTextCache::TKeyHash::operator()(const TTextKey& key) const {
  std::size_t hash = std::hash<std::string_view>()(key.Text);
  for (std::size_t part : {std::size_t(key.Face), std::size_t(key.Operation), std::size_t(unsigned(key.MaxWidth))})
    hash = hash * 1099511628211u ^ part;
  return hash;
}

TTextCache::TTextCache(std::size_t maxBytes, std::size_t maxEntries) : FMaxBytes(maxBytes), FMaxEntries(maxEntries) {}

const TTextResult* TTextCache::Find(const TTextKey& key) {
  auto it = FIndex.find(key);
  if (it == FIndex.end()) return nullptr;
  FEntries.splice(FEntries.begin(), FEntries, it->second);
  return &it->second->Result;
}

void TTextCache::Add(const TTextKey& key, TTextResult result) {
  const std::size_t bytes = KEntryOverhead + key.Text.size() + BytesOf(result);
  if (FMaxEntries == 0 || bytes > FMaxBytes / 4 || FIndex.contains(key)) return;
  while (!FEntries.empty() && (FEntries.size() >= FMaxEntries || FBytes + bytes > FMaxBytes)) EvictOldest();
  FEntries.push_front({std::string(key.Text), key, std::move(result), bytes});
  TEntry& entry = FEntries.front();
  entry.Key.Text = entry.Text;
  FIndex.emplace(entry.Key, FEntries.begin());
  FBytes += bytes;
}

void TTextCache::Clear() {
  FIndex.clear();
  FEntries.clear();
  FBytes = 0;
}

void TTextCache::EvictOldest() {
  FIndex.erase(FEntries.back().Key);
  FBytes -= FEntries.back().Bytes;
  FEntries.pop_back();
}
