// Image files decoded for the peers: read as the host allows, decoded by Qt with whatever Qt and
// its image plug-ins (libpng among them) say while they decode kept out of the terminal and given,
// with the file's name, to the backend's OnImageError.
#pragma once

#include <QPixmap>
#include <string>

/// The image of an image list's file name, decoded once; null when there is none to read or it
/// does not decode, which OnImageError hears of.
QPixmap DecodedImageFile(const std::string& fileName);
/// Forgets the images decoded so far (pixmaps must go before the application does).
void ForgetDecodedImages();
