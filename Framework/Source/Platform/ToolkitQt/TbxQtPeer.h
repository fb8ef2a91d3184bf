// The peer of one control: it owns the control's widget and keeps the widget where the toolkit
// says, under the widget of the control's parent; floating dockable windows become tool windows
// over the main window.
#pragma once

#include <memory>

#include "TbxPeers.h"
#include "TbxQtWidget.h"

class TQtPeer final : public TControlPeer {
 public:
  TQtPeer(TControl& control, std::unique_ptr<TQtControlWidget> widget);
  ~TQtPeer() override;

  TQtControlWidget& Widget() const { return *FWidget; }
  /// Places the widget at the control's bounds, in its parent widget or on the screen.
  void Place();
  /// Places the widgets of the control's children: the client area may have moved.
  void PlaceChildren();
  /// Places the widget and shows or hides it: a tool window follows the main window.
  void Sync() {
    Place();
    ApplyVisibility();
  }

  void BoundsChanged() override;
  void VisibleChanged() override;
  void ParentChanged() override;
  void Invalidate() override;
  void FormChanged() override;
  void FocusChanged() override;

 private:
  /// A tool window is titled with its control's caption, as the window manager lists it.
  void TitleToolWindow();
  /// Puts the widget under parentWidget (the widget of the control's parent), or makes it a tool
  /// window over parentWidget's window when the control floats.
  void Reparent(QWidget* parentWidget);
  bool IsToolWindow() const;
  void ApplyVisibility();
  TControl& FControl;
  TQtControlWidget* FWidget;  // owned; deleted later when the control goes away inside its event
};

/// The peer of a control when it is one of this backend's, else nil.
TQtPeer* QtPeerOf(const TControl& control);
/// Whether the control is a dockable window floating under a parent: a tool window of its own.
bool IsFloatingWindow(const TControl& control);
