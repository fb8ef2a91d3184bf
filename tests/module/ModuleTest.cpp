// Loads the built plug-in module the way a host does and drives a label only through the
// exported factory and the host interfaces.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "NUVModule.h"
#include "TestHost.h"

using ::testing::ElementsAre;

namespace {

const std::string ModulePath = std::string(NUV_BIN_DIR) + "/NUV.ViewParts.TBX.so";

std::vector<std::string> DefinedDynamicSymbols(const std::string& path) {
  std::vector<std::string> symbols;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(("nm -D --defined-only " + path).c_str(), "r"), pclose);
  char line[512];
  while (pipe && fgets(line, sizeof line, pipe.get())) {
    std::string text(line);
    auto space = text.find_last_of(' ');
    symbols.push_back(text.substr(space + 1, text.find_last_not_of("\r\n") - space));
  }
  return symbols;
}

class ModuleTest : public ::testing::Test {
 protected:
  TIntfPtr<INUVViewPart> CreateLabel(const std::string& name, const std::string& extData = "") {
    auto factory = Module.FindFactory("CreateLabelViewPart");
    EXPECT_NE(factory, nullptr);
    return Module.Create(factory, Host.Extension(name, "Caption of " + name, extData).get(), Host.WorkItemIntf());
  }
  TNUVModule Module{ModulePath};
  TTestHost Host;
};

TEST_F(ModuleTest, ExportsTheFactoriesAndNothingElse) {
  EXPECT_THAT(DefinedDynamicSymbols(ModulePath),
              ElementsAre("CreateCheckBoxViewPart", "CreateDockablePanelViewPart", "CreateLabelViewPart",
                          "CreateLinkViewPart", "CreateMultiDockPanelViewPart", "CreateRadioButtonViewPart",
                          "CreateStatusBarViewPart", "CreateToolbarDockViewPart", "CreateToolbarViewPart"));
  EXPECT_EQ(Module.FindFactory("TNUVLabelViewPart"), nullptr);
  EXPECT_EQ(Module.Version(), "1.0.0.0");
}

TEST_F(ModuleTest, FactoryGivesIndependentObjectsAndCallsNoViewPartOperation) {
  auto first = CreateLabel("First");
  auto second = CreateLabel("Second");
  EXPECT_NE(first.get(), second.get());
  EXPECT_EQ(first->GetName(), "First");
  EXPECT_EQ(second->GetName(), "Second");
  // No Initialize: no control, nothing in the window, no keys.
  EXPECT_EQ(first->GetControl(), nullptr);
  EXPECT_EQ(Host.Window().GetControlCount(), 0);
  EXPECT_TRUE(Host.Data().Keys().empty());
}

TEST_F(ModuleTest, TheViewPartLivesExactlyAsLongAsTheHostHoldsIt) {
  auto label = CreateLabel("Title");
  label->Initialize();
  TGuard<TControl> control = label->GetControl();
  {
    TIntfPtr<INUVViewPart> extra = label;  // a second reference keeps it alive
    label = nullptr;
    EXPECT_NE(control.get(), nullptr);
    EXPECT_EQ(extra->GetName(), "Title");
  }
  // The last release destroyed the view part, and with it the control it still owned.
  EXPECT_EQ(control.get(), nullptr);
  EXPECT_EQ(Host.Window().GetControlCount(), 0);
}

TEST_F(ModuleTest, DrivesALabelThroughItsWholeLife) {
  auto label = CreateLabel("Title", "<ExtData><Label><Underline>True</Underline></Label></ExtData>");
  EXPECT_NE(Supports<INUVViewPart>(label), nullptr);
  EXPECT_EQ(Supports<INUVWorkSpace>(label), nullptr);
  label->Initialize();
  label->SetWorkSpace(nullptr);
  bool handled = false;
  label->DoWorkItemRunning("", nullptr, handled);
  TControl* control = label->GetControl();
  EXPECT_EQ(control->GetParent(), &Host.Window());
  EXPECT_EQ(control->GetText(), "Caption of Title");

  control->Click();
  control->DblClick();
  Host.Data().WriteValue("Title_Caption", std::string("Renamed"));
  EXPECT_EQ(label->GetCaption(), "Renamed");
  EXPECT_EQ(control->GetText(), "Renamed");
  EXPECT_EQ(std::get<std::string>(Host.Data().ReadValue("Title_Caption")), "Renamed");
  EXPECT_THAT(Host.Events(), ElementsAre("click:Title", "dblclick:Title"));

  label->Finalize();
  EXPECT_EQ(label->GetControl(), nullptr);
  EXPECT_TRUE(Host.Data().Keys().empty());
  label = nullptr;
}

TEST(ModuleLoading, AMissingModuleIsReportedWithItsPath) {
  try {
    TNUVModule module("/nonexistent/NUV.ViewParts.TBX.so");
    FAIL() << "loaded a missing module";
  } catch (const ENUVModuleError& e) {
    EXPECT_THAT(e.Message(), ::testing::HasSubstr("/nonexistent/NUV.ViewParts.TBX.so"));
    EXPECT_THAT(e.Message(), ::testing::HasSubstr("No such file"));  // the loader's own reason
  }
}

// A module goes when the object that loaded it goes; one without the version note has no version.
TEST(ModuleLoading, AModuleIsUnloadedWithItsObjectAndOneWithoutTheNoteHasNoVersion) {
  const std::string path = std::string(NUV_BIN_DIR) + "/nuv_test_module.so";
  { const TNUVModule module(path); }
  EXPECT_EQ(dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr);
  EXPECT_EQ(TNUVModule("libm.so.6").Version(), "");
}

TEST_F(ModuleTest, OnlyTheModulesOwnCreateViewPartExportsAreFactories) {
  EXPECT_NE(Module.FindFactory("CreateLabelViewPart"), nullptr);
  // The C library is a dependency of the module: its functions are no factories.
  for (const char* name : {"abort", "system", "free", "exit", "malloc", "dlopen"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Module.FindFactory(name), nullptr);
  }
  for (const char* name : {"CreateViewPart", "Create Label ViewPart", "createLabelViewPart", "CreateLabelViewPart2"})
    EXPECT_FALSE(TNUVModule::IsFactoryName(name)) << name;
  EXPECT_TRUE(TNUVModule::IsFactoryName("CreateLabelViewPart"));
}

TEST(ModuleLoading, AFactoryNamedExportOfADependencyIsNotTheModules) {
  const TNUVModule module(std::string(NUV_BIN_DIR) + "/nuv_test_module.so");
  EXPECT_NE(module.FindFactory("CreateNilViewPart"), nullptr);
  // The loader finds it through the module's handle, yet the dependency defines it.
  void* handle = dlopen((std::string(NUV_BIN_DIR) + "/nuv_test_module.so").c_str(), RTLD_NOW | RTLD_NOLOAD);
  ASSERT_NE(handle, nullptr);
  EXPECT_NE(dlsym(handle, "CreateBorrowedViewPart"), nullptr);
  dlclose(handle);
  EXPECT_EQ(module.FindFactory("CreateBorrowedViewPart"), nullptr);
}

// A name without a slash is the loader's to search for, whatever the working directory holds under
// that name; a path to something that is no regular file is refused before the loader waits on it.
TEST(ModuleLoading, ANameWithoutASlashIsTheLoadersToFindAndAPathMustNameARegularFile) {
  const auto dir = std::filesystem::temp_directory_path() / ("nuv-module-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir / "libm.so.6");
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  EXPECT_NO_THROW(TNUVModule("libm.so.6"));
  std::filesystem::current_path(previous);
  try {
    TNUVModule module((dir / "libm.so.6").string());
    ADD_FAILURE() << "a directory was loaded";
  } catch (const ENUVModuleError& e) {
    EXPECT_THAT(e.Message(), ::testing::HasSubstr("it is not a regular file"));
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
