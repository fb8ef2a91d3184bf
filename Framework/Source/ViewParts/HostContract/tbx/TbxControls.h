/// @file
/// Toolkit controls: TControl, TWinControl, window handles, actions.
#pragma once
#pragma GCC visibility push(default)

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "KolExceptions.h"
#include "TbxClasses.h"
#include "TbxGeometry.h"
#include "TbxGraphics.h"
#include "TbxKeyboard.h"

KOL_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom)

/// What kind of control a control is, for code that handles every kind (a native backend, a dump,
/// a script): each class that brings a kind answers it (TControl::Kind), and a subclass that brings
/// none, a plug-in's own among them, answers its base's.
KOL_ENUM(TControlKind, ckControl, ckWinControl, ckTextObject, ckLabel, ckRadioButton, ckCheckBox, ckLink, ckStatusBar,
         ckDock, ckDockableWindow, ckDockablePanel, ckToolbar, ckForm)

/// The kind a kind's class derives from: a label's is a text object's, a toolbar's a dockable
/// window's; ckControl's is itself.
constexpr TControlKind BaseKind(TControlKind kind) {
  switch (kind) {
    case ckControl:
    case ckWinControl:
      return ckControl;
    case ckTextObject:
    case ckStatusBar:
    case ckDock:
    case ckDockableWindow:
    case ckForm:
      return ckWinControl;
    case ckLabel:
    case ckRadioButton:
    case ckCheckBox:
    case ckLink:
      return ckTextObject;
    case ckDockablePanel:
    case ckToolbar:
      return ckDockableWindow;
  }
  return ckControl;
}

/// Whether a control of kind is also one of base: a label is a text object, every control a control.
constexpr bool IsKindOf(TControlKind kind, TControlKind base) {
  for (; kind != base; kind = BaseKind(kind))
    if (kind == ckControl) return false;
  return true;
}

using THandle = std::intptr_t;

using TNotifyEvent = std::function<void(TObject* sender)>;
using TContextPopupEvent = std::function<void(TObject* sender, TPoint mousePos, bool& handled)>;

class TWinControl;
class TBasicAction;
class TTBDock;
class TTBCustomDockableWindow;
class TControlPeer;

/// Actions: a command that controls and items run when clicked. Clients follow the action's
/// caption, hint, enabled and visible state.
class TBasicAction : public TComponent, private TFreeNotifySink {
 public:
  explicit TBasicAction(TComponent* owner);
  ~TBasicAction() override;
  /// Runs OnExecute; false when there is none.
  virtual bool Execute();
  TNotifyEvent OnExecute;

  /// A client hears of every change of the action until it is removed or destroyed.
  void AddClient(TComponent* client, std::function<void()> changed);
  void RemoveClient(TComponent* client);
  /// Whether any control or item still follows the action, and how many do.
  bool HasClients() const { return !FClients.empty(); }
  int ClientCount() const { return static_cast<int>(FClients.size()); }

 protected:
  void Change();

 private:
  void ComponentFreed(TComponent* component) override;
  struct TClient {
    TComponent* Component;
    std::function<void()> Changed;
  };
  std::vector<TClient> FClients;
};

class TCustomAction : public TBasicAction {
 public:
  explicit TCustomAction(TComponent* owner);
  ~TCustomAction() override;
  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& caption);
  const std::string& GetHint() const { return FHint; }
  void SetHint(const std::string& hint);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool visible);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int index);
  /// Disabled actions do not execute.
  bool Execute() override;

 private:
  std::string FCaption, FHint;
  bool FVisible = true;
  bool FEnabled = true;
  int FImageIndex = -1;
};

/// Ties a client (a control or an item) to its action: the client hears of every change of the
/// action, and the link forgets an action that is destroyed. A destroyed client leaves the action's
/// clients by free notification.
class TActionLink {
 public:
  TActionLink(TComponent* client, std::function<void(TBasicAction*)> changed)
      : FClient(client), FChanged(std::move(changed)) {}
  TBasicAction* GetAction() const { return FAction; }
  /// Leaves the previous action, follows the new one and takes its state at once.
  void SetAction(TBasicAction* action);
  /// Runs the action; false when there is none.
  bool Execute();

 private:
  TComponent* FClient;
  std::function<void(TBasicAction*)> FChanged;
  TGuard<TBasicAction> FAction;
};

/// A control: a rectangle of its parent with a text, a font, a colour and events.
///
/// Geometry: Left and Top are relative to the top-left corner of the parent's client area, the
/// part of the parent inside its frame or caption where children lie (GetClientRect, in the
/// parent's own coordinates). A control's size is decided by whoever
/// lays it out: its parent's alignment, a container's own rules (docks, toolbars, status panels,
/// stack panels), or, for controls that size themselves (AutoSize), the control in the
/// dimensions its alignment leaves free.
class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* GetParent() const { return FParent; }
  virtual void SetParent(TWinControl* parent);

  bool GetVisible() const { return FVisible; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool enabled);

  TAlign GetAlign() const { return FAlign; }
  /// Always asks the parent to align its controls anew, also for the current value.
  void SetAlign(TAlign align);
  /// Whether the parent lays the control out by its alignment (any but alNone and alCustom).
  bool IsAligned() const { return FAlign != alNone && FAlign != alCustom; }

  int GetLeft() const { return FLeft; }
  int GetTop() const { return FTop; }
  int GetWidth() const { return FWidth; }
  int GetHeight() const { return FHeight; }
  TRect GetBoundsRect() const { return {FLeft, FTop, FWidth, FHeight}; }
  void SetLeft(int v) { SetBoundsGiving(v, FTop, FWidth, FHeight, {false, false}); }
  void SetTop(int v) { SetBoundsGiving(FLeft, v, FWidth, FHeight, {false, false}); }
  void SetWidth(int v) { SetBoundsGiving(FLeft, FTop, v, FHeight, {true, false}); }
  void SetHeight(int v) { SetBoundsGiving(FLeft, FTop, FWidth, v, {false, true}); }
  /// A negative width or height is taken as 0. When the size changes other than by the parent's
  /// own layout, the parent lays its children out anew. Called directly, it gives both
  /// dimensions of the size (see GivenSize).
  virtual void SetBounds(int left, int top, int width, int height);
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width, r.Height); }
  /// The rectangle in the coordinates of the outermost parent (the window), which is where a
  /// picture of the whole window draws it.
  TRect GetWindowRect() const;

  /// The size the control would take by itself; a text that wraps wraps at maxWidth.
  virtual TSize GetPreferredSize(int maxWidth = KNoWidthLimit) const;
  /// Whether the control takes its preferred size in the dimensions its alignment leaves free.
  virtual bool GetAutoSizing() const { return false; }
  /// The control's kind (see TControlKind); KindCast reads it.
  static constexpr TControlKind ClassKind = ckControl;
  virtual TControlKind Kind() const { return ClassKind; }
  /// The control as a dockable window, or nil. Docks and stacks ask this of every child at every
  /// layout; the control answers for itself, which costs a fraction of a type test.
  virtual const TTBCustomDockableWindow* AsDockableWindow() const { return nullptr; }
  TTBCustomDockableWindow* AsDockableWindow() {
    return const_cast<TTBCustomDockableWindow*>(std::as_const(*this).AsDockableWindow());
  }
  /// Whether the parent is laying this control out at this moment.
  bool IsBeingPlaced() const;

  TColor GetColor() const { return FColor; }
  void SetColor(TColor color);
  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }
  /// The control's text (its caption).
  const std::string& GetText() const { return FText; }
  void SetText(const std::string& text);
  const std::string& GetHint() const { return FHint; }
  void SetHint(const std::string& hint) { FHint = hint; }

  /// The action that handles clicks (not owned); the control follows its caption, hint, enabled
  /// and visible state.
  TBasicAction* GetAction() const { return FActionLink.GetAction(); }
  void SetAction(TBasicAction* action) { FActionLink.SetAction(action); }

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TContextPopupEvent OnContextPopup;

  /// Click runs OnClick when it is assigned, otherwise the action.
  virtual void Click();
  virtual void DblClick();
  /// Asks for the context menu at mousePos; handled comes back true when a handler took it.
  void ContextPopup(TPoint mousePos, bool& handled);

  /// The native peer that draws this control, or nil: a backend asks for it (CreatePeer) when it
  /// shows the control, and every control placed under a control with a peer gets one too.
  TControlPeer* GetPeer() const { return FPeer.get(); }
  void CreatePeer();

 protected:
  virtual void TextChanged();
  virtual void FontChanged();
  virtual void ActionChange(TBasicAction* action);
  void RequestAlign();
  /// The preferred size may have changed: an auto-sizing control takes it in its free
  /// dimensions, and the parent hears of it.
  void AdjustSize();
  /// An auto-sizing control that nobody places takes its preferred size.
  void TakePreferredSize();
  /// What the destructor does, for the destructor of a control that its parent places by its
  /// kind (a dock its windows): the control lets its watchers and its peer go and leaves the
  /// parent while it is still of that kind, so that the parent lays out the rest at once.
  void LeaveParentWhileDestroyed();
  /// Tells the peer, if there is one; the toolkit calls this for every change a peer draws.
  template <class F>
  void NotifyPeer(F&& notify) const {
    if (FPeer) notify(*FPeer);
  }
  virtual void PeerCreated() {}
  /// The width or the height changed; windowed controls lay their children out anew.
  virtual void Resized() {}

  /// Which dimensions of the size the caller of the running SetBounds asked for: SetWidth gives
  /// the width, SetHeight the height, SetBounds both, and moves and the control's own sizing
  /// none. A control that remembers sizes asked for (a docked panel) keeps only those.
  struct TGivenSize {
    bool Width = true;
    bool Height = true;
  };
  const TGivenSize& GivenSize() const { return FGivenSize; }
  void SetBoundsGiving(int left, int top, int width, int height, TGivenSize given);

 private:
  friend class TWinControl;
  TWinControl* FParent = nullptr;
  bool FVisible = true;
  bool FEnabled = true;
  TAlign FAlign = alNone;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  bool FPlacedPosition = false;  // Left and Top are where the parent's layout put the control
  TGivenSize FGivenSize;
  TColor FColor = clBtnFace;
  TFont FFont;
  std::string FText, FHint;
  TActionLink FActionLink{this, [this](TBasicAction* action) { ActionChange(action); }};
  std::unique_ptr<TControlPeer> FPeer;
};

/// A windowed control: it has a window handle and child controls. Destroying it detaches its
/// children (their Parent becomes nil); it never destroys them.
class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  static constexpr TControlKind ClassKind = ckWinControl;
  TControlKind Kind() const override { return ClassKind; }
  THandle GetHandle() const { return FHandle; }
  /// The control as a dock, or nil: what a dockable window asks of its parent at every layout.
  virtual TTBDock* AsDock() { return nullptr; }
  int GetControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* GetControl(int index) const { return FControls.at(static_cast<size_t>(index)); }
  int IndexOfControl(const TControl* control) const;

  /// Where the children lie, in this control's coordinates: the whole control unless a subclass
  /// draws a frame or a caption around them. The children's Left and Top count from its corner.
  virtual TRect GetClientRect() const { return {0, 0, GetWidth(), GetHeight()}; }
  /// The client area in the children's coordinates: its corner is 0, 0.
  TRect GetClientArea() const {
    const TRect client = GetClientRect();
    return {0, 0, client.Width, client.Height};
  }

  /// Lays the children out in the client rectangle: top, bottom, left and right controls take
  /// their edges in child order, a client-aligned control fills what remains. Subclasses with
  /// rules of their own (docks, toolbars, status bars, stack panels) override it.
  virtual void AlignControls();
  /// Lays the children out now, or at the last EnableAlign while alignment is disabled. A request
  /// that comes while the children are being laid out makes the pass run once more.
  void Realign();
  /// Between DisableAlign and the matching EnableAlign changes among the children are not laid
  /// out; the last EnableAlign lays them out once if any came. Removing many children is then
  /// one pass instead of one per child.
  void DisableAlign() { ++FAlignDisabled; }
  void EnableAlign();
  bool IsAligning() const { return FAligning; }

  /// While one lives, the containers that lay themselves out at every child that comes, goes or
  /// changes (toolbars and docks) wait instead, and each is laid out once when the outermost one
  /// ends, in the order they first asked: N children placed into one toolbar, and their captions
  /// shown, then cost one layout of it instead of 2N layouts of up to N items.
  /// An error that a layout raises at the end wins, unless one is already on its way.
  class TDeferLayouts {
   public:
    TDeferLayouts();
    TDeferLayouts(const TDeferLayouts&) = delete;
    TDeferLayouts& operator=(const TDeferLayouts&) = delete;

   private:
    static void End();
    TScopeExit<void (*)()> FEnd{&End};
  };

  /// Whether the control has the focus; SetFocus gives it, telling the control that loses it, the
  /// one that takes it (their peers) and the form they lie in.
  bool Focused() const;
  void SetFocus();
  /// Whether Tab reaches the control (check boxes, radio buttons and links do).
  bool GetTabStop() const { return FTabStop; }
  void SetTabStop(bool tabStop) { FTabStop = tabStop; }
  /// Whether the control can take the focus now: it and every control around it show and are
  /// enabled.
  bool CanFocus() const;
  /// A key pressed while the control has the focus; true when it took the key. The form offers
  /// it the keys that it does not take itself (Tab, Alt and access keys).
  virtual bool KeyDown(TKey /*key*/, TShiftState /*shift*/) { return false; }

 protected:
  void Resized() override;
  /// Whether this control decides the child's bounds: by default the aligned children.
  virtual bool PlacesChild(const TControl& child) const;
  /// A child changed its size or visibility by itself; by default a child this control places
  /// makes it lay its children out anew.
  virtual void ChildChanged(TControl& child);
  /// A child this control placed left it (it is no longer among the children); by default the
  /// rest are laid out anew.
  virtual void PlacedChildRemoved(TControl& child);
  /// Sets the child's bounds as this control's layout decides them.
  void PlaceChild(TControl& child, const TRect& bounds);
  /// Aligns the aligned children inside area and returns what they leave free, without the
  /// client-aligned ones, which a subclass may place in the end (see TStackPanel).
  TRect AlignEdges(TRect area);
  void AlignClient(const TRect& free);
  const TEitherEndList<TControl*>& Controls() const { return FControls; }
  /// Inside TDeferLayouts: lists this control for LayOutDeferred at the end (once) and returns
  /// true; outside, false.
  bool DeferLayout();
  /// What a control that deferred its layout does at the end of TDeferLayouts.
  virtual void LayOutDeferred() { Realign(); }
  /// Whether a layout asked for now would wait: inside DisableAlign or a layout pass.
  bool LayoutDeferred() const { return FAlignDisabled > 0 || FAligning; }
  /// Changes with every child that comes or goes: a layout that places children one by one, whose
  /// handlers may add or destroy children, sees that the list it walks changed.
  unsigned ChildrenVersion() const { return FChildrenVersion; }

 private:
  friend class TControl;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void AlignChanged(TControl& control);
  void PeerCreated() override;
  static void LayOutAllDeferred();
  TEitherEndList<TControl*> FControls;
  std::vector<TControl*> FAligned;  // the children with an edge or client alignment, in child order
  THandle FHandle;
  const TControl* FPlacing = nullptr;
  int FAlignDisabled = 0;
  unsigned FChildrenVersion = 0;
  bool FAlignPending = false;
  bool FAligning = false;
  bool FLayoutDeferred = false;  // listed for the end of TDeferLayouts
  bool FTabStop = false;
};

/// The control as a T, or nil, from its kind alone: what a type test would answer. T is a class
/// that brings a kind of its own (it declares Kind), such as TWinControl or TTBCustomToolbar.
template <class T>
T* KindCast(TControl* control) {
  static_assert(std::is_same_v<decltype(&T::Kind), TControlKind (T::*)() const>, "T brings no kind of its own");
  return control && IsKindOf(control->Kind(), T::ClassKind) ? static_cast<T*>(control) : nullptr;
}
template <class T>
const T* KindCast(const TControl* control) {
  return KindCast<T>(const_cast<TControl*>(control));
}

/// The windowed control that owns the handle, or nil.
TWinControl* FindControl(THandle handle);
/// The control that has the focus, or nil.
TWinControl* FocusedControl();

#pragma GCC visibility pop
