// The children that a docking work space (toolbar dock, dockable panel) has shown, and the steps
// of showing, hiding and closing them that those work spaces share. The list holds its references
// uncounted: the host keeps its children alive while a work space shows them. Nil children are
// asserted by the callers, so that the report names the work space's own unit.
#pragma once

#include <vector>

#include "NUVViewPart.h"

namespace NUVShownViewParts {

using TShownViewParts = std::vector<INUVViewPart*>;

bool Contains(const TShownViewParts& shown, const INUVViewPart* child);

// Raises the host's not-on-me error for a child that is not in shown.
void CheckOnMe(TNUVCustomWorkSpaceViewPart& workSpace, const TShownViewParts& shown, INUVViewPart* child);

// A child shown before is only made visible again; true when that was all there was to do.
bool ShowAgain(const TShownViewParts& shown, INUVViewPart* child);

// First showing: lists the child, then binds it into parent with the alignment its control has
// now, so the child keeps its own alignment.
void ShowFirst(TNUVCustomWorkSpaceViewPart& workSpace, TShownViewParts& shown, INUVViewPart* child,
               TWinControl* parent);

// The child's control goes invisible; the child stays listed.
void Hide(INUVViewPart* child);

// Forgets the child, then unbinds it.
void Close(TNUVCustomWorkSpaceViewPart& workSpace, TShownViewParts& shown, INUVViewPart* child);

}  // namespace NUVShownViewParts
