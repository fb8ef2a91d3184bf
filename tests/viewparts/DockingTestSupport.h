// Helpers for the docking work-space tests: a work space that records its bindings, and child
// view parts of every kind, initialised in the test host's window.
#pragma once

#include <string>
#include <vector>

#include "NUVDockablePanelViewPart.h"
#include "NUVLabelViewPart.h"
#include "NUVToolbarDockViewPart.h"
#include "ToolbarTestSupport.h"

// Records each BindChildViewPart and UnBindChildViewPart before doing it.
template <class TWorkSpace>
class TBindRecorder : public TWorkSpace {
 public:
  using TWorkSpace::TWorkSpace;
  struct TBinding {
    INUVViewPart* Child;
    TWinControl* Parent;
    TAlign Align;
  };
  void BindChildViewPart(INUVViewPart* child, TWinControl* parent, TAlign align) override {
    Binds.push_back({child, parent, align});
    TWorkSpace::BindChildViewPart(child, parent, align);
  }
  void UnBindChildViewPart(INUVViewPart* child) override {
    UnBinds.push_back(child);
    TWorkSpace::UnBindChildViewPart(child);
  }
  std::vector<TBinding> Binds;
  std::vector<INUVViewPart*> UnBinds;

 protected:
  ~TBindRecorder() override = default;
};

using TRecordingDock = TBindRecorder<TNUVToolbarDockViewPart>;
using TRecordingPanel = TBindRecorder<TNUVDockablePanelViewPart>;

// A view part of class T named name; initialised unless told otherwise.
template <class T>
TIntfPtr<T> MakeViewPart(TTestHost& host, const std::string& name, const std::string& extData = "",
                         const std::string& caption = "", bool initialize = true) {
  auto ext = host.Extension(name, caption.empty() ? name + " caption" : caption, extData);
  auto viewPart = MakeCounted<T>(ext.get(), host.WorkItemIntf());
  if (initialize) viewPart->Initialize();
  return viewPart;
}

inline TIntfPtr<TRecordingDock> MakeDock(TTestHost& host, const std::string& dockXml) {
  return MakeViewPart<TRecordingDock>(host, "Dock", "<ExtData>" + dockXml + "</ExtData>");
}

inline const std::string DockViewPartUnit = "Framework\\Source\\ViewParts\\NUV.ViewParts.TBX\\NUVToolbarDockViewPart";
inline const std::string PanelViewPartUnit =
    "Framework\\Source\\ViewParts\\NUV.ViewParts.TBX\\NUVDockablePanelViewPart";
