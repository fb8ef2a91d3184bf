// The link's properties in the control dump.
#include "WbClassWriters.h"
#include "WbTextObjectWriter.h"

void WriteLink(const TTBXCustomLink& link, TWbControlProperties& properties) {
  WriteTextObject(link, properties);
  properties.Set("Images", link.GetImages() != nullptr);
  properties.Set("ImageIndex", link.GetImageIndex());
  properties.Set("ImageFile", ImageFileJson(link.GetImages(), link.GetImageIndex()));
  properties.Set("ImageRect", BoundsJson(link.GetImageRect()));
  if (link.GetImages()) properties.Note("ImageIndex=" + std::to_string(link.GetImageIndex()));
}
