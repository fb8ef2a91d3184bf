// The module unit: the exported view-part factories. Each constructs its class with the host
// base-class constructor and hands it out with one reference added for the caller; the module
// keeps no reference and no state of its own.
#include "NUV.ViewParts.TBX.h"

#include "NUVCheckBoxViewPart.h"
#include "NUVDockablePanelViewPart.h"
#include "NUVLabelViewPart.h"
#include "NUVLinkViewPart.h"
#include "NUVMultiDockPanelViewPart.h"
#include "NUVRadioButtonViewPart.h"
#include "NUVStatusBarViewPart.h"
#include "NUVToolbarDockViewPart.h"
#include "NUVToolbarViewPart.h"

namespace {
template <class TViewPart>
INUVViewPart* NewViewPart(IQIMExtension* extension, INUVWorkItem* workItem) {
  return TIntfPtr<INUVViewPart>(MakeCounted<TViewPart>(extension, workItem)).Detach();
}
}  // namespace

// The factories, in the order of the module's export table (ordinals 1 to 9).

NUV_EXPORT INUVViewPart* CreateMultiDockPanelViewPart(IQIMExtension* extension, INUVWorkItem* workItem) {
  return NewViewPart<TNUVMultiDockPanelViewPart>(extension, workItem);
}

NUV_EXPORT INUVViewPart* CreateStatusBarViewPart(IQIMExtension* extension, INUVWorkItem* workItem) {
  return NewViewPart<TNUVStatusBarViewPart>(extension, workItem);
}

NUV_EXPORT INUVViewPart* CreateDockablePanelViewPart(IQIMExtension* extension, INUVWorkItem* workItem) {
  return NewViewPart<TNUVDockablePanelViewPart>(extension, workItem);
}

NUV_EXPORT INUVViewPart* CreateToolbarViewPart(IQIMExtension* extension, INUVWorkItem* workItem) {
  return NewViewPart<TNUVToolBarViewPart>(extension, workItem);
}

NUV_EXPORT INUVViewPart* CreateToolbarDockViewPart(IQIMExtension* extension, INUVWorkItem* workItem) {
  return NewViewPart<TNUVToolbarDockViewPart>(extension, workItem);
}

NUV_EXPORT INUVViewPart* CreateCheckBoxViewPart(IQIMExtension* extension, INUVWorkItem* workItem) {
  return NewViewPart<TNUVCheckBoxViewPart>(extension, workItem);
}

NUV_EXPORT INUVViewPart* CreateRadioButtonViewPart(IQIMExtension* extension, INUVWorkItem* workItem) {
  return NewViewPart<TNUVRadioButtonViewPart>(extension, workItem);
}

NUV_EXPORT INUVViewPart* CreateLinkViewPart(IQIMExtension* extension, INUVWorkItem* workItem) {
  return NewViewPart<TNUVLinkViewPart>(extension, workItem);
}

NUV_EXPORT INUVViewPart* CreateLabelViewPart(IQIMExtension* extension, INUVWorkItem* workItem) {
  return NewViewPart<TNUVLabelViewPart>(extension, workItem);
}

// The module's version record: an ELF note (owner "NUV", type 1) holding the file and product
// version, which hosts read from the loaded module without calling into it.
__asm__(
    ".pushsection .note.nuv.version,\"a\",@note\n"
    ".balign 4\n"
    ".long 4\n"  // name size: "NUV\0"
    ".long 8\n"  // descriptor size: "1.0.0.0\0"
    ".long 1\n"  // type: version
    ".asciz \"NUV\"\n"
    ".balign 4\n"
    ".asciz \"1.0.0.0\"\n"
    ".balign 4\n"
    ".popsection\n");
