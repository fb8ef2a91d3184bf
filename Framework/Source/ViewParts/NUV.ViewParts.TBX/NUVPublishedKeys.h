// The data keys of one owner (a view part or a status panel). A key that another owner publishes
// is refused with a clear error instead of being taken over, and withdrawing never removes a
// delegate that is not this owner's.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "NUVViewPart.h"

class TNUVPublishedKeys {
 public:
  // viewPart names the owner in errors and gives the data context.
  explicit TNUVPublishedKeys(TNUVCustomViewPart& viewPart) : FViewPart(viewPart) {}
  TNUVPublishedKeys(const TNUVPublishedKeys&) = delete;
  TNUVPublishedKeys& operator=(const TNUVPublishedKeys&) = delete;
  // An owner that goes without withdrawing its keys leaves no delegate behind that would call
  // into it.
  ~TNUVPublishedKeys() { WithdrawPublished(); }

  // Registers the delegate under key. A key that this owner published already is replaced (a
  // second run); one that another owner publishes raises SDataKeyTaken and changes nothing.
  void Publish(const std::string& key, TIntfPtr<INUVDataDelegate> delegate);
  // Room for count keys, for an owner that publishes several at once.
  void Reserve(std::size_t count) { FKeys.reserve(count); }
  // Withdraws the keys prefix + suffix, in the order of the suffixes, whether this owner got to
  // publish them or not, except one that another owner publishes now; then whatever else this
  // owner published.
  void Withdraw(std::string_view prefix, std::span<const std::string_view> suffixes);
  // Withdraws, in the order they were published, the keys whose delegate is still this owner's.
  void WithdrawPublished();

 private:
  struct TPublishedKey {
    TIntfPtr<INUVDataContext> Context;
    std::string Key;
    TIntfPtr<INUVDataDelegate> Delegate;
  };
  bool IsOwn(const INUVDataContext* context, const std::string& key, const INUVDataDelegate* delegate) const;

  TNUVCustomViewPart& FViewPart;
  std::vector<TPublishedKey> FKeys;
};
