/// @file
/// Toolkit component model: ownership, free notification, guarded pointers and object lists.
#pragma once
#pragma GCC visibility push(default)

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "KolEnums.h"
#include "KolInterfaces.h"
#include "TbxEitherEndList.h"

KOL_ENUM(TOperation, opInsert, opRemove)
KOL_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter)

class TComponent;

/// Anything that refers to components without owning them derives from this and watches them; it
/// hears of each watched component once, while that component is being destroyed, and stops
/// watching everything when it is destroyed itself.
class TFreeNotifySink {
 public:
  TFreeNotifySink() = default;
  TFreeNotifySink(const TFreeNotifySink&) = delete;
  TFreeNotifySink& operator=(const TFreeNotifySink&) = delete;
  virtual ~TFreeNotifySink();

  /// Counted: a component watched twice must be unwatched twice.
  void Watch(TComponent* component);
  void Unwatch(TComponent* component);

 protected:
  /// component is being destroyed: only its address may be used.
  virtual void ComponentFreed(TComponent* component) = 0;
  /// The watches are searched from both ends, the newest first: a sink that lets its components go
  /// in the reverse of the order it watched them in finds each at once. This turns that order around.
  void ReverseWatches();

 private:
  friend class TComponent;
  // One entry per component, however often it is watched.
  struct TWatch {
    TComponent* Component;
    int Count;
  };
  TEitherEndList<TWatch> FWatched;
};

/// Components live by ownership: an owner destroys what it owns. Components answer QueryInterface
/// but are not reference counted.
class TComponent : public TObject, public virtual IInterface {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;

  TComponent* GetOwner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* GetComponent(int index) const { return FComponents.at(static_cast<size_t>(index)); }
  void InsertComponent(TComponent* component);  ///< takes ownership, leaving any previous owner
  void RemoveComponent(TComponent* component);  ///< gives up ownership without destroying
  /// Takes ownership of a component built apart and returns it: the pointer stays valid while this
  /// component, or an owner it is handed on to, keeps it.
  template <class T>
  T* InsertComponent(std::unique_ptr<T> component) {
    InsertComponent(static_cast<TComponent*>(component.get()));
    return component.release();
  }
  /// Gives up ownership of a component this one owns and hands it to the caller, who destroys it
  /// by letting it go; nil for nil or a component owned elsewhere.
  template <class T>
  std::unique_ptr<T> ExtractComponent(T* component) {
    if (!component || component->GetOwner() != this) return nullptr;
    RemoveComponent(component);
    return std::unique_ptr<T>(component);
  }

  const std::string& GetName() const { return FName; }
  virtual void SetName(const std::string& name) { FName = name; }
  std::intptr_t GetTag() const { return FTag; }
  void SetTag(std::intptr_t tag) { FTag = tag; }

  /// Ask to be told (through Notification with opRemove) when component is destroyed.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);
  bool IsDestroying() const { return FDestroying; }

  bool QueryInterface(const TGUID& iid, void** obj) override;
  int _AddRef() override { return -1; }
  int _Release() override { return -1; }

 protected:
  virtual void Notification(TComponent* component, TOperation operation);
  /// Tells every watcher that this component goes. Destructors of classes whose teardown touches
  /// other objects call it first, so that nobody reaches this object while it comes apart; it
  /// runs once.
  void Destroying();

 private:
  friend class TFreeNotifySink;
  void DestroyComponents();
  void NotifySinks();
  class TNotificationSink : public TFreeNotifySink {
   public:
    explicit TNotificationSink(TComponent* self) : FSelf(self) {}
    ~TNotificationSink() override;

   protected:
    void ComponentFreed(TComponent* component) override { FSelf->Notification(component, opRemove); }

   private:
    TComponent* FSelf;
  };

  /// Who watches this component, in the order they began: nearly always its owner alone, which
  /// is kept without an allocation.
  class TSinks {
   public:
    bool Empty() const { return !FFirst; }
    bool Contains(const TFreeNotifySink* sink) const;
    void Add(TFreeNotifySink* sink);
    void Remove(const TFreeNotifySink* sink);
    TFreeNotifySink* TakeLast();

   private:
    TFreeNotifySink* FFirst = nullptr;
    std::vector<TFreeNotifySink*> FMore;  ///< empty while FFirst is nil
  };

  TComponent* FOwner = nullptr;
  TEitherEndList<TComponent*> FComponents;
  TSinks FSinks;
  TNotificationSink FNotificationSink{this};
  std::string FName;
  std::intptr_t FTag = 0;
  bool FDestroying = false;
};

/// A pointer to a component that becomes nullptr when the component is destroyed.
template <class T>
class TGuard : private TFreeNotifySink {
 public:
  TGuard() = default;
  TGuard(T* p) { Assign(p); }  // NOLINT: a guard stands in for a plain pointer
  TGuard(const TGuard& other) : TFreeNotifySink() { Assign(other.FPtr); }
  TGuard& operator=(const TGuard& other) {
    if (this != &other) Assign(other.FPtr);
    return *this;
  }
  TGuard& operator=(T* p) {
    Assign(p);
    return *this;
  }
  ~TGuard() override = default;

  T* get() const { return FPtr; }
  T* operator->() const { return FPtr; }
  operator T*() const { return FPtr; }  // NOLINT

 private:
  void Assign(T* p) {
    if (p == FPtr) return;
    if (FPtr) Unwatch(FPtr);
    FPtr = p;
    if (FPtr) Watch(FPtr);
  }
  void ComponentFreed(TComponent* component) override {
    if (static_cast<TComponent*>(FPtr) == component) FPtr = nullptr;
  }
  T* FPtr = nullptr;
};

/// A list of components. An owning list destroys its entries when it is cleared or destroyed;
/// every list drops an entry the moment that entry is destroyed elsewhere.
template <class T>
class TObjectList : private TFreeNotifySink {
 public:
  explicit TObjectList(bool ownsObjects = true) : FOwnsObjects(ownsObjects) {}
  ~TObjectList() override { Clear(); }

  bool OwnsObjects() const { return FOwnsObjects; }
  int Count() const { return static_cast<int>(FItems.size()); }
  T* Items(int index) const { return FItems.at(static_cast<size_t>(index)); }
  int IndexOf(const T* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
  }
  int Add(T* item) {
    Insert(Count(), item);
    return Count() - 1;
  }
  void Insert(int index, T* item) {
    FItems.insert(FItems.begin() + index, item);
    Watch(item);
  }
  /// Takes the entry out without destroying it.
  T* Extract(T* item) {
    int i = IndexOf(item);
    if (i < 0) return nullptr;
    FItems.erase(FItems.begin() + i);
    Unwatch(item);
    return item;
  }
  /// Takes the entry out; an owning list destroys it.
  void Delete(int index) {
    T* item = FItems.at(static_cast<size_t>(index));
    FItems.erase(FItems.begin() + index);
    Unwatch(item);
    if (FOwnsObjects) delete item;
  }
  int Remove(T* item) {
    int i = IndexOf(item);
    if (i >= 0) Delete(i);
    return i;
  }
  /// From the last entry to the first. Destroying one entry may destroy others, which then leave
  /// the list by free notification before their turn comes.
  void Clear() {
    while (!FItems.empty()) Delete(Count() - 1);
  }
  /// The entries in the opposite order, so that Clear destroys the first entry first.
  void Reverse() {
    std::reverse(FItems.begin(), FItems.end());
    ReverseWatches();
  }
  auto begin() const { return FItems.begin(); }
  auto end() const { return FItems.end(); }

 private:
  void ComponentFreed(TComponent* component) override {
    std::erase_if(FItems, [component](T* item) { return static_cast<TComponent*>(item) == component; });
  }
  std::vector<T*> FItems;
  bool FOwnsObjects;
};

/// Destroys the object and clears the pointer.
template <class T>
void FreeAndNil(T*& p) {
  T* old = p;
  p = nullptr;
  delete old;
}

#pragma GCC visibility pop
