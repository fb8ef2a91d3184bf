#include "TbxQtAccessible.h"

#include <QAccessibleWidget>
#include <QMenu>
#include <QPointer>
#include <algorithm>
#include <functional>
#include <map>
#include <vector>

#include "TbxQt.h"
#include "TbxQtPeer.h"
#include "TbxQtWidgets.h"

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

const char* KindWord(TControlKind kind) {
  switch (kind) {
    case ckToolbar:
      return "toolbar";
    case ckDock:
      return "dock";
    case ckDockablePanel:
    case ckDockableWindow:
      return "panel";
    case ckStatusBar:
      return "status bar";
    default:
      return "area";
  }
}

QAccessibleInterface* InterfaceOf(const TControl& control) {
  QWidget* widget = PeerWidget(control);
  return widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
}

void RunAction(const std::function<void()>& action) { RunReported(action); }

TTBXStatusPanel* PanelHolding(const TControl& control) {
  const auto* bar = KindCast<TTBXCustomStatusBar>(control.GetParent());
  if (!bar) return nullptr;
  for (TTBXStatusPanel* panel : bar->Panels().Items())
    if (panel->GetControl() == &control) return panel;
  return nullptr;
}

bool HasMenu(const TTBCustomItem& item) { return item.Count() > 0 || item.Kind() == ikSubmenu; }

// The keyboard's highlight, when it is on item's toolbar.
bool KeyboardHighlights(const TTBCustomItem& item) {
  const TTBCustomToolbar* toolbar = item.GetToolbar();
  const TForm* form = toolbar ? GetParentForm(*toolbar) : nullptr;
  return form && form->ToolbarKeyboard().Highlighted() == &item;
}

class TQtAccessibleControl;

// ---------------------------------------------------------------------------------------------
// A toolbar item, of the toolbar or of one of its menus.

class TQtAccessibleItem final : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  TQtAccessibleItem(TQtToolbarWidget& toolbar, TTBCustomItem& item) : FToolbar(&toolbar), FItem(&item) {}
  TTBCustomItem* Item() const { return FItem; }

  bool isValid() const override { return FItem && FToolbar && !FToolbar->Gone(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return FToolbar ? FToolbar->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int index) const override;
  int childCount() const override { return static_cast<int>(Children().size()); }
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override;
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }
  QStringList actionNames() const override;
  void doAction(const QString& action) override;
  QStringList keyBindingsForAction(const QString& action) const override;

 private:
  std::vector<TTBCustomItem*> Children() const;
  bool OnToolbar() const { return FItem && FToolbar && FItem->GetParent() == FToolbar->Toolbar().Items(); }
  QPointer<TQtToolbarWidget> FToolbar;
  TGuard<TTBCustomItem> FItem;
};

// ---------------------------------------------------------------------------------------------
// A status panel, by its index on its bar.

class TQtAccessiblePanel final : public QAccessibleInterface {
 public:
  TQtAccessiblePanel(TQtStatusBarWidget& bar, TTBXCustomStatusBar& control, int index)
      : FBar(&bar), FControl(&control), FIndex(index) {}
  TTBXStatusPanel* Panel() const {
    return FBar && !FBar->Gone() && FControl && FIndex < FControl->Panels().Count() ? FControl->Panels().GetItem(FIndex)
                                                                                    : nullptr;
  }

  bool isValid() const override { return Panel() != nullptr; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return FBar ? FBar->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return FBar ? QAccessible::queryAccessibleInterface(FBar.data()) : nullptr;
  }
  QAccessibleInterface* child(int index) const override {
    const TTBXStatusPanel* panel = Panel();
    return index == 0 && panel && panel->GetControl() ? InterfaceOf(*panel->GetControl()) : nullptr;
  }
  int childCount() const override {
    const TTBXStatusPanel* panel = Panel();
    return panel && panel->GetControl() && PeerWidget(*panel->GetControl()) ? 1 : 0;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return childCount() == 1 && child && child == this->child(0) ? 0 : -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    QAccessibleInterface* inside = childCount() ? child(0) : nullptr;
    return inside && inside->rect().contains(x, y) ? inside : nullptr;
  }
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    const TTBXStatusPanel* panel = Panel();
    if (!panel || panel->GetBounds().Empty()) return {};
    return QRect(FBar->mapToGlobal(QPoint(panel->GetBounds().Left, panel->GetBounds().Top)),
                 QSize(panel->GetBounds().Width, panel->GetBounds().Height));
  }
  QAccessible::Role role() const override { return QAccessible::StaticText; }
  QAccessible::State state() const override {
    QAccessible::State state;
    const TTBXStatusPanel* panel = Panel();
    state.invisible = !panel || panel->GetBounds().Empty() || !FBar->isVisible();
    state.readOnly = true;
    return state;
  }

 private:
  QPointer<TQtStatusBarWidget> FBar;
  TGuard<TTBXCustomStatusBar> FControl;
  int FIndex;
};

// ---------------------------------------------------------------------------------------------
// The widget of a control's peer.

class TQtAccessibleControl final : public QAccessibleWidget {
 public:
  explicit TQtAccessibleControl(TQtControlWidget& widget) : QAccessibleWidget(&widget), FWidget(widget) {}
  ~TQtAccessibleControl() override {
    for (const auto& entry : FItems) QAccessible::deleteAccessibleInterface(entry.second);
    for (QAccessible::Id id : FPanels) QAccessible::deleteAccessibleInterface(id);
  }

  const TControl& Control() const { return FWidget.Control(); }
  bool isValid() const override { return QAccessibleWidget::isValid() && !FWidget.Gone(); }
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int index) const override {
    const std::vector<QAccessibleInterface*> children = Children();
    return index >= 0 && index < static_cast<int>(children.size()) ? children[static_cast<std::size_t>(index)]
                                                                   : nullptr;
  }
  int childCount() const override { return static_cast<int>(Children().size()); }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const std::vector<QAccessibleInterface*> children = Children();
    const auto at = std::find(children.begin(), children.end(), child);
    return at == children.end() ? -1 : static_cast<int>(at - children.begin());
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const std::vector<QAccessibleInterface*> children = Children();
    for (auto it = children.rbegin(); it != children.rend(); ++it)
      if (!(*it)->state().invisible && (*it)->rect().contains(x, y)) return *it;
    return nullptr;
  }
  QAccessibleInterface* focusChild() const override;
  QString text(QAccessible::Text t) const override;
  QAccessible::Role role() const override;
  QAccessible::State state() const override;
  QStringList actionNames() const override;
  void doAction(const QString& action) override;
  QStringList keyBindingsForAction(const QString& action) const override;

  /// The interface of an item of this toolbar, made once and kept while the item lives.
  QAccessibleInterface* ItemInterface(TTBCustomItem& item) const;
  QAccessibleInterface* PanelInterface(int index) const;

 private:
  std::vector<QAccessibleInterface*> Children() const;
  void ForgetGoneItems() const;
  TQtControlWidget& FWidget;
  mutable std::map<const TTBCustomItem*, QAccessible::Id> FItems;
  mutable std::vector<QAccessible::Id> FPanels;
};

TQtAccessibleControl* ControlInterfaceOf(const TControl& control) {
  return dynamic_cast<TQtAccessibleControl*>(InterfaceOf(control));
}

// Children in the toolkit's order: a toolbar's items (a control item by its control), a status
// bar's panels (each with the control it holds) and the controls no panel holds, and the child
// controls of every other control, floating windows among them.
std::vector<QAccessibleInterface*> TQtAccessibleControl::Children() const {
  std::vector<QAccessibleInterface*> children;
  const TControl& control = Control();
  if (const auto* toolbar = KindCast<TTBCustomToolbar>(&control)) {
    const TTBRootItem& items = *toolbar->Items();
    for (int i = 0; i < items.Count(); ++i) {
      TTBCustomItem& item = *items.GetItem(i);
      const auto* controlItem = KindCast<TTBControlItem>(&item);
      QAccessibleInterface* child =
          controlItem ? (controlItem->GetControl() ? InterfaceOf(*controlItem->GetControl()) : nullptr)
                      : ItemInterface(item);
      if (child) children.push_back(child);
    }
    return children;
  }
  const auto* windowed = KindCast<TWinControl>(&control);
  if (!windowed) return children;
  const auto* bar = KindCast<TTBXCustomStatusBar>(&control);
  if (bar)
    for (int i = 0; i < bar->Panels().Count(); ++i) children.push_back(PanelInterface(i));
  for (int i = 0; i < windowed->GetControlCount(); ++i) {
    const TControl& child = *windowed->GetControl(i);
    if (bar && PanelHolding(child)) continue;
    if (QAccessibleInterface* iface = InterfaceOf(child)) children.push_back(iface);
  }
  return children;
}

void TQtAccessibleControl::ForgetGoneItems() const {
  for (auto it = FItems.begin(); it != FItems.end();) {
    QAccessibleInterface* iface = QAccessible::accessibleInterface(it->second);
    if (iface && iface->isValid() && static_cast<TQtAccessibleItem*>(iface)->Item() == it->first) {
      ++it;
      continue;
    }
    QAccessible::deleteAccessibleInterface(it->second);
    it = FItems.erase(it);
  }
}

QAccessibleInterface* TQtAccessibleControl::ItemInterface(TTBCustomItem& item) const {
  auto* toolbar = dynamic_cast<TQtToolbarWidget*>(&FWidget);
  if (!toolbar) return nullptr;
  if (auto found = FItems.find(&item); found != FItems.end()) {
    QAccessibleInterface* iface = QAccessible::accessibleInterface(found->second);
    if (iface && iface->isValid()) return iface;
  }
  ForgetGoneItems();
  auto* iface = new TQtAccessibleItem(*toolbar, item);
  FItems[&item] = QAccessible::registerAccessibleInterface(iface);
  return iface;
}

QAccessibleInterface* TQtAccessibleControl::PanelInterface(int index) const {
  auto* barWidget = dynamic_cast<TQtStatusBarWidget*>(&FWidget);
  auto* bar = KindCast<TTBXCustomStatusBar>(const_cast<TControl*>(&Control()));
  if (!barWidget || !bar) return nullptr;
  // Panels beyond the bar's count went away: their interfaces go with them.
  while (static_cast<int>(FPanels.size()) > bar->Panels().Count()) {
    QAccessible::deleteAccessibleInterface(FPanels.back());
    FPanels.pop_back();
  }
  while (static_cast<int>(FPanels.size()) <= index)
    FPanels.push_back(QAccessible::registerAccessibleInterface(
        new TQtAccessiblePanel(*barWidget, *bar, static_cast<int>(FPanels.size()))));
  return QAccessible::accessibleInterface(FPanels[static_cast<std::size_t>(index)]);
}

// The toolkit's parent, whatever Qt's is: a floating window's widget is a tool window of the main
// window, and a control in a status panel lies in the panel.
QAccessibleInterface* TQtAccessibleControl::parent() const {
  const TControl& control = Control();
  if (const TTBXStatusPanel* panel = PanelHolding(control))
    if (TQtAccessibleControl* bar = ControlInterfaceOf(*control.GetParent()))
      return bar->PanelInterface(panel->GetIndex());
  if (control.GetParent())
    if (QAccessibleInterface* parent = InterfaceOf(*control.GetParent())) return parent;
  return QAccessibleWidget::parent();
}

QAccessibleInterface* TQtAccessibleControl::focusChild() const {
  if (const auto* toolbar = KindCast<TTBCustomToolbar>(&Control())) {
    const TForm* form = GetParentForm(*toolbar);
    if (TTBCustomItem* item = form ? form->ToolbarKeyboard().Highlighted() : nullptr)
      if (item->GetToolbar() == toolbar) return ItemInterface(*item);
  }
  return QAccessibleWidget::focusChild();
}

std::string ShownText(const TControl& control, const QWidget& widget) {
  if (const auto* text = KindCast<TTBXTextObject>(&control)) return text->GetDisplayText();
  if (control.Kind() == ckForm) return widget.windowTitle().toStdString();
  if (const auto* bar = KindCast<TTBXCustomStatusBar>(&control); bar && bar->GetSimplePanel())
    return bar->GetSimpleText();
  return control.GetText();
}

QString ControlName(const TControl& control, const QWidget& widget) {
  if (std::string text = ShownText(control, widget); !text.empty()) return Q(text);
  if (!control.GetHint().empty()) return Q(control.GetHint());
  if (const auto* dock = KindCast<TTBDock>(&control)) {
    const std::string side = EnumIdentifier(dock->GetPosition()).substr(2);
    return Q(side + " dock" + (control.GetName().empty() ? "" : " " + control.GetName()));
  }
  if (!control.GetName().empty()) return Q(control.GetName());
  // A control the program left without a name (a multi-dock's toolbar): by what holds it.
  const TControl* parent = control.GetParent();
  const QWidget* parentWidget = parent ? PeerWidget(*parent) : nullptr;
  const QString around = parentWidget ? ControlName(*parent, *parentWidget) : QString();
  return (around.isEmpty() ? QString() : around + " ") + KindWord(control.Kind());
}

QString TQtAccessibleControl::text(QAccessible::Text t) const {
  const TControl& control = Control();
  switch (t) {
    case QAccessible::Name:
      return ControlName(control, FWidget);
    case QAccessible::Description:
      return ShownText(control, FWidget).empty() ? QString() : Q(control.GetHint());
    case QAccessible::Accelerator: {
      const auto* text = KindCast<TTBXTextObject>(&control);
      return text && text->GetAccessKey() != vkNone ? Q(KeyStrokeName({text->GetAccessKey(), {ssAlt}})) : QString();
    }
    default:
      return QAccessibleWidget::text(t);
  }
}

QAccessible::Role TQtAccessibleControl::role() const {
  switch (Control().Kind()) {
    case ckForm:
      return QAccessible::Window;
    case ckToolbar:
      return QAccessible::ToolBar;
    case ckDockablePanel:
    case ckDockableWindow:
      return QAccessible::Pane;
    case ckDock:
      return QAccessible::Grouping;
    case ckStatusBar:
      return QAccessible::StatusBar;
    case ckCheckBox:
      return QAccessible::CheckBox;
    case ckRadioButton:
      return QAccessible::RadioButton;
    case ckLink:
      return QAccessible::Link;
    case ckLabel:
    case ckTextObject:
      return QAccessible::StaticText;
    default:
      return QAccessible::Pane;
  }
}

QAccessible::State TQtAccessibleControl::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  const TControl& control = Control();
  state.invisible = !control.GetVisible() || !FWidget.isVisible();
  state.disabled = !control.GetEnabled() || !FWidget.isEnabled();
  const auto* windowed = KindCast<TWinControl>(&control);
  const TForm* form = GetParentForm(control);
  state.focusable = windowed && windowed->GetTabStop();
  state.focused = windowed && windowed->Focused() && !(form && form->ToolbarKeyboard().Active());
  if (const auto* box = KindCast<TTBXCustomCheckBox>(&control)) {
    state.checkable = true;
    state.checked = box->GetState() == cbChecked;
    state.checkStateMixed = box->GetState() == cbGrayed;
  }
  if (const auto* button = KindCast<TTBXCustomRadioButton>(&control)) {
    state.checkable = true;
    state.checked = button->GetChecked();
  }
  return state;
}

QStringList TQtAccessibleControl::actionNames() const {
  const TControl& control = Control();
  if (control.Kind() == ckCheckBox) return {toggleAction()};
  if (KindCast<TTBXTextObject>(&control) && (control.OnClick || control.GetAction())) return {pressAction()};
  return {};
}

void TQtAccessibleControl::doAction(const QString& action) {
  if (!actionNames().contains(action)) return;
  TControl* control = &FWidget.Control();
  RunAction([control] { control->Click(); });
}

QStringList TQtAccessibleControl::keyBindingsForAction(const QString& action) const {
  const QString key = text(QAccessible::Accelerator);
  return actionNames().contains(action) && !key.isEmpty() ? QStringList{key} : QStringList{};
}

// ---------------------------------------------------------------------------------------------

QString TQtAccessiblePanel::text(QAccessible::Text t) const {
  const TTBXStatusPanel* panel = Panel();
  if (!panel) return {};
  if (t == QAccessible::Description) return Q(panel->GetHint());
  if (t != QAccessible::Name) return {};
  if (!panel->GetDisplayText().empty()) return Q(panel->GetDisplayText());
  if (!panel->GetHint().empty()) return Q(panel->GetHint());
  if (const TControl* control = panel->GetControl(); control && PeerWidget(*control))
    return ControlName(*control, *PeerWidget(*control));
  const std::string name = panel->GetDisplayName();
  return Q(name.empty() ? "panel " + std::to_string(FIndex + 1) : name);
}

// ---------------------------------------------------------------------------------------------

std::vector<TTBCustomItem*> TQtAccessibleItem::Children() const {
  std::vector<TTBCustomItem*> children;
  if (!FItem) return children;
  for (int i = 0; i < FItem->Count(); ++i)
    if (FItem->GetItem(i)->Kind() != ikControl) children.push_back(FItem->GetItem(i));
  return children;
}

QAccessibleInterface* TQtAccessibleItem::parent() const {
  if (!isValid()) return nullptr;
  TQtAccessibleControl* toolbar = ControlInterfaceOf(FToolbar->Toolbar());
  if (!toolbar || OnToolbar()) return toolbar;
  return FItem->GetParent() ? toolbar->ItemInterface(*FItem->GetParent()) : nullptr;
}

QAccessibleInterface* TQtAccessibleItem::child(int index) const {
  const std::vector<TTBCustomItem*> children = Children();
  TQtAccessibleControl* toolbar = FToolbar ? ControlInterfaceOf(FToolbar->Toolbar()) : nullptr;
  if (!toolbar || index < 0 || index >= static_cast<int>(children.size())) return nullptr;
  return toolbar->ItemInterface(*children[static_cast<std::size_t>(index)]);
}

int TQtAccessibleItem::indexOfChild(const QAccessibleInterface* child) const {
  for (int i = 0; i < childCount(); ++i)
    if (this->child(i) == child) return i;
  return -1;
}

QAccessibleInterface* TQtAccessibleItem::childAt(int x, int y) const {
  for (int i = 0; i < childCount(); ++i)
    if (QAccessibleInterface* c = child(i); c && !c->state().invisible && c->rect().contains(x, y)) return c;
  return nullptr;
}

QString TQtAccessibleItem::text(QAccessible::Text t) const {
  if (!FItem) return {};
  const std::string hint = ItemHint(*FItem);
  const std::string caption = StripAccessKeys(FItem->GetCaption());
  switch (t) {
    case QAccessible::Name:
      if (FItem->Kind() == ikSeparator) return QStringLiteral("separator");
      if (!caption.empty()) return Q(caption);
      if (!hint.empty()) return Q(hint);
      return Q(FItem->GetName().empty() ? "item " + std::to_string(FItem->GetParent()->IndexOf(FItem) + 1)
                                        : FItem->GetName());
    case QAccessible::Description:
      return caption.empty() ? QString() : Q(hint);
    case QAccessible::Accelerator: {
      const TKey key = ParseAccessKey(FItem->GetCaption()).Key;
      return key == vkNone ? QString() : Q(KeyStrokeName({key, {ssAlt}}));
    }
    default:
      return {};
  }
}

// On the toolbar at the item's bounds; in a menu where the open menu shows its entry, else nowhere.
QRect TQtAccessibleItem::rect() const {
  if (!isValid()) return {};
  if (OnToolbar()) {
    const TRect bounds = FItem->GetBounds();
    return bounds.Empty()
               ? QRect()
               : QRect(FToolbar->mapToGlobal(QPoint(bounds.Left, bounds.Top)), QSize(bounds.Width, bounds.Height));
  }
  for (QMenu* menu : FToolbar->findChildren<QMenu*>()) {
    if (!menu->isVisible()) continue;
    for (QAction* action : menu->actions())
      if (action->property("nuvItem").value<void*>() &&
          static_cast<TGuard<TTBCustomItem>*>(action->property("nuvItem").value<void*>())->get() == FItem.get())
        return QRect(menu->mapToGlobal(menu->actionGeometry(action).topLeft()), menu->actionGeometry(action).size());
  }
  return {};
}

QAccessible::Role TQtAccessibleItem::role() const {
  if (!FItem) return QAccessible::NoRole;
  if (FItem->Kind() == ikSeparator) return QAccessible::Separator;
  if (!OnToolbar()) return QAccessible::MenuItem;
  return HasMenu(*FItem) ? QAccessible::ButtonMenu : QAccessible::PushButton;
}

QAccessible::State TQtAccessibleItem::state() const {
  QAccessible::State state;
  if (!isValid()) {
    state.invalid = true;
    return state;
  }
  state.invisible = rect().isEmpty() || !FItem->GetVisible();
  state.disabled = !FItem->GetEnabled();
  state.focusable = FItem->Kind() != ikSeparator;
  state.focused = KeyboardHighlights(*FItem);
  state.hasPopup = HasMenu(*FItem);
  if (const auto* toggle = KindCast<TTBXVisibilityToggleItem>(FItem.get())) {
    state.checkable = true;
    state.checked = toggle->GetChecked();
    state.pressed = toggle->GetChecked();
  }
  return state;
}

QStringList TQtAccessibleItem::actionNames() const {
  if (!FItem || FItem->Kind() == ikSeparator) return {};
  if (HasMenu(*FItem)) return {showMenuAction()};
  if (FItem->Kind() == ikVisibilityToggle) return {toggleAction(), pressAction()};
  return {pressAction()};
}

// Press and toggle click the item; show menu opens it on the keyboard, where the keys walk it.
void TQtAccessibleItem::doAction(const QString& action) {
  if (!isValid() || !actionNames().contains(action)) return;
  TTBCustomItem* item = FItem;
  if (action != showMenuAction()) {
    RunAction([item] { item->Click(); });
    return;
  }
  TTBCustomToolbar* toolbar = &FToolbar->Toolbar();
  TForm* form = GetParentForm(*toolbar);
  if (!form) return;
  RunAction([form, toolbar, item] {
    TToolbarKeyboard& keyboard = form->ToolbarKeyboard();
    if (!keyboard.Enter(toolbar)) return;
    keyboard.Highlight(*item);
    keyboard.OpenMenu();
  });
}

QStringList TQtAccessibleItem::keyBindingsForAction(const QString& action) const {
  const QString key = text(QAccessible::Accelerator);
  return actionNames().contains(action) && !key.isEmpty() ? QStringList{key} : QStringList{};
}

// The states an assistive technology is told of when they change, as bits.
constexpr unsigned KChecked = 1, KMixed = 2, KDisabled = 4, KInvisible = 8;

unsigned AnnouncedBits(const QAccessible::State& state) {
  return (state.checked ? KChecked : 0u) | (state.checkStateMixed ? KMixed : 0u) | (state.disabled ? KDisabled : 0u) |
         (state.invisible ? KInvisible : 0u);
}

QAccessible::State StateOfBits(unsigned bits) {
  QAccessible::State state;
  state.checked = (bits & KChecked) != 0;
  state.checkStateMixed = (bits & KMixed) != 0;
  state.disabled = (bits & KDisabled) != 0;
  state.invisible = (bits & KInvisible) != 0;
  return state;
}

QAccessibleInterface* Factory(const QString&, QObject* object) {
  auto* widget = dynamic_cast<TQtControlWidget*>(object);
  if (!widget || widget->Gone()) return nullptr;
  auto* iface = new TQtAccessibleControl(*widget);
  // The state from which changes are announced.
  widget->setProperty("nuvAnnouncedState", QVariant::fromValue(AnnouncedBits(iface->state())));
  return iface;
}

}  // namespace

void InstallAccessibility() {
  static const bool installed = (QAccessible::installFactory(Factory), true);
  (void)installed;
}

void AnnounceFocus(QWidget& widget) {
  if (!QAccessible::isActive()) return;
  QAccessibleEvent event(&widget, QAccessible::Focus);
  QAccessible::updateAccessibility(&event);
}

// The last state announced is kept on the widget; only what changed since is announced.
void AnnounceStateChange(QWidget& widget) {
  if (!QAccessible::isActive()) return;
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&widget);
  if (!iface) return;
  const unsigned now = AnnouncedBits(iface->state());
  const QVariant before = widget.property("nuvAnnouncedState");
  widget.setProperty("nuvAnnouncedState", QVariant::fromValue(now));
  if (!before.isValid() || before.value<unsigned>() == now) return;
  QAccessibleStateChangeEvent event(&widget, StateOfBits(now ^ before.value<unsigned>()));
  QAccessible::updateAccessibility(&event);
}

void AnnounceKeyboardFocus(const TForm& form) {
  if (!QAccessible::isActive()) return;
  const TToolbarKeyboard& keyboard = form.ToolbarKeyboard();
  if (TTBCustomItem* item = keyboard.Highlighted()) {
    if (TQtAccessibleControl* toolbar = ControlInterfaceOf(*keyboard.Toolbar()))
      if (QAccessibleInterface* iface = toolbar->ItemInterface(*item)) {
        QAccessibleEvent event(iface, QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
      }
    return;
  }
  if (const TWinControl* focused = form.FocusedInForm())
    if (QWidget* widget = PeerWidget(*focused)) AnnounceFocus(*widget);
}
