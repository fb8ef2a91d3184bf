#include "WbLayoutFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>

#include "TbxDockablePanels.h"

namespace {

// Nothing in a layout nests deeper than this; a deeper file is no layout.
constexpr int KMaxLayoutDepth = 8;

class ELayoutError : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

TWbJson NameOrNull(const std::string& name) { return name.empty() ? TWbJson() : TWbJson(name); }

// The view part whose own control this is ("" for none); not what lies inside it.
std::string OwnerOf(const TControl& control, const std::unordered_map<const TControl*, std::string>& owners) {
  const auto owner = owners.find(&control);
  return owner == owners.end() ? std::string() : owner->second;
}

TTBCustomDockableWindow* DockableWindowOf(TWbApplication& app, const std::string& viewPart) {
  try {
    return app.ControlOf(viewPart).AsDockableWindow();
  } catch (const std::exception&) {
    return nullptr;  // finalized, without a control, or in a finalized work space: not kept
  }
}

TWbJson EntryJson(const TTBCustomDockableWindow& window, const std::string& dock) {
  const auto* panel = KindCast<TTBXCustomDockablePanel>(&window);
  const TRect at = window.GetWindowRect();
  return TWbJson{
      {"dock", NameOrNull(dock)},
      {"row", window.GetDockRow()},
      {"pos", window.GetDockPos()},
      {"floating", window.GetFloating() ? TWbJson::array({at.Left, at.Top, at.Width, at.Height}) : TWbJson()},
      {"docked", panel ? TWbJson::array({panel->GetDockedWidth(), panel->GetDockedHeight()}) : TWbJson()},
      {"visible", window.GetVisible()}};
}

// ---------------------------------------------------------------------------------------------
// Reading

std::string SystemError() { return std::strerror(errno); }

// The whole file, if it is a regular file of a size a layout has. The open never waits: a FIFO in
// its place is refused, not read.
std::string ReadLayoutText(const std::string& file) {
  const int fd = open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) throw ELayoutError("cannot be read (" + SystemError() + ")");
  struct Closer {
    int Fd;
    ~Closer() { close(Fd); }
  } closer{fd};
  struct stat info {};
  if (fstat(fd, &info) != 0) throw ELayoutError("cannot be read (" + SystemError() + ")");
  if (!S_ISREG(info.st_mode)) throw ELayoutError("is not a regular file");
  if (static_cast<std::size_t>(info.st_size) > KWbMaxLayoutFileSize)
    throw ELayoutError("is larger than " + std::to_string(KWbMaxLayoutFileSize) + " bytes");
  std::string text(static_cast<std::size_t>(info.st_size), '\0');
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t got = read(fd, text.data() + done, text.size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) throw ELayoutError("cannot be read (" + (got < 0 ? SystemError() : "it shrank") + ")");
    done += static_cast<std::size_t>(got);
  }
  return text;
}

// How deep arrays and objects nest, strings aside.
int NestingDepth(const std::string& text) {
  int depth = 0, deepest = 0;
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (inString) {
      if (c == '\\') ++i;
      if (c == '"') inString = false;
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      deepest = std::max(deepest, ++depth);
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return deepest;
}

TWbJson ParseLayout(const std::string& text) {
  if (NestingDepth(text) > KMaxLayoutDepth)
    throw ELayoutError("nests deeper than " + std::to_string(KMaxLayoutDepth) + " levels: it is no layout");
  TWbJson json = TWbJson::parse(text, nullptr, false);
  if (json.is_discarded()) throw ELayoutError("is not JSON");
  if (!json.is_object()) throw ELayoutError("is not a JSON object");
  const TWbJson& version = json.contains("version") ? json["version"] : TWbJson();
  if (!version.is_number_integer() || version.get<long long>() != KWbLayoutVersion)
    throw ELayoutError("has version " + version.dump() + "; this runner reads version " +
                       std::to_string(KWbLayoutVersion));
  return json;
}

int IntIn(const TWbJson& value, const std::string& what, long long least, long long most) {
  if (!value.is_number_integer() || value.get<long long>() < least || value.get<long long>() > most)
    throw ELayoutError(what + " " + value.dump() + " is not a whole number from " + std::to_string(least) + " to " +
                       std::to_string(most));
  return static_cast<int>(value.get<long long>());
}

// An array of count whole numbers, each in [least, most], or an empty vector for null.
std::vector<int> Numbers(const TWbJson& entry, const char* key, std::size_t count, long long least) {
  const TWbJson& value = entry.contains(key) ? entry[key] : TWbJson();
  if (value.is_null()) return {};
  if (!value.is_array() || value.size() != count)
    throw ELayoutError(std::string(key) + " " + value.dump() + " is not null or an array of " + std::to_string(count) +
                       " numbers");
  std::vector<int> numbers;
  for (const auto& number : value) numbers.push_back(IntIn(number, key, least, MaxControlExtent));
  return numbers;
}

// One entry: every value is checked before anything moves.
struct TEntry {
  std::string Dock;  // "" while floating
  int Row = 0, Pos = -1;
  std::vector<int> Floating, Docked;
  bool Visible = true;
};

TEntry ReadEntry(const TWbJson& entry) {
  if (!entry.is_object()) throw ELayoutError("the entry " + entry.dump() + " is not an object");
  TEntry read;
  const TWbJson& dock = entry.contains("dock") ? entry["dock"] : TWbJson();
  if (!dock.is_null() && !dock.is_string()) throw ELayoutError("dock " + dock.dump() + " is not a name or null");
  if (dock.is_string()) read.Dock = dock.get<std::string>();
  read.Row = IntIn(entry.value("row", TWbJson(0)), "row", 0, MaxControlExtent);
  read.Pos = IntIn(entry.value("pos", TWbJson(-1)), "pos", -1, MaxControlExtent);
  read.Floating = Numbers(entry, "floating", 4, -MaxControlExtent);
  read.Docked = Numbers(entry, "docked", 2, 0);
  const TWbJson& visible = entry.value("visible", TWbJson(true));
  if (!visible.is_boolean()) throw ELayoutError("visible " + visible.dump() + " is not true or false");
  read.Visible = visible.get<bool>();
  if (read.Dock.empty() && read.Floating.empty()) throw ELayoutError("it is neither in a dock nor floating");
  return read;
}

TTBDock& DockNamed(TWbApplication& app, const std::string& name) {
  TTBDock* dock = nullptr;
  try {
    dock = KindCast<TTBDock>(&app.ControlOf(name));
  } catch (const std::exception&) {
  }
  if (!dock) throw ELayoutError("its dock '" + name + "' is no dock of this window");
  return *dock;
}

void ApplyEntry(TWbApplication& app, TTBCustomDockableWindow& window, const TEntry& entry) {
  auto* panel = KindCast<TTBXCustomDockablePanel>(&window);
  if (panel && !entry.Docked.empty()) {
    panel->SetDockedWidth(entry.Docked[0]);
    panel->SetDockedHeight(entry.Docked[1]);
  }
  if (!entry.Dock.empty()) {
    TTBDock& dock = DockNamed(app, entry.Dock);
    // Where the file puts it is where it is already: no gesture, so no refusal either.
    if (window.GetCurrentDock() != &dock || window.GetDockRow() != entry.Row || window.GetDockPos() != entry.Pos)
      window.DockTo(dock, entry.Row, entry.Pos);
  } else {
    const TRect at = window.GetWindowRect();
    if (!window.GetFloating() || at.Left != entry.Floating[0] || at.Top != entry.Floating[1])
      window.FloatAt({entry.Floating[0], entry.Floating[1]});
    if (window.ResizesWhenFloating()) {
      const TRect placed = window.GetBoundsRect();
      window.ResizeFloating({placed.Left, placed.Top, entry.Floating[2], entry.Floating[3]});
    }
  }
  window.SetVisible(entry.Visible);
}

void Warn(TWbReporter& reporter, const std::string& file, const std::string& message,
          const std::optional<std::string>& viewPart = std::nullopt) {
  TWbWarning warning;
  warning.File = file;
  warning.ViewPart = viewPart;
  warning.Message = message;
  reporter.Warning(warning);
}

// Restoring is not the user's gesture: the window tells no one of it.
class TQuietForm {
 public:
  explicit TQuietForm(TForm& form)
      : FForm(form),
        FResize(std::exchange(form.OnResize, nullptr)),
        FDock(std::exchange(form.OnDock, nullptr)),
        FFloat(std::exchange(form.OnFloat, nullptr)) {}
  ~TQuietForm() {
    FForm.OnResize = std::move(FResize);
    FForm.OnDock = std::move(FDock);
    FForm.OnFloat = std::move(FFloat);
  }
  TQuietForm(const TQuietForm&) = delete;
  TQuietForm& operator=(const TQuietForm&) = delete;

 private:
  TForm& FForm;
  TNotifyEvent FResize;
  decltype(TForm::OnDock) FDock;
  decltype(TForm::OnFloat) FFloat;
};

}  // namespace

TWbJson LayoutJson(TWbApplication& app) {
  const auto owners = app.ControlOwners();
  TWbJson viewParts = TWbJson::object();
  for (const auto& live : app.LiveViewParts()) {
    const TTBCustomDockableWindow* window = DockableWindowOf(app, live.Name);
    if (!window) continue;
    const TTBDock* dock = window->GetCurrentDock();
    const std::string dockName = dock ? OwnerOf(*dock, owners) : std::string();
    if (dock && dockName.empty()) continue;  // a dock of no view part cannot be named again
    viewParts[live.Name] = EntryJson(*window, dockName);
  }
  const TForm& form = app.Form();
  return TWbJson{{"version", KWbLayoutVersion},
                 {"window", TWbJson::array({form.GetWidth(), form.GetHeight()})},
                 {"viewParts", viewParts}};
}

void RestoreLayout(TWbApplication& app, const std::string& file, TWbReporter& reporter) {
  TWbJson layout;
  try {
    layout = ParseLayout(ReadLayoutText(file));
  } catch (const ELayoutError& e) {
    Warn(reporter, file, "the layout file " + std::string(e.what()) + "; the window opens as configured");
    return;
  }
  TQuietForm quiet(app.Form());
  if (layout.contains("window")) {
    try {
      const std::vector<int> size = Numbers(layout, "window", 2, 1);
      if (!size.empty()) app.Form().Resize(size[0], size[1]);
    } catch (const std::exception& e) {
      Warn(reporter, file, "the window's size is not restored: " + std::string(e.what()));
    }
  }
  const TWbJson& entries = layout.contains("viewParts") ? layout["viewParts"] : TWbJson::object();
  if (!entries.is_object()) {
    Warn(reporter, file, "viewParts " + entries.dump() + " is not an object; no view part is restored");
    return;
  }
  for (const auto& [name, value] : entries.items())
    if (!app.IsDeclaredViewPart(name) || !DockableWindowOf(app, name))
      Warn(reporter, file,
           "the entry of view part '" + name + "' is skipped: the window has no toolbar or panel of that name", name);
  for (const auto& live : app.LiveViewParts()) {
    if (!entries.contains(live.Name)) continue;
    TTBCustomDockableWindow* window = DockableWindowOf(app, live.Name);
    if (!window) continue;
    try {
      ApplyEntry(app, *window, ReadEntry(entries[live.Name]));
    } catch (const std::exception& e) {
      Warn(reporter, file, "the entry of view part '" + live.Name + "' is skipped: " + e.what(), live.Name);
    }
  }
}

void SaveLayout(TWbApplication& app, const std::string& file, TWbReporter& reporter) {
  const std::string text = JsonText(LayoutJson(app), 2) + "\n";
  const std::string temporary = file + ".tmp-" + std::to_string(getpid());
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_TRUNC | O_CLOEXEC, 0644);
  const auto fail = [&](const std::string& why) {
    if (fd >= 0) unlink(temporary.c_str());
    Warn(reporter, file, "the layout file is not written: " + why);
  };
  if (fd < 0) return fail(temporary + ": " + SystemError());
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t wrote = write(fd, text.data() + done, text.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) {
      const std::string why = SystemError();
      close(fd);
      return fail(why);
    }
    done += static_cast<std::size_t>(wrote);
  }
  const bool synced = fsync(fd) == 0;
  const std::string syncError = synced ? std::string() : SystemError();
  if (close(fd) != 0 || !synced) return fail(synced ? SystemError() : syncError);
  if (rename(temporary.c_str(), file.c_str()) != 0) {
    const std::string why = SystemError();
    unlink(temporary.c_str());
    Warn(reporter, file, "the layout file is not written: " + why);
  }
}
