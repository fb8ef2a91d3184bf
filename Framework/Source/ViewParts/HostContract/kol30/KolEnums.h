/// @file
/// KOL30 enumeration type information: the identifiers of an enumeration in ordinal order, so that
/// configuration can name values without their prefix and dumps can print them; the matching of
/// names against it; and sets of such enumerations.
#pragma once
#pragma GCC visibility push(default)

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

class TEnumTypeInfo {
 public:
  /// identifierList is the enumerator list as written in the source: "taLeftJustify, taCenter".
  TEnumTypeInfo(std::string_view typeName, std::string_view identifierList);
  const std::string& Name() const { return FName; }
  int Count() const { return static_cast<int>(FIdentifiers.size()); }
  const std::string& Identifier(int ordinal) const;  ///< "" when out of range
  const std::vector<std::string>& Identifiers() const { return FIdentifiers; }

 private:
  std::string FName;
  std::vector<std::string> FIdentifiers;
};

// Declares an unscoped enumeration with sequential values and its type information record,
// found through TypeInfo<E>().
#define KOL_ENUM(Name, ...)                               \
  enum Name : int { __VA_ARGS__ };                        \
  inline const TEnumTypeInfo& TypeInfoOf(Name) {          \
    static const TEnumTypeInfo info(#Name, #__VA_ARGS__); \
    return info;                                          \
  }

template <class E>
const TEnumTypeInfo& TypeInfo() {
  return TypeInfoOf(E{});
}
template <class E>
const std::string& EnumIdentifier(E value) {
  return TypeInfo<E>().Identifier(static_cast<int>(value));
}

/// The ordinal of an enumeration name: the identifier with or without its prefix, in any letter
/// case, blanks around it ignored. Raises EConfigurationError (without a place) when unknown.
int GetEnumValue(std::string_view name, const TEnumTypeInfo& typeInfo, std::string_view prefix);
/// The same without raising: false when the name is not a value of the type.
bool TryGetEnumValue(std::string_view name, const TEnumTypeInfo& typeInfo, std::string_view prefix, int& ordinal);
/// "LeftJustify, RightJustify, Center": the accepted names of a type, for messages.
std::string EnumNamesText(const TEnumTypeInfo& typeInfo, std::string_view prefix);

/// A set of an enumeration declared with KOL_ENUM (at most 32 values).
template <class E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> values) {
    for (E v : values) Include(v);
  }
  constexpr void Include(E v) { FBits |= Bit(v); }
  constexpr void Exclude(E v) { FBits &= ~Bit(v); }
  constexpr bool Contains(E v) const { return (FBits & Bit(v)) != 0; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr std::uint32_t Bits() const { return FBits; }
  constexpr TSet operator+(TSet other) const { return FromBits(FBits | other.FBits); }
  constexpr TSet operator-(TSet other) const { return FromBits(FBits & ~other.FBits); }
  constexpr TSet operator*(TSet other) const { return FromBits(FBits & other.FBits); }
  friend constexpr bool operator==(TSet, TSet) = default;
  static constexpr TSet FromBits(std::uint32_t bits) {
    TSet s;
    s.FBits = bits;
    return s;
  }
  /// The identifiers of the members, in ordinal order.
  std::vector<std::string> Identifiers() const {
    std::vector<std::string> r;
    const auto& info = TypeInfo<E>();
    for (int i = 0; i < info.Count(); ++i)
      if (FBits & (1u << i)) r.push_back(info.Identifier(i));
    return r;
  }

 private:
  static constexpr std::uint32_t Bit(E v) { return 1u << static_cast<int>(v); }
  std::uint32_t FBits = 0;
};

#pragma GCC visibility pop
