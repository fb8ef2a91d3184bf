// The backend: the peer factory, the window's attachment, showing and rendering.
#include <QApplication>
#include <QPainter>
#include <iostream>
#include <string>

#include "TbxQt.h"
#include "TbxQtAccessible.h"
#include "TbxQtPaint.h"
#include "TbxQtPeer.h"
#include "TbxQtWidgets.h"
#include "TbxStackPanels.h"

namespace {

TQtBackend* GCurrent = nullptr;

// Called for a control of TClass's kind only.
template <typename TClass, typename TWidget>
std::unique_ptr<TQtControlWidget> MakeWidget(TControl& control, QWidget* parent) {
  return std::make_unique<TWidget>(*KindCast<TClass>(&control), parent);
}

// The widget of the control's kind, or of the nearest kind it derives from that has one: a label
// is drawn as any text object, a dockable window of no kind of its own as a plain container.
std::unique_ptr<TQtControlWidget> NewWidget(TControl& control, QWidget* parent) {
  for (TControlKind kind = control.Kind();; kind = BaseKind(kind)) {
    switch (kind) {
      case ckForm:
        return MakeWidget<TForm, TQtFormWidget>(control, parent);
      case ckToolbar:
        return MakeWidget<TTBCustomToolbar, TQtToolbarWidget>(control, parent);
      case ckDockablePanel:
        return MakeWidget<TTBXCustomDockablePanel, TQtDockablePanelWidget>(control, parent);
      case ckDock:
        return MakeWidget<TTBDock, TQtDockWidget>(control, parent);
      case ckStatusBar:
        return MakeWidget<TTBXCustomStatusBar, TQtStatusBarWidget>(control, parent);
      case ckCheckBox:
        return MakeWidget<TTBXCustomCheckBox, TQtCheckBoxWidget>(control, parent);
      case ckRadioButton:
        return MakeWidget<TTBXCustomRadioButton, TQtRadioButtonWidget>(control, parent);
      case ckLink:
        return MakeWidget<TTBXCustomLink, TQtLinkWidget>(control, parent);
      case ckTextObject:
        return MakeWidget<TTBXTextObject, TQtTextWidget>(control, parent);
      case ckControl:
        return MakeWidget<TControl, TQtContainerWidget>(control, parent);
      default:
        break;
    }
  }
}

// The widget a new control's widget goes under at once: its parent's, unless it floats (a tool
// window, whose peer makes it one).
QWidget* ParentWidgetOf(const TControl& control) {
  const TWinControl* parent = control.GetParent();
  return parent && !IsFloatingWindow(control) ? PeerWidget(*parent) : nullptr;
}

void CollectToolWindows(const TControl& control, std::vector<TQtPeer*>& windows) {
  const auto* windowed = KindCast<TWinControl>(&control);
  if (!windowed) return;
  for (int i = 0; i < windowed->GetControlCount(); ++i) {
    const TControl& child = *windowed->GetControl(i);
    if (TQtPeer* peer = QtPeerOf(child); peer && IsFloatingWindow(child)) windows.push_back(peer);
    CollectToolWindows(child, windows);
  }
}

// The outline of a drag as the rubber band on the screen shows it.
void DrawDragOutline(QPainter& painter, const TForm& form) {
  const TDockDrag* drag = form.GetDockDrag();
  if (!drag || !drag->Window()) return;
  const QRect outline = ToQRect(drag->Target().Outline);
  QRubberBand band(QRubberBand::Rectangle);
  band.resize(outline.size());
  band.render(&painter, outline.topLeft(), QRegion(), QWidget::DrawChildren);
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
  InstallAccessibility();
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
  // At the screen's device pixels (a scale factor of 2 draws twice as wide and high), in the
  // toolkit's logical coordinates.
  const qreal ratio = root.devicePixelRatioF();
  QImage image(root.size() * ratio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
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
  if (const auto* form = KindCast<TForm>(&window)) DrawDragOutline(painter, *form);
  return image;
}
