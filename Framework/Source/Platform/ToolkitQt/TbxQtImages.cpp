#include "TbxQtImages.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <vector>

#include "TbxQt.h"

namespace {

std::map<std::string, QPixmap>& Decoded() {
  static std::map<std::string, QPixmap> decoded;
  return decoded;
}

// What Qt and the image libraries say while one image decodes ("Rejecting image as it exceeds the
// current allocation limit ..." through Qt's message handler; "libpng error: IDAT: incorrect header
// check" written to stderr by libpng itself, whose error function Qt leaves at libpng's default):
// kept for the reason of a failure instead of reaching the terminal without the file's name.
// Images are decoded on the GUI thread only; stderr is taken aside for that moment.
class TDecodeMessages {
 public:
  TDecodeMessages() : FPrevious(qInstallMessageHandler(Capture)) {
    GCurrent = this;
    std::fflush(stderr);
    FStderr = dup(STDERR_FILENO);
    FFile = std::tmpfile();
    if (FStderr < 0 || !FFile || dup2(fileno(FFile), STDERR_FILENO) < 0) Restore();
  }
  ~TDecodeMessages() {
    Restore();
    if (FFile) std::fclose(FFile);
    GCurrent = nullptr;
    qInstallMessageHandler(FPrevious);
  }
  TDecodeMessages(const TDecodeMessages&) = delete;
  TDecodeMessages& operator=(const TDecodeMessages&) = delete;

  // Every message so far, one after the other; stderr comes back first.
  std::string Messages() {
    Restore();
    if (FFile) {
      std::rewind(FFile);
      char line[1024];
      while (std::fgets(line, sizeof line, FFile)) Add(line);
    }
    std::string text;
    for (const std::string& message : FMessages) text += (text.empty() ? "" : "; ") + message;
    return text;
  }

 private:
  static void Capture(QtMsgType, const QMessageLogContext&, const QString& message) {
    if (GCurrent) GCurrent->Add(message.toStdString());
  }
  void Add(std::string message) {
    while (!message.empty() && std::isspace(static_cast<unsigned char>(message.back()))) message.pop_back();
    if (!message.empty()) FMessages.push_back(std::move(message));
  }
  void Restore() {
    if (FStderr < 0) return;
    std::fflush(stderr);
    dup2(FStderr, STDERR_FILENO);
    close(FStderr);
    FStderr = -1;
  }
  static inline TDecodeMessages* GCurrent = nullptr;
  QtMessageHandler FPrevious;
  int FStderr = -1;
  std::FILE* FFile = nullptr;
  std::vector<std::string> FMessages;
};

// The file's bytes as the host reads them, else the file where the options say it lies.
std::optional<QByteArray> ImageBytes(const std::string& fileName, const TQtBackend* backend) {
  if (backend && backend->Options().ReadImage) {
    const std::optional<std::string> bytes = backend->Options().ReadImage(fileName);
    if (!bytes) return std::nullopt;
    return QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size()));
  }
  std::filesystem::path path(fileName);
  if (backend && backend->Options().ResolveImage)
    path = backend->Options().ResolveImage(fileName);
  else if (path.is_relative() && backend && !backend->Options().ImageDir.empty())
    path = std::filesystem::path(backend->Options().ImageDir) / path;
  QFile file(QString::fromStdString(path.string()));
  if (path.empty() || !file.open(QIODevice::ReadOnly)) return std::nullopt;
  return file.readAll();
}

void ReportImageError(const TQtBackend* backend, const std::string& fileName, const std::string& why) {
  if (backend && backend->Options().OnImageError)
    backend->Options().OnImageError(fileName, why);
  else
    std::cerr << fileName << ": the image cannot be decoded (" << why << ")" << std::endl;
}

QPixmap Decode(const std::string& fileName) {
  const TQtBackend* backend = TQtBackend::Current();
  const std::optional<QByteArray> bytes = ImageBytes(fileName, backend);
  if (!bytes) return {};  // refused or missing: the host has said why
  QBuffer buffer;
  buffer.setData(*bytes);
  QImageReader reader(&buffer);
  QImage image;
  std::string messages;
  {
    TDecodeMessages said;
    image = reader.read();
    messages = said.Messages();
  }
  if (image.isNull()) {
    std::string why = reader.errorString().toStdString();
    if (!messages.empty()) why += ": " + messages;
    ReportImageError(backend, fileName, why);
    return {};
  }
  return QPixmap::fromImage(image);
}

// NAME@2x.png beside NAME.png: the same image at twice the pixels.
std::string DoubleSizeName(const std::string& fileName) {
  const std::filesystem::path path(fileName);
  return (path.parent_path() / (path.stem().string() + "@2x" + path.extension().string())).string();
}

// On a screen of more device pixels than logical ones, the @2x file where there is one (under the
// host's rules, as any image file), drawn at the logical size: sharp instead of blown up.
QPixmap DecodeForScreen(const std::string& fileName) {
  if (qGuiApp && qGuiApp->devicePixelRatio() > 1.0) {
    QPixmap pixmap = Decode(DoubleSizeName(fileName));
    if (!pixmap.isNull()) {
      pixmap.setDevicePixelRatio(2.0);
      return pixmap;
    }
  }
  return Decode(fileName);
}

}  // namespace

QPixmap DecodedImageFile(const std::string& fileName) {
  auto& decoded = Decoded();
  auto it = decoded.find(fileName);
  if (it == decoded.end()) it = decoded.emplace(fileName, DecodeForScreen(fileName)).first;
  return it->second;
}

void ForgetDecodedImages() { Decoded().clear(); }
