// What the peers tell Qt's accessibility layer (and through it AT-SPI): each control's role, name,
// state and actions, with toolbar items and status panels as child elements, and the focus and
// state changes as they happen. Interfaces are made on demand, when an assistive technology (or
// the runner's --accessibility) asks for them.
#pragma once

class QWidget;
class TForm;

/// Installs the factory of the peers' interfaces (once; every later call does nothing).
void InstallAccessibility();
/// The peer's control took the focus: an assistive technology announces it.
void AnnounceFocus(QWidget& widget);
/// The peer's control may have changed its state (checked, mixed, disabled, invisible): a change
/// since the last announcement is announced.
void AnnounceStateChange(QWidget& widget);
/// The keyboard on the form's toolbars moved: the highlighted item has the focus, or, once the
/// keyboard left, the focused control again.
void AnnounceKeyboardFocus(const TForm& form);
