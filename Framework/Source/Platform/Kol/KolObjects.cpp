// Class names, the reference-counted base object and interface queries.
#include <cxxabi.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string_view>

#include "KolInterfaces.h"

namespace {

std::string Demangle(const char* mangled) {
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> name(abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
  return status == 0 && name ? std::string(name.get()) : std::string(mangled);
}

// The toolkit shows bare class names, so the namespace qualification goes; only "::" outside
// template arguments separates qualifiers.
std::string WithoutQualification(const std::string& name) {
  std::size_t start = 0;
  int depth = 0;
  for (std::size_t i = 0; i + 1 < name.size(); ++i) {
    if (name[i] == '<')
      ++depth;
    else if (name[i] == '>')
      --depth;
    else if (depth == 0 && name[i] == ':' && name[i + 1] == ':')
      start = i + 2;
  }
  return name.substr(start);
}

}  // namespace

// Demangling costs far more than the event or message that asks for the name, and a program has
// few classes: each name is made once per thread. The cache is keyed by the mangled text, not by
// the type_info, which lives in a module that may be unloaded.
std::string ClassNameOf(const std::type_info& type) {
  thread_local std::map<std::string, std::string, std::less<>> names;
  const std::string_view mangled = type.name();
  auto it = names.find(mangled);
  if (it == names.end()) it = names.emplace(mangled, WithoutQualification(Demangle(type.name()))).first;
  return it->second;
}

TObject::~TObject() = default;

TTolvaRefCntIntfObject::~TTolvaRefCntIntfObject() = default;

// The root of every list of interfaces: what no class in between answers is refused here.
bool TTolvaRefCntIntfObject::QueryInterface(const TGUID& iid, void** obj) {
  if (QueryInterfaceFor<IInterface>(this, iid, obj)) return true;
  *obj = nullptr;
  return false;
}

int TTolvaRefCntIntfObject::_AddRef() { return ++FRefCount; }

int TTolvaRefCntIntfObject::_Release() {
  const int count = --FRefCount;
  if (count == 0) delete this;
  return count;
}

TObject* GetImplObject(IInterface* intf) { return dynamic_cast<TObject*>(intf); }

bool Supports(IInterface* obj, const TGUID& iid, void** intf) {
  void* found = nullptr;
  const bool ok = obj && obj->QueryInterface(iid, &found);
  if (intf) {
    *intf = ok ? found : nullptr;
  } else if (ok) {
    // The caller only asks; one object has one count, so releasing obj undoes the query's reference.
    obj->_Release();
  }
  return ok;
}
