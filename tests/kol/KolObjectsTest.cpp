#include <gtest/gtest.h>

#include "KolSystem.h"
#include "ReferenceCount.h"

namespace {

class IProbe : public virtual IInterface {
 public:
  static constexpr TGUID IID = StringToGUID("{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}");
  virtual int Value() const = 0;
};

class IUnrelated : public virtual IInterface {
 public:
  static constexpr TGUID IID = StringToGUID("{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8FA}");
};

class TProbe : public TImplements<TTolvaRefCntIntfObject, IProbe> {
 public:
  explicit TProbe(int& destroyed) : FDestroyed(destroyed) {}
  int Value() const override { return 42; }

 protected:
  ~TProbe() override { ++FDestroyed; }

 private:
  int& FDestroyed;
};

// A subclass that lists one interface more than its base.
class TWiderProbe final : public TImplements<TProbe, IUnrelated> {
 public:
  using TImplements::TImplements;

 private:
  ~TWiderProbe() override = default;
};

}  // namespace

namespace Outer::Inner {
struct TQualified {
  virtual ~TQualified() = default;
};
template <class T>
struct TBox {};
}  // namespace Outer::Inner

TEST(KolRefCount, ObjectLivesExactlyAsLongAsItsReferences) {
  int destroyed = 0;
  TIntfPtr<IProbe> first = MakeCounted<TProbe>(destroyed);
  auto* object = static_cast<TProbe*>(GetImplObject(first.get()));
  EXPECT_EQ(ReferenceCount(object), 1);
  {
    TIntfPtr<IProbe> second = first;  // NOLINT(performance-unnecessary-copy-initialization): counts the copy
    TIntfPtr<IInterface> base = second;
    EXPECT_EQ(ReferenceCount(object), 3);
  }
  EXPECT_EQ(ReferenceCount(object), 1);
  TIntfPtr<IProbe> moved = std::move(first);
  EXPECT_EQ(ReferenceCount(object), 1);
  EXPECT_EQ(destroyed, 0);
  moved = nullptr;
  EXPECT_EQ(destroyed, 1);
}

TEST(KolRefCount, MakeCountedHandsOverTheFirstReference) {
  int destroyed = 0;
  auto probe = MakeCounted<TProbe>(destroyed);
  EXPECT_EQ(ReferenceCount(probe.get()), 1);
  TIntfPtr<IProbe> asProbe = std::move(probe);
  EXPECT_EQ(ReferenceCount(asProbe.get()), 1);
  asProbe = nullptr;
  EXPECT_EQ(destroyed, 1);
}

TEST(KolInterfaceList, AClassAnswersItsOwnInterfacesThenThoseOfItsBase) {
  int destroyed = 0;
  TIntfPtr<IUnrelated> wide = MakeCounted<TWiderProbe>(destroyed);
  TObject* impl = GetImplObject(wide.get());
  TIntfPtr<IProbe> probe = Supports<IProbe>(wide);         // the base's list
  TIntfPtr<IInterface> base = Supports<IInterface>(wide);  // the root's
  ASSERT_TRUE(probe);
  ASSERT_TRUE(base);
  EXPECT_EQ(GetImplObject(probe.get()), impl);
  EXPECT_EQ(GetImplObject(base.get()), impl);
  EXPECT_EQ(probe->Value(), 42);
  EXPECT_EQ(ReferenceCount(base.get()), 3);  // one count for the three references
  EXPECT_TRUE(Supports<IUnrelated>(probe));

  void* found = &destroyed;
  EXPECT_FALSE(wide->QueryInterface(StringToGUID("{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8FB}"), &found));
  EXPECT_EQ(found, nullptr);
  EXPECT_EQ(ReferenceCount(base.get()), 3);

  TIntfPtr<IProbe> narrow = MakeCounted<TProbe>(destroyed);
  EXPECT_FALSE(Supports<IUnrelated>(narrow));  // a subclass's interface is its own
  wide = nullptr;
  probe = nullptr;
  base = nullptr;
  narrow = nullptr;
  EXPECT_EQ(destroyed, 2);
}

TEST(KolRefCount, QueryInterfaceAddsAReferenceOnlyOnSuccess) {
  int destroyed = 0;
  TIntfPtr<IProbe> probe = MakeCounted<TProbe>(destroyed);
  void* found = nullptr;
  ASSERT_TRUE(probe->QueryInterface(IInterface::IID, &found));
  EXPECT_EQ(probe->_AddRef(), 3);  // the query's reference plus this one
  probe->_Release();
  auto asBase = TIntfPtr<IInterface>::Adopt(static_cast<IInterface*>(found));

  found = &destroyed;
  EXPECT_FALSE(probe->QueryInterface(IUnrelated::IID, &found));
  EXPECT_EQ(found, nullptr);
  EXPECT_EQ(probe->_AddRef(), 3);
  probe->_Release();

  probe = nullptr;
  EXPECT_EQ(destroyed, 0);
  asBase = nullptr;
  EXPECT_EQ(destroyed, 1);
}

TEST(KolRefCount, SupportsFindsDeclaredInterfacesAndBalancesReferences) {
  int destroyed = 0;
  TIntfPtr<IInterface> base = Supports<IInterface>(MakeCounted<TProbe>(destroyed));
  ASSERT_TRUE(base);
  TIntfPtr<IProbe> probe = Supports<IProbe>(base);
  ASSERT_TRUE(probe);
  EXPECT_EQ(probe->Value(), 42);
  EXPECT_FALSE(Supports<IUnrelated>(base));
  EXPECT_FALSE(Supports<IProbe>(static_cast<IInterface*>(nullptr)));

  // Asking without taking the interface must not leave a reference behind.
  EXPECT_TRUE(Supports(base.get(), IProbe::IID, nullptr));
  void* out = &destroyed;
  EXPECT_FALSE(Supports(nullptr, IProbe::IID, &out));
  EXPECT_EQ(out, nullptr);
  base = nullptr;
  probe = nullptr;
  EXPECT_EQ(destroyed, 1);
}

TEST(KolObjects, ImplObjectAndClassNames) {
  int destroyed = 0;
  TIntfPtr<IProbe> probe = MakeCounted<TProbe>(destroyed);
  TObject* impl = GetImplObject(probe.get());
  ASSERT_NE(impl, nullptr);
  EXPECT_EQ(impl->ClassName(), "TProbe");
  EXPECT_EQ(GetImplObject(nullptr), nullptr);
  EXPECT_EQ(ClassNameOf(typeid(Outer::Inner::TQualified)), "TQualified");
  EXPECT_EQ(ClassNameOf(typeid(Outer::Inner::TBox<Outer::Inner::TQualified>)), "TBox<Outer::Inner::TQualified>");
}

TEST(KolGuid, TextFormIsBracedUpperCase) {
  EXPECT_EQ(GUIDToString(IInterface::IID), "{00000000-0000-0000-C000-000000000046}");
  constexpr TGUID mixed = StringToGUID("{6c1e5a80-2b7d-4c1e-9a57-0e3d1b7c4a11}");
  EXPECT_EQ(GUIDToString(mixed), "{6C1E5A80-2B7D-4C1E-9A57-0E3D1B7C4A11}");
  EXPECT_FALSE(mixed == IInterface::IID);
}
