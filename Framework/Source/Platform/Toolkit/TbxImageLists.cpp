// Image lists: each image is the file it came from.
#include <fmt/printf.h>

#include "KolExceptions.h"
#include "TbxGraphics.h"

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}
TCustomImageList::~TCustomImageList() = default;

int TCustomImageList::Add(const std::string& fileName) {
  FFiles.push_back(fileName);
  return Count() - 1;
}

const std::string& TCustomImageList::FileName(int index) const {
  if (index < 0 || index >= Count())
    throw Exception(fmt::sprintf("Image index %d is out of range: the image list holds %d images", index, Count()));
  return FFiles[static_cast<size_t>(index)];
}
