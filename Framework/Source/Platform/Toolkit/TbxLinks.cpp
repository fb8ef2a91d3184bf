// Links.
#include "TbxTextObjects.h"

TTBXCustomLink::TTBXCustomLink(TComponent* owner) : TTBXTextObject(owner) {}
TTBXCustomLink::~TTBXCustomLink() = default;

TTBXLink::TTBXLink(TComponent* owner) : TTBXCustomLink(owner) {}
TTBXLink::~TTBXLink() = default;
