// What every peer draws with: the toolkit's colours, fonts, text lines and images in Qt's terms.
#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRect>
#include <string>
#include <vector>

#include "TbxGeometry.h"
#include "TbxGraphics.h"

class QPainter;

QRect ToQRect(const TRect& r);
TPoint ToTPoint(const QPoint& p);

/// A toolkit colour as drawn: system colours come from one fixed palette, so that pictures look
/// the same on every machine; clDefault and clNone give otherwise.
QColor ToQColor(TColor color, const QColor& otherwise = QColor());

/// The font the toolkit measured with: its font file loaded into Qt, at its pixel size.
QFont ToQFont(const TFont& font);

/// Draws lines of text from the top of rect, one line height apart, each placed by alignment
/// within rect's width as the toolkit measures it.
void DrawTextLines(QPainter& painter, const TFont& font, const TRect& rect, const std::vector<std::string>& lines,
                   TAlignment alignment, TColor color);
/// One line of text, vertically centred in rect.
void DrawTextLine(QPainter& painter, const TFont& font, const TRect& rect, const std::string& text,
                  TAlignment alignment, TColor color);
/// The lines of a caption that marks an access key, as DrawTextLines draws them, with the key's
/// character underlined in the line that shows it.
void DrawCaptionLines(QPainter& painter, const TFont& font, const TRect& rect, const std::string& caption,
                      const std::vector<std::string>& lines, TAlignment alignment, TColor color);
/// A one-line caption that marks an access key, as DrawTextLine draws it: without the markers and
/// with the key underlined.
void DrawCaptionLine(QPainter& painter, const TFont& font, const TRect& rect, const std::string& caption,
                     TAlignment alignment, TColor color);

/// Image index of a list, drawn into rect; a file that cannot be read draws a marked box.
void DrawImage(QPainter& painter, const TCustomImageList* images, int index, const TRect& rect);
/// The image at index of a list as Qt holds it; null when there is none or it cannot be read.
QPixmap ImagePixmap(const TCustomImageList* images, int index);
/// Forgets the images read so far (pixmaps must go before the application does).
void ClearImageCache();
