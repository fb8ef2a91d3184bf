/// @file
/// KOL30 system layer: GUIDs, interfaces, reference counting, exceptions, enumeration type information.
#pragma once
#pragma GCC visibility push(default)

#include <array>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

// ---------------------------------------------------------------------------------------------
// GUIDs

struct TGUID {
  std::uint32_t D1 = 0;
  std::uint16_t D2 = 0;
  std::uint16_t D3 = 0;
  std::array<std::uint8_t, 8> D4{};
  friend constexpr bool operator==(const TGUID&, const TGUID&) = default;
};

namespace KolDetail {
consteval std::uint32_t HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<std::uint32_t>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<std::uint32_t>(c - 'a' + 10);
  throw "invalid hex digit in GUID";
}
consteval std::uint32_t HexRun(const char* s, int from, int count) {
  std::uint32_t v = 0;
  for (int i = 0; i < count; ++i) v = (v << 4) | HexDigit(s[from + i]);
  return v;
}
}  // namespace KolDetail

/// Parses "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" at compile time.
consteval TGUID StringToGUID(const char (&s)[39]) {
  if (s[0] != '{' || s[9] != '-' || s[14] != '-' || s[19] != '-' || s[24] != '-' || s[37] != '}')
    throw "malformed GUID";
  TGUID g;
  g.D1 = KolDetail::HexRun(s, 1, 8);
  g.D2 = static_cast<std::uint16_t>(KolDetail::HexRun(s, 10, 4));
  g.D3 = static_cast<std::uint16_t>(KolDetail::HexRun(s, 15, 4));
  g.D4[0] = static_cast<std::uint8_t>(KolDetail::HexRun(s, 20, 2));
  g.D4[1] = static_cast<std::uint8_t>(KolDetail::HexRun(s, 22, 2));
  for (int i = 0; i < 6; ++i) g.D4[2 + i] = static_cast<std::uint8_t>(KolDetail::HexRun(s, 25 + 2 * i, 2));
  return g;
}

std::string GUIDToString(const TGUID& guid);

// ---------------------------------------------------------------------------------------------
// Interfaces. Every interface derives virtually from IInterface, so an object that implements
// several interfaces has one reference count and one QueryInterface.

class IInterface {
 public:
  static constexpr TGUID IID = StringToGUID("{00000000-0000-0000-C000-000000000046}");
  /// On success stores the interface (with one reference added) in *obj and returns true.
  virtual bool QueryInterface(const TGUID& iid, void** obj) = 0;
  virtual int _AddRef() = 0;
  virtual int _Release() = 0;

 protected:
  virtual ~IInterface() = default;
};

/// The one counted smart pointer. Constructing from a raw pointer adds a reference; Adopt takes
/// over a reference that the caller already owns (a factory result, a QueryInterface result).
template <class T>
class TIntfPtr {
 public:
  TIntfPtr() noexcept = default;
  TIntfPtr(std::nullptr_t) noexcept {}
  explicit TIntfPtr(T* p) noexcept : FPtr(p) {
    if (FPtr) FPtr->_AddRef();
  }
  TIntfPtr(const TIntfPtr& other) noexcept : TIntfPtr(other.FPtr) {}
  TIntfPtr(TIntfPtr&& other) noexcept : FPtr(std::exchange(other.FPtr, nullptr)) {}
  template <class U>
  requires std::is_convertible_v<U*, T*> TIntfPtr(const TIntfPtr<U>& other)
  noexcept : TIntfPtr(static_cast<T*>(other.get())) {}
  template <class U>
  requires std::is_convertible_v<U*, T*> TIntfPtr(TIntfPtr<U>&& other)
  noexcept : FPtr(other.Detach()) {}
  ~TIntfPtr() { Reset(); }

  TIntfPtr& operator=(const TIntfPtr& other) noexcept {
    if (this != &other) TIntfPtr(other).Swap(*this);
    return *this;
  }
  TIntfPtr& operator=(TIntfPtr&& other) noexcept {
    TIntfPtr(std::move(other)).Swap(*this);
    return *this;
  }
  TIntfPtr& operator=(std::nullptr_t) noexcept {
    Reset();
    return *this;
  }

  static TIntfPtr Adopt(T* p) noexcept {
    TIntfPtr r;
    r.FPtr = p;
    return r;
  }
  T* Detach() noexcept { return std::exchange(FPtr, nullptr); }
  void Reset() noexcept {
    if (T* p = std::exchange(FPtr, nullptr)) p->_Release();
  }
  void Swap(TIntfPtr& other) noexcept { std::swap(FPtr, other.FPtr); }

  T* get() const noexcept { return FPtr; }
  T* operator->() const noexcept { return FPtr; }
  T& operator*() const noexcept { return *FPtr; }
  explicit operator bool() const noexcept { return FPtr != nullptr; }
  friend bool operator==(const TIntfPtr& a, const TIntfPtr& b) noexcept { return a.FPtr == b.FPtr; }
  friend bool operator==(const TIntfPtr& a, std::nullptr_t) noexcept { return a.FPtr == nullptr; }

 private:
  T* FPtr = nullptr;
};

/// Supports: whether obj yields the interface; the result holds a counted reference.
bool Supports(IInterface* obj, const TGUID& iid, void** intf);
template <class I>
TIntfPtr<I> Supports(IInterface* obj) {
  void* p = nullptr;
  if (obj && obj->QueryInterface(I::IID, &p)) return TIntfPtr<I>::Adopt(static_cast<I*>(p));
  return nullptr;
}
template <class I, class U>
TIntfPtr<I> Supports(const TIntfPtr<U>& obj) {
  return Supports<I>(static_cast<IInterface*>(obj.get()));
}

/// Answers QueryInterface for one interface of self; used to declare a class's interface list once.
template <class I, class Self>
bool QueryInterfaceFor(Self* self, const TGUID& iid, void** obj) {
  if (!(iid == I::IID)) return false;
  I* intf = self;
  intf->_AddRef();
  *obj = intf;
  return true;
}
template <class Self, class... Intfs>
bool QueryInterfaceList(Self* self, const TGUID& iid, void** obj) {
  return (QueryInterfaceFor<Intfs>(self, iid, obj) || ...);
}

// ---------------------------------------------------------------------------------------------
// Objects

/// Class name of a polymorphic type as the toolkit shows it ("TTBXLabel").
std::string ClassNameOf(const std::type_info& type);

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject();
  std::string ClassName() const { return ClassNameOf(typeid(*this)); }
};

/// The reference-counted base of every object handed to the host as an interface. The object is
/// destroyed when its last reference goes; QueryInterface of IInterface is answered here and
/// subclasses add their own interfaces in front.
class TTolvaRefCntIntfObject : public TObject, public virtual IInterface {
 public:
  bool QueryInterface(const TGUID& iid, void** obj) override;
  int _AddRef() override;
  int _Release() override;
  int RefCount() const { return FRefCount; }

 protected:
  TTolvaRefCntIntfObject() = default;
  ~TTolvaRefCntIntfObject() override;

 private:
  int FRefCount = 0;
};

/// The object that implements an interface, or nullptr.
TObject* GetImplObject(IInterface* intf);

/// Runs an action when the scope ends, however it ends: closes update brackets and resets
/// re-entrancy flags on every path. An error the action raises reaches the caller when the scope
/// ends normally; while another error is already on its way, that first error is the one the
/// caller hears of and the action's own is dropped.
template <class F>
class TScopeExit {
 public:
  explicit TScopeExit(F action) : FAction(std::move(action)) {}
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;
  ~TScopeExit() noexcept(false) {
    if (std::uncaught_exceptions() == FUncaught) {
      FAction();
      return;
    }
    try {
      FAction();
    } catch (...) {  // NOLINT(bugprone-empty-catch): the error already on its way wins
    }
  }

 private:
  F FAction;
  int FUncaught = std::uncaught_exceptions();
};

// ---------------------------------------------------------------------------------------------
// Exceptions

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : FMessage(std::move(message)) {}
  ~Exception() override;
  const std::string& Message() const noexcept { return FMessage; }
  const char* what() const noexcept override { return FMessage.c_str(); }
  std::string ClassName() const { return ClassNameOf(typeid(*this)); }

 private:
  std::string FMessage;
};

/// A programming error of the caller: "Assertion failure (path\Unit, line N)".
class EAssertionFailed : public Exception {
 public:
  EAssertionFailed(std::string sourcePath, int line);
  ~EAssertionFailed() override;
  const std::string& SourcePath() const noexcept { return FSourcePath; }
  int Line() const noexcept { return FLine; }

 private:
  std::string FSourcePath;
  int FLine;
};

/// A configuration value that cannot be used. Where names the element or attribute (with its place
/// in the document when known), Found the text, Expected what is accepted.
class EConfigurationError : public Exception {
 public:
  EConfigurationError(std::string where, std::string found, std::string expected);
  ~EConfigurationError() override;
  const std::string& Where() const noexcept { return FWhere; }
  const std::string& Found() const noexcept { return FFound; }
  const std::string& Expected() const noexcept { return FExpected; }

 private:
  std::string FWhere, FFound, FExpected;
};

/// Raises EAssertionFailed. file is a source path as __FILE__ gives it; the report shows it relative
/// to the project with backslashes and without its extension, as the unit's source path.
[[noreturn]] void AssertionFailed(const char* file, int line);
#define NUV_ASSERT(cond) ((cond) ? static_cast<void>(0) : ::AssertionFailed(__FILE__, __LINE__))
/// A place in the source. As a default argument it is the caller's place, so an assertion made in
/// shared code names the unit that called it. (std::source_location is not there on every
/// compiler the project builds with; the builtins are.)
struct TSourcePlace {
  const char* File;
  int Line;
  static constexpr TSourcePlace Current(const char* file = __builtin_FILE(), int line = __builtin_LINE()) {
    return {file, line};
  }
};
/// Fails with the caller's place when condition is false.
inline void AssertAt(bool condition, TSourcePlace where = TSourcePlace::Current()) {
  if (!condition) AssertionFailed(where.File, where.Line);
}

// ---------------------------------------------------------------------------------------------
// Enumeration type information: the identifiers of an enumeration in ordinal order, so that
// configuration can name values without their prefix and dumps can print them.

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

// ---------------------------------------------------------------------------------------------
// String helpers

bool SameText(std::string_view a, std::string_view b);  // ignores the case of ASCII letters
int Occurs(char c, std::string_view text);
/// The n-th piece (from 1) of text between separators c; "" when there is no such piece.
std::string GetSubString(std::string_view text, char c, int n);
/// Text without leading and trailing blanks and control characters.
std::string TrimText(std::string_view text);

#pragma GCC visibility pop
