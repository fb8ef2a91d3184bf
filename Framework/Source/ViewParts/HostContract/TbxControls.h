/// @file
/// Toolkit controls: TControl, TWinControl, window handles, actions.
#pragma once
#pragma GCC visibility push(default)

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "TbxClasses.h"
#include "TbxGraphics.h"

KOL_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom)

struct TPoint {
  int X = 0;
  int Y = 0;
};

using THandle = std::intptr_t;

/// The largest width or height that layout gives a control, and the farthest that its edges reach
/// (the native backend's widgets take no more). Text measured or sizes configured beyond it are
/// held to it, so that no sum of positions and sizes leaves the range of int.
constexpr int MaxControlExtent = 16777215;
using TNotifyEvent = std::function<void(TObject* sender)>;
using TContextPopupEvent = std::function<void(TObject* sender, TPoint mousePos, bool& handled)>;

class TWinControl;
class TBasicAction;

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
  /// Whether any control or item still follows the action.
  bool HasClients() const { return !FClients.empty(); }

 protected:
  void Change();

 private:
  friend class TTbxTestApi;  // counts the clients
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

  int GetLeft() const { return FLeft; }
  int GetTop() const { return FTop; }
  int GetWidth() const { return FWidth; }
  int GetHeight() const { return FHeight; }
  void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
  void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
  void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
  virtual void SetBounds(int left, int top, int width, int height);

  TColor GetColor() const { return FColor; }
  void SetColor(TColor color) { FColor = color; }
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

 protected:
  virtual void TextChanged() {}
  virtual void ActionChange(TBasicAction* action);
  void RequestAlign();

 private:
  TWinControl* FParent = nullptr;
  bool FVisible = true;
  bool FEnabled = true;
  TAlign FAlign = alNone;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TColor FColor = clBtnFace;
  TFont FFont;
  std::string FText, FHint;
  TActionLink FActionLink{this, [this](TBasicAction* action) { ActionChange(action); }};
};

/// A windowed control: it has a window handle and child controls. Destroying it detaches its
/// children (their Parent becomes nil); it never destroys them.
class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  THandle GetHandle() const { return FHandle; }
  int GetControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* GetControl(int index) const { return FControls.at(static_cast<size_t>(index)); }
  int IndexOfControl(const TControl* control) const;

  /// Lays the aligned child controls out in the client area: top, bottom, left and right
  /// controls take their edges in child order, a client-aligned control fills what remains.
  virtual void AlignControls();
  /// Between DisableAlign and the matching EnableAlign changes among the children are not laid
  /// out; the last EnableAlign lays them out once if any came. Removing many children is then
  /// one pass instead of one per child.
  void DisableAlign() { ++FAlignDisabled; }
  void EnableAlign();

  bool Focused() const;
  void SetFocus();

  void SetBounds(int left, int top, int width, int height) override;

 private:
  friend class TControl;
  friend class TTbxTestApi;  // reads how often the children were aligned
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void Realign();  // now, or at the last EnableAlign while alignment is disabled
  std::vector<TControl*> FControls;
  THandle FHandle;
  int FAlignCount = 0;  // how often the children were aligned
  int FAlignDisabled = 0;
  bool FAlignPending = false;
};

/// The windowed control that owns the handle, or nil.
TWinControl* FindControl(THandle handle);
/// The control that has the focus, or nil.
TWinControl* FocusedControl();

#pragma GCC visibility pop
