// A view part whose Initialize fails leaves no control behind, half configured in the window;
// what it published goes with it, Finalize is safe, and its children are refused clearly.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DockingTestSupport.h"
#include "NUVLabelViewPart.h"
#include "NUVStatusBarViewPart.h"
#include "NUVToolbarViewPart.h"

using ::testing::HasSubstr;

namespace {

struct TFailingKind {
  const char* Name;
  std::function<TIntfPtr<INUVViewPart>(TTestHost&)> Make;  // made, not initialized
};

template <class T>
std::function<TIntfPtr<INUVViewPart>(TTestHost&)> Maker(std::string extData) {
  return [extData](TTestHost& host) -> TIntfPtr<INUVViewPart> {
    return MakeViewPart<T>(host, "Failing", "<ExtData>" + extData + "</ExtData>", "", false);
  };
}

// Each fails late in its Initialize, after its control was made and placed.
const TFailingKind KFailingKinds[] = {
    {"toolbar dock", Maker<TNUVToolbarDockViewPart>("<ToolbarDock><Position>Up</Position></ToolbarDock>")},
    {"dockable panel", Maker<TNUVDockablePanelViewPart>(
                           "<DockablePanel><DockRow>1</DockRow><DockableTo>Top,Up</DockableTo></DockablePanel>")},
    {"status bar",
     Maker<TNUVStatusBarViewPart>(
         R"(<StatusBar><Panels><Panel ID="A"/><Panel ID="B" StretchPriority="101"/></Panels></StatusBar>)")},
    {"toolbar", Maker<TNUVToolBarViewPart>("<Toolbar><ServiceID>NUV.Service.Action</ServiceID></Toolbar>")},
};

TEST(FailedInitialize, LeavesNoControlNoKeysAndRefusesChildrenClearly) {
  for (const TFailingKind& kind : KFailingKinds) {
    SCOPED_TRACE(kind.Name);
    TTestHost host;
    const int before = host.Window().GetControlCount();
    auto viewPart = kind.Make(host);
    EXPECT_ANY_THROW(viewPart->Initialize());
    EXPECT_EQ(viewPart->GetControl(), nullptr);
    EXPECT_EQ(host.Window().GetControlCount(), before);
    EXPECT_TRUE(host.Data().Keys().empty());  // the status bar's first panel withdrew its keys

    auto child = MakeViewPart<TNUVLabelViewPart>(host, "Child", "<ExtData><PanelID>A</PanelID></ExtData>");
    host.WorkItem().SetState(wsRunning);  // a toolbar places its children at once while running
    try {
      Supports<INUVWorkSpace>(viewPart)->ShowViewPart(child.get());
      ADD_FAILURE() << "a child was shown on a work space without control";
    } catch (const ENUVViewPartError& e) {
      EXPECT_EQ(
          e.Message(),
          "WorkSpace[Failing] cannot show ViewPart[Child]: it has no control, as its Initialize did not complete");
    }
    TTestHost::Run(*viewPart);
    viewPart->Finalize();
    child->Finalize();
  }
}

}  // namespace
