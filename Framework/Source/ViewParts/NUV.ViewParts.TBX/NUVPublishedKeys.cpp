#include "NUVPublishedKeys.h"

#include <algorithm>
#include <utility>

#include "NUVStrings.h"

bool TNUVPublishedKeys::IsOwn(const INUVDataContext* context, const std::string& key,
                              const INUVDataDelegate* delegate) const {
  return std::any_of(FKeys.begin(), FKeys.end(), [&](const TPublishedKey& entry) {
    return entry.Context.get() == context && entry.Key == key && entry.Delegate.get() == delegate;
  });
}

void TNUVPublishedKeys::Publish(const std::string& key, TIntfPtr<INUVDataDelegate> delegate) {
  auto context = FViewPart.GetDataContext();
  if (!context) return;
  auto registered = context->FindDelegate(key);
  if (registered && !IsOwn(context.get(), key, registered.get()))
    NUVViewPartErrorFmt(&FViewPart, LoadLibStr(SDataKeyTaken), FViewPart.GetName(), key);
  context->RegisterDelegate(key, delegate);
  std::erase_if(FKeys, [&](const TPublishedKey& entry) { return entry.Context == context && entry.Key == key; });
  FKeys.push_back({std::move(context), key, std::move(delegate)});
}

void TNUVPublishedKeys::Withdraw(std::string_view prefix, std::span<const std::string_view> suffixes) {
  if (auto context = FViewPart.GetDataContext()) {
    std::string key;  // one buffer for every key
    for (std::string_view suffix : suffixes) {
      key.assign(prefix).append(suffix);
      auto registered = context->FindDelegate(key);
      if (!registered || IsOwn(context.get(), key, registered.get())) context->UnregisterDelegate(key);
    }
  }
  WithdrawPublished();
}

void TNUVPublishedKeys::WithdrawPublished() {
  for (auto& entry : std::exchange(FKeys, {}))
    if (entry.Context->FindDelegate(entry.Key) == entry.Delegate) entry.Context->UnregisterDelegate(entry.Key);
}
