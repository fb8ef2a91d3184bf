// The backend: the peer factory, the window's attachment, showing and rendering.
#include <QApplication>
#include <QPainter>
#include <iostream>
#include <string>
#include <string_view>
#include <typeinfo>
#include <unordered_map>

#include "TbxQt.h"
#include "TbxQtPaint.h"
#include "TbxQtPeer.h"
#include "TbxQtWidgets.h"
#include "TbxStackPanels.h"

namespace {

TQtBackend* GCurrent = nullptr;

using TWidgetMaker = std::unique_ptr<TQtControlWidget> (*)(TControl&, QWidget*);

template <typename TControlKind, typename TWidget>
std::unique_ptr<TQtControlWidget> MakeWidget(TControl& control, QWidget* parent) {
  return std::make_unique<TWidget>(static_cast<TControlKind&>(control), parent);
}

// The most derived kind first: a multi-dock is a dock, a check box a text object.
TWidgetMaker WidgetMakerOf(TControl& control) {
  if (dynamic_cast<TTBCustomToolbar*>(&control)) return MakeWidget<TTBCustomToolbar, TQtToolbarWidget>;
  if (dynamic_cast<TTBXCustomDockablePanel*>(&control))
    return MakeWidget<TTBXCustomDockablePanel, TQtDockablePanelWidget>;
  if (dynamic_cast<TTBDock*>(&control)) return MakeWidget<TTBDock, TQtDockWidget>;
  if (dynamic_cast<TTBXCustomStatusBar*>(&control)) return MakeWidget<TTBXCustomStatusBar, TQtStatusBarWidget>;
  if (dynamic_cast<TTBXCustomCheckBox*>(&control)) return MakeWidget<TTBXCustomCheckBox, TQtCheckBoxWidget>;
  if (dynamic_cast<TTBXCustomRadioButton*>(&control)) return MakeWidget<TTBXCustomRadioButton, TQtRadioButtonWidget>;
  if (dynamic_cast<TTBXCustomLink*>(&control)) return MakeWidget<TTBXCustomLink, TQtLinkWidget>;
  if (dynamic_cast<TTBXTextObject*>(&control)) return MakeWidget<TTBXTextObject, TQtTextWidget>;
  return MakeWidget<TControl, TQtContainerWidget>;
}

struct TNameHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
};

// A window has many controls of few classes: the type tests run once per class, known by its
// mangled name kept as text (a class of a plug-in module goes with the module, and its type_info
// with it). A class local to a file or a function (an anonymous namespace, or a mangled name
// that starts with 'Z') may share its name with another elsewhere: those are tested every time.
// Peers are made on the thread of the QApplication only.
std::unique_ptr<TQtControlWidget> NewWidget(TControl& control, QWidget* parent) {
  static std::unordered_map<std::string, TWidgetMaker, TNameHash, std::equal_to<>> makers;
  const std::string_view name = typeid(control).name();
  if (name.starts_with('Z') || name.find("_GLOBAL__N") != std::string_view::npos)
    return WidgetMakerOf(control)(control, parent);
  auto at = makers.find(name);
  if (at == makers.end()) at = makers.emplace(std::string(name), WidgetMakerOf(control)).first;
  return at->second(control, parent);
}

// The widget a new control's widget goes under at once: its parent's, unless it floats (a tool
// window, whose peer makes it one).
QWidget* ParentWidgetOf(const TControl& control) {
  const TWinControl* parent = control.GetParent();
  return parent && !IsFloatingWindow(control) ? PeerWidget(*parent) : nullptr;
}

void CollectToolWindows(const TControl& control, std::vector<TQtPeer*>& windows) {
  const auto* windowed = dynamic_cast<const TWinControl*>(&control);
  if (!windowed) return;
  for (int i = 0; i < windowed->GetControlCount(); ++i) {
    const TControl& child = *windowed->GetControl(i);
    if (TQtPeer* peer = QtPeerOf(child); peer && IsFloatingWindow(child)) windows.push_back(peer);
    CollectToolWindows(child, windows);
  }
}

TQtPeer& PeerOf(TWinControl& window) {
  TQtPeer* peer = QtPeerOf(window);
  if (!peer) throw std::logic_error("the window " + window.GetName() + " has no Qt peer: attach it first");
  return *peer;
}

}  // namespace

void RunReported(const std::function<void()>& operation) {
  try {
    operation();
  } catch (const std::exception& e) {
    if (GCurrent)
      GCurrent->ReportError(e);
    else
      std::cerr << e.what() << std::endl;
  }
}

void QuietOffscreenNotes() {
  static const QtMessageHandler next = qInstallMessageHandler(nullptr);
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith("This plugin does not support") || message.startsWith("QStandardPaths: XDG_RUNTIME_DIR"))
      return;
    if (next)
      next(type, context, message);
    else
      std::cerr << qFormatLogMessage(type, context, message).toStdString() << std::endl;
  });
}

void UseQtEventLoop() {
  if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");
}

void PrepareQtApplication(bool offscreen) {
  if (offscreen) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QuietOffscreenNotes();
  }
  UseQtEventLoop();
}

TQtBackend::TQtBackend(TQtBackendOptions options) : FOptions(std::move(options)) {
  GCurrent = this;
  SetPeerFactory([](TControl& control) -> std::unique_ptr<TControlPeer> {
    return std::make_unique<TQtPeer>(control, NewWidget(control, ParentWidgetOf(control)));
  });
}

TQtBackend::~TQtBackend() {
  SetPeerFactory(nullptr);
  ClearImageCache();
  GCurrent = nullptr;
}

TQtBackend* TQtBackend::Current() { return GCurrent; }

void TQtBackend::ReportError(const std::exception& error) const {
  if (FOptions.OnError)
    FOptions.OnError(error);
  else
    std::cerr << error.what() << std::endl;
}

QWidget& TQtBackend::Attach(TWinControl& window, const std::string& title) {
  window.CreatePeer();
  TQtPeer& peer = PeerOf(window);
  peer.Widget().SetRoot(true);
  peer.Widget().setWindowTitle(QString::fromStdString(title));
  peer.Place();
  return peer.Widget();
}

void TQtBackend::Show(TWinControl& window) {
  TQtPeer& peer = PeerOf(window);
  peer.Widget().show();
  std::vector<TQtPeer*> tools;
  CollectToolWindows(window, tools);
  for (TQtPeer* tool : tools) tool->Sync();
}

void TQtBackend::LoadImages(const TCustomImageList& images) {
  for (int i = 0; i < images.Count(); ++i) ImagePixmap(&images, i);
}

QImage TQtBackend::Render(TWinControl& window) {
  QWidget& root = PeerOf(window).Widget();
  QImage image(root.size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  root.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
  std::vector<TQtPeer*> tools;
  CollectToolWindows(window, tools);
  for (TQtPeer* tool : tools) {
    const TControl& control = tool->Widget().Control();
    if (!control.GetVisible()) continue;
    const TRect at = control.GetWindowRect();
    tool->Widget().render(&painter, QPoint(at.Left, at.Top), QRegion(), QWidget::DrawChildren);
  }
  return image;
}
