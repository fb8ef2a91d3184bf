#include <fmt/format.h>

#include "NUVConfig.h"

namespace {

template <class T>
constexpr TNUVDataType DataTypeOf() {
  if constexpr (std::is_same_v<T, std::string>)
    return dtString;
  else if constexpr (std::is_same_v<T, int>)
    return dtInteger;
  else
    return dtBoolean;
}

// A delegate over a getter and setter; a written value must be of the delegate's type.
template <class T>
class TNUVDelegate : public TImplements<TTolvaRefCntIntfObject, INUVDataDelegate> {
 public:
  using TParam = std::conditional_t<std::is_same_v<T, std::string>, const std::string&, T>;
  TNUVDelegate(std::function<T()> getter, std::function<void(TParam)> setter)
      : FGetter(std::move(getter)), FSetter(std::move(setter)) {}

  TNUVDataType GetDataType() const override { return DataTypeOf<T>(); }
  TNUVValue GetValue() const override { return FGetter(); }
  void SetValue(const TNUVValue& value) override {
    const T* typed = std::get_if<T>(&value);
    if (!typed)
      throw EConvertError(fmt::format("a {} value cannot be written to a {} key",
                                      EnumIdentifier(static_cast<TNUVDataType>(value.index())),
                                      EnumIdentifier(DataTypeOf<T>())));
    FSetter(*typed);
  }

 protected:
  ~TNUVDelegate() override = default;

 private:
  std::function<T()> FGetter;
  std::function<void(TParam)> FSetter;
};

template <class T, class G, class S>
TIntfPtr<INUVDataDelegate> MakeDelegate(G&& getter, S&& setter) {
  return MakeCounted<TNUVDelegate<T>>(std::forward<G>(getter), std::forward<S>(setter));
}

}  // namespace

TIntfPtr<INUVDataDelegate> TNUVDataFactory::NewStringDelegate(std::function<std::string()> getter,
                                                              std::function<void(const std::string&)> setter) {
  return MakeDelegate<std::string>(std::move(getter), std::move(setter));
}

TIntfPtr<INUVDataDelegate> TNUVDataFactory::NewIntegerDelegate(std::function<int()> getter,
                                                               std::function<void(int)> setter) {
  return MakeDelegate<int>(std::move(getter), std::move(setter));
}

TIntfPtr<INUVDataDelegate> TNUVDataFactory::NewBooleanDelegate(std::function<bool()> getter,
                                                               std::function<void(bool)> setter) {
  return MakeDelegate<bool>(std::move(getter), std::move(setter));
}
