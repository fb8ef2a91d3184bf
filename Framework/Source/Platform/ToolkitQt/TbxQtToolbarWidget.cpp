// Toolbars: their items drawn as tool buttons at the toolkit's item bounds, clicks hit-tested on
// those bounds, and submenus as real menus.
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionToolButton>
#include <memory>

#include "TbxQtPaint.h"
#include "TbxQtWidgets.h"

namespace {

bool IsSeparator(const TTBCustomItem& item) { return item.Kind() == ikSeparator; }
bool IsControlItem(const TTBCustomItem& item) { return item.Kind() == ikControl; }
bool HasMenu(const TTBCustomItem& item) { return item.Count() > 0 || item.Kind() == ikSubmenu; }
bool IsChecked(const TTBCustomItem& item) {
  const auto* toggle = KindCast<TTBXVisibilityToggleItem>(&item);
  return toggle && toggle->GetChecked();
}

// A menu entry knows its item through a guard that lives as long as the entry.
void SetActionItem(QAction& action, TGuard<TTBCustomItem>& item) {
  action.setProperty("nuvItem", QVariant::fromValue(static_cast<void*>(&item)));
}

TTBCustomItem* ActionItem(const QAction* action) {
  void* item = action ? action->property("nuvItem").value<void*>() : nullptr;
  return item ? static_cast<TGuard<TTBCustomItem>*>(item)->get() : nullptr;
}

QAction* ActionOfItem(const QMenu& menu, const TTBCustomItem* item) {
  for (QAction* action : menu.actions())
    if (item && ActionItem(action) == item) return action;
  return nullptr;
}

TToolbarKeyboard* KeyboardOf(const TTBCustomToolbar& toolbar) {
  TForm* form = GetParentForm(toolbar);
  return form ? &form->ToolbarKeyboard() : nullptr;
}

}  // namespace

std::string ItemHint(const TTBCustomItem& item) {
  if (!item.GetHint().empty()) return item.GetHint();
  const auto* action = dynamic_cast<const TCustomAction*>(item.GetAction());
  return action ? action->GetHint() : std::string();
}

TQtToolbarWidget::TQtToolbarWidget(TTBCustomToolbar& toolbar, QWidget* parent)
    : TQtDockableWidget(toolbar, parent), FToolbar(toolbar) {
  setMouseTracking(true);
}

void TQtToolbarWidget::Paint(QPainter& painter) {
  TQtDockableWidget::Paint(painter);
  const TTBRootItem& items = *FToolbar.Items();
  for (int i = 0; i < items.Count(); ++i) {
    const TTBCustomItem& item = *items.GetItem(i);
    if (item.GetVisible() && !item.GetBounds().Empty()) PaintItem(painter, item);
  }
}

void TQtToolbarWidget::PaintItem(QPainter& painter, const TTBCustomItem& item) {
  const TRect bounds = item.GetBounds();
  if (IsControlItem(item)) return;  // the control draws itself there
  if (IsSeparator(item)) {
    QStyleOption separator;
    separator.initFrom(this);
    separator.rect = ToQRect(bounds);
    if (!FToolbar.IsVertical()) separator.state |= QStyle::State_Horizontal;
    style()->drawPrimitive(QStyle::PE_IndicatorToolBarSeparator, &separator, &painter, this);
    return;
  }
  QStyleOptionToolButton button;
  button.initFrom(this);
  button.rect = ToQRect(bounds);
  button.state = (button.state & ~(QStyle::State_HasFocus | QStyle::State_MouseOver)) | QStyle::State_AutoRaise;
  if (!item.GetEnabled()) button.state &= ~QStyle::State_Enabled;
  const bool hot = (FHot.get() == &item || KeyboardItem() == &item) && item.GetEnabled();
  if (hot) button.state |= QStyle::State_MouseOver | QStyle::State_Raised;
  if (FPressed.get() == &item) button.state |= QStyle::State_Sunken;
  if (IsChecked(item)) button.state |= QStyle::State_On | QStyle::State_Sunken;
  if (hot || button.state & (QStyle::State_Sunken | QStyle::State_On))
    style()->drawPrimitive(QStyle::PE_PanelButtonTool, &button, &painter, this);

  const TTBItemParts parts = FToolbar.GetItemParts(item);
  if (FToolbar.ShowsImage(item)) DrawImage(painter, FToolbar.GetImages(), item.GetImageIndex(), parts.Image);
  if (!parts.Caption.Empty()) {
    TFont font;
    FToolbar.ItemFont(item, font);
    const TColor color = item.GetEnabled() ? (font.GetColor() == clDefault ? clBtnText : font.GetColor()) : clGrayText;
    DrawCaptionLine(painter, font, parts.Caption, item.GetCaption(), taLeftJustify, color);
  }
  if (!parts.Arrow.Empty()) {
    QStyleOption arrow;
    arrow.initFrom(this);
    arrow.rect = ToQRect(parts.Arrow);
    style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &painter, this);
  }
}

bool TQtToolbarWidget::Press(TPoint point) {
  if (TQtDockableWidget::Press(point)) return true;
  TTBCustomItem* item = FToolbar.ItemAt(point);
  if (!item || !item->GetEnabled() || IsSeparator(*item) || IsControlItem(*item)) return false;
  if (HasMenu(*item)) {
    OpenMenu(*item);
    return true;
  }
  FPressed = item;
  update();
  return true;
}

void TQtToolbarWidget::Release(TPoint point) {
  TTBCustomItem* pressed = FPressed;
  if (!pressed) {
    QPointer<QWidget> self(this);
    TQtDockableWidget::Release(point);
    // A drag may have moved the toolbar away from under the pointer: only what is under it is hot.
    if (!self.isNull() && !Gone()) UpdateHot(mapFromGlobal(QCursor::pos()));
    return;
  }
  FPressed = nullptr;
  update();
  // A button clicks when the press and the release are both on it.
  if (FToolbar.ItemAt(point) == pressed) Survives([&] { pressed->Click(); });
}

// A click between the items is the toolbar's own.
void TQtToolbarWidget::Click(TPoint point) {
  if (!FToolbar.ItemAt(point)) TQtDockableWidget::Click(point);
}

void TQtToolbarWidget::mouseMoveEvent(QMouseEvent* event) {
  // While the toolbar itself is dragged no button is hot.
  UpdateHot(Docking() ? QPoint(-1, -1) : event->position().toPoint());
  TQtDockableWidget::mouseMoveEvent(event);
}

void TQtToolbarWidget::UpdateHot(QPoint point) {
  TTBCustomItem* hot = rect().contains(point) ? FToolbar.ItemAt(ToTPoint(point)) : nullptr;
  if (hot == FHot.get()) return;
  FHot = hot;
  update();
}

void TQtToolbarWidget::leaveEvent(QEvent* event) {
  FHot = nullptr;
  update();
  TQtDockableWidget::leaveEvent(event);
}

QMenu* TQtToolbarWidget::OpenMenu(TTBCustomItem& item) {
  QMenu* menu = NewItemMenu(item, this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  // The menu had the pointer: once it closes, only the item under the pointer now stays hot.
  QObject::connect(menu, &QMenu::aboutToHide, this, [this] {
    if (!Gone()) UpdateHot(mapFromGlobal(QCursor::pos()));
  });
  const TRect bounds = item.GetBounds();
  const QPoint at = FToolbar.IsVertical() ? QPoint(bounds.Right(), bounds.Top) : QPoint(bounds.Left, bounds.Bottom());
  menu->popup(mapToGlobal(at));
  return menu;
}

TTBCustomItem* TQtToolbarWidget::KeyboardItem() const {
  const TToolbarKeyboard* keyboard = KeyboardOf(FToolbar);
  if (!keyboard || keyboard->Toolbar() != &FToolbar) return nullptr;
  const std::vector<TTBCustomItem*> path = keyboard->Path();
  return path.empty() ? nullptr : path.front();
}

// The menu that the keyboard opened follows the toolkit's keyboard: it opens when a menu opens
// there, shows the highlighted entry, and closes when the keyboard closes it or moves on.
void TQtToolbarWidget::KeyboardChanged() {
  update();
  TToolbarKeyboard* keyboard = KeyboardOf(FToolbar);
  std::vector<TTBCustomItem*> path;
  if (keyboard && keyboard->Toolbar() == &FToolbar) path = keyboard->Path();
  if (path.size() < 2 || FKeyboardItem.get() != path[0]) {
    if (FKeyboardMenu) FKeyboardMenu->close();
    FKeyboardMenu = nullptr;
    FKeyboardItem = nullptr;
  }
  if (path.size() < 2) return;
  if (!FKeyboardMenu) {
    FKeyboardItem = path[0];
    FKeyboardMenu = OpenMenu(*path[0]);
    FollowKeyboard(*FKeyboardMenu);
  }
  QAction* highlighted = ActionOfItem(*FKeyboardMenu, path[1]);
  if (highlighted && FKeyboardMenu->activeAction() != highlighted) FKeyboardMenu->setActiveAction(highlighted);
}

void TQtToolbarWidget::FollowKeyboard(QMenu& menu) {
  menu.installEventFilter(this);
  QObject::connect(&menu, &QMenu::aboutToHide, this, [this, item = TGuard<TTBCustomItem>(FKeyboardItem.get())] {
    TToolbarKeyboard* keyboard = Gone() ? nullptr : KeyboardOf(FToolbar);
    if (!keyboard || keyboard->Toolbar() != &FToolbar) return;
    const std::vector<TTBCustomItem*> path = keyboard->Path();
    // Closed by the user (Escape, a click elsewhere), not because the keyboard moved on.
    if (path.size() > 1 && path[0] == item.get()) keyboard->CloseMenus();
  });
  QList<QMenu*> menus = menu.findChildren<QMenu*>();
  menus.prepend(&menu);
  for (QMenu* each : menus)
    QObject::connect(each, &QMenu::hovered, this, [this](QAction* action) {
      TToolbarKeyboard* keyboard = Gone() ? nullptr : KeyboardOf(FToolbar);
      TTBCustomItem* item = ActionItem(action);
      if (keyboard && item && keyboard->Toolbar() == &FToolbar) Survives([&] { keyboard->Highlight(*item); });
    });
}

// Left and Right in the keyboard's menu go on along the toolbar, as the toolkit's keyboard says.
bool TQtToolbarWidget::eventFilter(QObject* watched, QEvent* event) {
  if (watched != FKeyboardMenu.data() || event->type() != QEvent::KeyPress)
    return TQtDockableWidget::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  const QAction* active = FKeyboardMenu->activeAction();
  const bool intoSubmenu = key == Qt::Key_Right && active && active->menu();
  if ((key != Qt::Key_Left && key != Qt::Key_Right) || intoSubmenu || FToolbar.IsVertical()) return false;
  if (TForm* form = GetParentForm(FToolbar))
    Survives([&] { form->KeyDown(key == Qt::Key_Left ? vkLeft : vkRight, {}); });
  return true;
}

std::string TQtToolbarWidget::HintAt(TPoint point, TRect& area) const {
  const TTBCustomItem* item = FToolbar.ItemAt(point);
  if (!item || IsControlItem(*item)) return TQtDockableWidget::HintAt(point, area);
  area = item->GetBounds();
  return ItemHint(*item);
}

QMenu* NewItemMenu(TTBCustomItem& item, QWidget* parent) {
  auto* menu = new QMenu(parent);
  menu->setTitle(QString::fromStdString(item.GetCaption()));
  const TTBCustomToolbar* toolbar = item.GetToolbar();
  if (toolbar) menu->setFont(ToQFont(toolbar->Font()));
  for (int i = 0; i < item.Count(); ++i) {
    TTBCustomItem& sub = *item.GetItem(i);
    if (!sub.GetVisible() || IsControlItem(sub)) continue;
    if (IsSeparator(sub)) {
      menu->addSeparator();
      continue;
    }
    if (sub.Count() > 0) {
      QAction* entry = menu->addMenu(NewItemMenu(sub, menu));
      entry->setEnabled(sub.GetEnabled());
      auto opened = std::make_shared<TGuard<TTBCustomItem>>(&sub);
      SetActionItem(*entry, *opened);
      // The guard lives as long as the entry does.
      QObject::connect(entry, &QObject::destroyed, [opened] {});
      continue;
    }
    QAction* action = menu->addAction(QString::fromStdString(sub.GetCaption()));
    action->setEnabled(sub.GetEnabled());
    action->setObjectName(QString::fromStdString(sub.GetCaption()));
    if (toolbar && toolbar->ShowsImage(sub))
      action->setIcon(QIcon(ImagePixmap(toolbar->GetImages(), sub.GetImageIndex())));
    // The item may be gone by the time the user picks it: the guard forgets it then. Picking it
    // ends the keyboard's walk of the menus before the item runs, as Enter does.
    auto picked = std::make_shared<TGuard<TTBCustomItem>>(&sub);
    SetActionItem(*action, *picked);
    QObject::connect(action, &QAction::triggered, [picked] {
      if (TTBCustomItem* target = *picked)
        RunReported([target, picked] {
          if (TForm* form = target->GetToolbar() ? GetParentForm(*target->GetToolbar()) : nullptr)
            form->ToolbarKeyboard().Leave();
          if (TTBCustomItem* still = *picked) still->Click();
        });
    });
  }
  return menu;
}
