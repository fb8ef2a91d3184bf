/// @file
/// KOL30 interfaces: GUIDs, IInterface, the counted smart pointer, interface queries declared once
/// per class, and the reference-counted base object.
#pragma once
#pragma GCC visibility push(default)

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <utility>

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

/// A new counted object of class T whose first reference the result holds. A counted object is
/// born with no reference; made here, it never stands uncounted where a query or a copy could
/// count it up to one and down to zero again.
template <class T, class... TArgs>
TIntfPtr<T> MakeCounted(TArgs&&... args) {
  T* object = new T(std::forward<TArgs>(args)...);
  object->_AddRef();
  return TIntfPtr<T>::Adopt(object);
}

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

/// Answers QueryInterface for one interface of self.
template <class I, class Self>
bool QueryInterfaceFor(Self* self, const TGUID& iid, void** obj) {
  if (!(iid == I::IID)) return false;
  I* intf = self;
  intf->_AddRef();
  *obj = intf;
  return true;
}
/// Answers QueryInterface for the first of the interfaces that iid names.
template <class Self, class... Intfs>
bool QueryInterfaceList(Self* self, const TGUID& iid, void** obj) {
  return (QueryInterfaceFor<Intfs>(self, iid, obj) || ...);
}

/// A class's list of interfaces, written once: deriving from TImplements<TBase, I1, I2> makes a
/// class that derives from TBase, implements I1 and I2, and answers QueryInterface for them before
/// it asks TBase, which answers for its own list in turn. Constructors are TBase's; a subclass
/// takes them with `using TImplements::TImplements;`.
template <class TBase, class... TIntfs>
class TImplements : public TBase, public TIntfs... {
 public:
  using TBase::TBase;

  bool QueryInterface(const TGUID& iid, void** obj) override {
    return QueryInterfaceList<TImplements, TIntfs...>(this, iid, obj) || TBase::QueryInterface(iid, obj);
  }

 protected:
  ~TImplements() override = default;
};

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
/// destroyed when its last reference goes, and by nothing else: its destructor, and those of its
/// subclasses, are not public. QueryInterface of IInterface is answered here; subclasses list
/// their own interfaces with TImplements.
class TTolvaRefCntIntfObject : public TObject, public virtual IInterface {
 public:
  bool QueryInterface(const TGUID& iid, void** obj) override;
  int _AddRef() override;
  int _Release() override;

 protected:
  TTolvaRefCntIntfObject() = default;
  ~TTolvaRefCntIntfObject() override;

 private:
  int FRefCount = 0;
};

/// The object that implements an interface, or nullptr.
TObject* GetImplObject(IInterface* intf);

#pragma GCC visibility pop
