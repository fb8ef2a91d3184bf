// The Qt 6 backend of the toolkit: a native peer for every control of a window, drawn with Qt's
// style at the toolkit's geometry, with the user's input fed back as the toolkit's operations.
#pragma once

#include <QImage>
#include <exception>
#include <functional>
#include <optional>
#include <string>

class QWidget;
class TControl;
class TCustomImageList;
class TWinControl;

struct TQtBackendOptions {
  /// Image lists hold file names; relative ones are found here (the application file's folder).
  std::string ImageDir;
  /// What a toolkit operation that the user's input ran raised; by default it goes to stderr.
  std::function<void(const std::exception& error)> OnError;
  /// When set, the file to read for an image list's file name instead, or "" to draw no image:
  /// the host decides which files a window may show.
  std::function<std::string(const std::string& fileName)> ResolveImage;
  /// When set, the bytes of an image list's file name, or nullopt to draw no image: the host
  /// decides which files a window may show and reads them itself (before ResolveImage).
  std::function<std::optional<std::string>(const std::string& fileName)> ReadImage = {};
  /// An image that does not decode, once per file name, with why: Qt's reason and what Qt and its
  /// image plug-ins said while decoding, which goes nowhere else. By default it goes to stderr.
  std::function<void(const std::string& fileName, const std::string& why)> OnImageError = {};
};

/// Installs the peer factory for its lifetime; needs a QApplication, which must outlive it and
/// every control that got a peer.
class TQtBackend {
 public:
  explicit TQtBackend(TQtBackendOptions options = {});
  ~TQtBackend();
  TQtBackend(const TQtBackend&) = delete;
  TQtBackend& operator=(const TQtBackend&) = delete;

  /// Gives the window and everything in it peers; the window's widget is a top-level window with
  /// the title given.
  QWidget& Attach(TWinControl& window, const std::string& title);
  /// Shows the window and the floating windows over it that are visible.
  void Show(TWinControl& window);
  /// The window as it stands, with its floating windows drawn at their places over it.
  QImage Render(TWinControl& window);
  /// Decodes every image of the list now rather than when it is first drawn, so that one that does
  /// not decode is told before the window shows.
  void LoadImages(const TCustomImageList& images);

  const TQtBackendOptions& Options() const { return FOptions; }
  /// The backend installed now, or nil.
  static TQtBackend* Current();
  /// Hands what an operation raised to OnError: Qt's event handlers must not throw.
  void ReportError(const std::exception& error) const;

 private:
  TQtBackendOptions FOptions;
};

/// The widget that draws a control, or nil when it has no Qt peer.
QWidget* PeerWidget(const TControl& control);

/// Keeps the offscreen platform's notes about what it cannot do (raise a window, grab the
/// keyboard) and the runtime directory it lacks off stderr; every other message goes through.
void QuietOffscreenNotes();

/// To be called before the QApplication is made: Qt runs its own event loop rather than GLib's
/// (unless QT_NO_GLIB is set already). Qt posts an event for every widget it makes, and GLib's
/// loop wakes itself with a system call at every post, about 2 us a widget; Qt's own loop wakes
/// once until the posted events are handled. Nothing of ours runs GLib sources.
void UseQtEventLoop();

/// What every program does before it makes its QApplication: the offscreen platform, quiet
/// about what it cannot do, when offscreen is asked for, and Qt's own event loop.
void PrepareQtApplication(bool offscreen);
