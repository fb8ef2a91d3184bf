#include "TbxQtPaint.h"

#include <QFontDatabase>
#include <QPainter>
#include <map>

#include "TbxQt.h"
#include "TbxQtImages.h"
#include "TbxSystemColors.h"
#include "TbxKeyboard.h"
#include "TbxTextMetrics.h"

QRect ToQRect(const TRect& r) { return {r.Left, r.Top, r.Width, r.Height}; }

TPoint ToTPoint(const QPoint& p) { return {p.x(), p.y()}; }

namespace {

// Font files are loaded once; their family is what QFont asks for.
QString FamilyOfFile(const std::string& fileName) {
  static std::map<std::string, QString> families;
  auto it = families.find(fileName);
  if (it != families.end()) return it->second;
  const int id = QFontDatabase::addApplicationFont(QString::fromStdString(fileName));
  const QStringList names = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
  return families.emplace(fileName, names.isEmpty() ? QString() : names.first()).first->second;
}

int LineX(const TRect& rect, int width, TAlignment alignment) {
  switch (alignment) {
    case taRightJustify:
      return rect.Right() - width;
    case taCenter:
      return rect.Left + (rect.Width - width) / 2;
    default:
      return rect.Left;
  }
}

}  // namespace

QColor ToQColor(TColor color, const QColor& otherwise) {
  const std::optional<std::uint32_t> rgb = ColorToRgb(color);
  return rgb ? QColor::fromRgb(*rgb) : otherwise;
}

QFont ToQFont(const TFont& font) {
  const TResolvedFont& resolved = TextMetrics().Resolve(font);
  QFont qfont;
  if (!resolved.BuiltIn) qfont.setFamily(FamilyOfFile(resolved.FileName));
  qfont.setPixelSize(std::max(1, resolved.PixelSize));
  qfont.setBold(font.GetStyle().Contains(fsBold));
  qfont.setItalic(font.GetStyle().Contains(fsItalic));
  qfont.setUnderline(font.GetStyle().Contains(fsUnderline));
  qfont.setStrikeOut(font.GetStyle().Contains(fsStrikeOut));
  // The toolkit measures unhinted advances; hinting would move glyphs off its widths.
  qfont.setHintingPreference(QFont::PreferNoHinting);
  return qfont;
}

void DrawTextLines(QPainter& painter, const TFont& font, const TRect& rect, const std::vector<std::string>& lines,
                   TAlignment alignment, TColor color) {
  const TResolvedFont resolved = TextMetrics().Resolve(font);
  painter.save();
  painter.setFont(ToQFont(font));
  painter.setPen(ToQColor(color, Qt::black));
  int top = rect.Top;
  for (const std::string& line : lines) {
    const int x = LineX(rect, TextMetrics().TextWidth(font, line), alignment);
    painter.drawText(QPoint(x, top + resolved.Ascent), QString::fromStdString(line));
    top += resolved.LineHeight;
  }
  painter.restore();
}

void DrawTextLine(QPainter& painter, const TFont& font, const TRect& rect, const std::string& text,
                  TAlignment alignment, TColor color) {
  const int height = TextMetrics().TextSize(font, text).Height;
  const TRect line{rect.Left, rect.Top + (rect.Height - height) / 2, rect.Width, height};
  painter.save();
  painter.setClipRect(ToQRect(rect), Qt::IntersectClip);
  DrawTextLines(painter, font, line, {text}, alignment, color);
  painter.restore();
}

namespace {

// The underline under the access key's character in line, which DrawTextLines drew at rect.
void UnderlineAccessKey(QPainter& painter, const TFont& font, const TRect& rect, const std::string& line,
                        const TAccessKeyPlace& place, int top, TAlignment alignment, TColor color) {
  const TResolvedFont resolved = TextMetrics().Resolve(font);
  const auto offset = static_cast<std::size_t>(place.Offset);
  const int x = LineX(rect, TextMetrics().TextWidth(font, line), alignment);
  const int left = TextMetrics().TextWidth(font, line.substr(0, offset));
  const int right = TextMetrics().TextWidth(font, line.substr(0, offset + static_cast<std::size_t>(place.Length)));
  const int y = top + resolved.Ascent + resolved.UnderlinePosition;
  painter.fillRect(QRect(x + left, y, std::max(1, right - left), std::max(1, resolved.UnderlineThickness)),
                   ToQColor(color, Qt::black));
}

}  // namespace

void DrawCaptionLines(QPainter& painter, const TFont& font, const TRect& rect, const std::string& caption,
                      const std::vector<std::string>& lines, TAlignment alignment, TColor color) {
  DrawTextLines(painter, font, rect, lines, alignment, color);
  if (!HasAccessKeyMarkers(caption)) return;
  const TAccessKeyPlace place = FindAccessKey(ParseAccessKey(caption), lines);
  if (place.Line < 0) return;
  const int top = rect.Top + place.Line * TextMetrics().Resolve(font).LineHeight;
  UnderlineAccessKey(painter, font, rect, lines[static_cast<std::size_t>(place.Line)], place, top, alignment, color);
}

void DrawCaptionLine(QPainter& painter, const TFont& font, const TRect& rect, const std::string& caption,
                     TAlignment alignment, TColor color) {
  const TAccessKeyText shown = ParseAccessKey(caption);
  DrawTextLine(painter, font, rect, shown.Text, alignment, color);
  if (shown.KeyOffset < 0) return;
  const int height = TextMetrics().TextSize(font, shown.Text).Height;
  painter.save();
  painter.setClipRect(ToQRect(rect), Qt::IntersectClip);
  UnderlineAccessKey(painter, font, rect, shown.Text, {0, shown.KeyOffset, shown.KeyLength},
                     rect.Top + (rect.Height - height) / 2, alignment, color);
  painter.restore();
}

void ClearImageCache() { ForgetDecodedImages(); }

QPixmap ImagePixmap(const TCustomImageList* images, int index) {
  if (!images || index < 0 || index >= images->Count()) return {};
  return DecodedImageFile(images->FileName(index));
}

void DrawImage(QPainter& painter, const TCustomImageList* images, int index, const TRect& rect) {
  if (!images || index < 0 || index >= images->Count() || rect.Empty()) return;
  const QPixmap pixmap = ImagePixmap(images, index);
  if (pixmap.isNull()) {
    painter.save();
    painter.setPen(QPen(Qt::red, 1, Qt::DashLine));
    painter.drawRect(ToQRect(rect).adjusted(0, 0, -1, -1));
    painter.restore();
    return;
  }
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawPixmap(ToQRect(rect), pixmap);
  painter.restore();
}
