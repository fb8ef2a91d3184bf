#include "NUVModule.h"

#include <dlfcn.h>
#include <link.h>

#include <cstring>

ENUVModuleError::~ENUVModuleError() = default;

TNUVModule::TNUVModule(const std::string& path) : FPath(path) {
  FHandle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!FHandle) {
    const char* error = dlerror();
    throw ENUVModuleError("cannot load module " + path + ": " + (error ? error : "unknown error"));
  }
}

TNUVModule::~TNUVModule() {
  if (FHandle) dlclose(FHandle);
}

TNUVViewPartFactory TNUVModule::FindFactory(const std::string& name) const {
  return reinterpret_cast<TNUVViewPartFactory>(dlsym(FHandle, name.c_str()));
}

TIntfPtr<INUVViewPart> TNUVModule::Create(TNUVViewPartFactory factory, IQIMExtension* extension,
                                          INUVWorkItem* workItem) const {
  return TIntfPtr<INUVViewPart>::Adopt(factory(extension, workItem));
}

namespace {

struct TVersionSearch {
  ElfW(Addr) Base;
  std::string Version;
};

// Walks the note segments of the loaded object at Base for the "NUV" note of type 1.
int FindVersionNote(dl_phdr_info* info, size_t, void* data) {
  auto* search = static_cast<TVersionSearch*>(data);
  if (info->dlpi_addr != search->Base) return 0;
  for (int i = 0; i < info->dlpi_phnum; ++i) {
    const ElfW(Phdr)& segment = info->dlpi_phdr[i];
    if (segment.p_type != PT_NOTE) continue;
    const char* p = reinterpret_cast<const char*>(info->dlpi_addr + segment.p_vaddr);
    const char* end = p + segment.p_memsz;
    while (p + sizeof(ElfW(Nhdr)) <= end) {
      const auto* note = reinterpret_cast<const ElfW(Nhdr)*>(p);
      const char* name = p + sizeof(ElfW(Nhdr));
      const char* desc = name + ((note->n_namesz + 3) & ~3u);
      if (note->n_type == 1 && note->n_namesz == 4 && std::memcmp(name, "NUV", 4) == 0 &&
          desc + note->n_descsz <= end) {
        search->Version.assign(desc, strnlen(desc, note->n_descsz));
        return 1;
      }
      p = desc + ((note->n_descsz + 3) & ~3u);
    }
  }
  return 1;
}

}  // namespace

std::string TNUVModule::Version() const {
  link_map* map = nullptr;
  if (dlinfo(FHandle, RTLD_DI_LINKMAP, &map) != 0 || !map) return {};
  TVersionSearch search{map->l_addr, {}};
  dl_iterate_phdr(FindVersionNote, &search);
  return search.Version;
}
