// The module's exported factories, in the order of its export table (ordinals 1 to 9). A host
// finds them with dlsym; code that links the view-part objects directly declares them from here.
#pragma once

#include "NUVIntf.h"

#define NUV_EXPORT extern "C" __attribute__((visibility("default")))

NUV_EXPORT INUVViewPart* CreateMultiDockPanelViewPart(IQIMExtension* extension, INUVWorkItem* workItem);
NUV_EXPORT INUVViewPart* CreateStatusBarViewPart(IQIMExtension* extension, INUVWorkItem* workItem);
NUV_EXPORT INUVViewPart* CreateDockablePanelViewPart(IQIMExtension* extension, INUVWorkItem* workItem);
NUV_EXPORT INUVViewPart* CreateToolbarViewPart(IQIMExtension* extension, INUVWorkItem* workItem);
NUV_EXPORT INUVViewPart* CreateToolbarDockViewPart(IQIMExtension* extension, INUVWorkItem* workItem);
NUV_EXPORT INUVViewPart* CreateCheckBoxViewPart(IQIMExtension* extension, INUVWorkItem* workItem);
NUV_EXPORT INUVViewPart* CreateRadioButtonViewPart(IQIMExtension* extension, INUVWorkItem* workItem);
NUV_EXPORT INUVViewPart* CreateLinkViewPart(IQIMExtension* extension, INUVWorkItem* workItem);
NUV_EXPORT INUVViewPart* CreateLabelViewPart(IQIMExtension* extension, INUVWorkItem* workItem);
