/// @file
/// The seam through which a native backend draws the toolkit's controls. The toolkit stays
/// complete without one: a backend installs a peer factory, asks for the peer of the window it
/// shows, and from then on hears of every change it must draw. Positions and sizes are always the
/// toolkit's; a peer follows them and never decides them.
#pragma once
#pragma GCC visibility push(default)

#include <functional>
#include <memory>

class TControl;

/// The native side of one control. The control owns its peer and destroys it first when it is
/// destroyed itself, so a peer never outlives its control.
class TControlPeer {
 public:
  TControlPeer() = default;
  TControlPeer(const TControlPeer&) = delete;
  TControlPeer& operator=(const TControlPeer&) = delete;
  virtual ~TControlPeer();

  /// Left, Top, Width or Height changed.
  virtual void BoundsChanged() {}
  virtual void VisibleChanged() {}
  /// The parent changed, or the control's place among its siblings.
  virtual void ParentChanged() {}
  /// Anything else that changes what the control looks like: its text, font, colour, state,
  /// items, panels or parts.
  virtual void Invalidate() {}
  /// A form's drag outline appeared, moved or went, or its minimum size changed (forms only).
  virtual void FormChanged() {}
  /// The control took the focus or lost it.
  virtual void FocusChanged() {}
};

/// Makes the peer of a control, or nil for a control the backend does not draw.
using TPeerFactory = std::function<std::unique_ptr<TControlPeer>(TControl& control)>;

/// Installs the backend's factory (nil uninstalls it). Controls that already have peers keep them.
void SetPeerFactory(TPeerFactory factory);
const TPeerFactory& GetPeerFactory();

#pragma GCC visibility pop
