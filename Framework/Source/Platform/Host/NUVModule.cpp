#include "NUVModule.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string_view>

ENUVModuleError::~ENUVModuleError() = default;

namespace {
// dlopen would wait on a FIFO named as the module: anything that is there but no regular file is
// refused first. A name without a slash is left to dlopen's search.
void CheckRegularFile(const std::string& path) {
  if (path.find('/') == std::string::npos) return;
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return;  // dlopen says why
  struct stat status {};
  const bool regular = fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
  close(fd);
  if (!regular) throw ENUVModuleError("cannot load module " + path + ": it is not a regular file");
}
}  // namespace

TNUVModule::TNUVModule(const std::string& path) : FPath(path) {
  CheckRegularFile(path);
  FHandle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!FHandle) {
    const char* error = dlerror();
    throw ENUVModuleError("cannot load module " + path + ": " + (error ? error : "unknown error"));
  }
}

TNUVModule::~TNUVModule() {
  if (FHandle) dlclose(FHandle);
}

bool TNUVModule::IsFactoryName(const std::string& name) {
  constexpr std::string_view prefix = "Create", suffix = "ViewPart";
  if (name.size() <= prefix.size() + suffix.size() || !name.starts_with(prefix) || !name.ends_with(suffix))
    return false;
  const std::string_view kind =
      std::string_view(name).substr(prefix.size(), name.size() - prefix.size() - suffix.size());
  return std::ranges::all_of(kind, [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// dlsym on the module's handle also searches the objects the module depends on: a symbol counts
// only when the object that defines it is the module.
TNUVViewPartFactory TNUVModule::FindFactory(const std::string& name) const {
  if (!IsFactoryName(name)) return nullptr;
  void* symbol = dlsym(FHandle, name.c_str());
  if (!symbol) return nullptr;
  link_map* module = nullptr;
  if (dlinfo(FHandle, RTLD_DI_LINKMAP, &module) != 0 || !module) return nullptr;
  Dl_info info{};
  link_map* definer = nullptr;
  if (!dladdr1(symbol, &info, reinterpret_cast<void**>(&definer), RTLD_DL_LINKMAP) || definer != module) return nullptr;
  return reinterpret_cast<TNUVViewPartFactory>(symbol);
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
