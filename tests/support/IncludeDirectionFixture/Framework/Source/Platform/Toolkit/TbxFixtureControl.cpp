// The toolkit may not draw with Qt, reach the host, or take the umbrella.
#include <QWidget>

#include "KolSystem.h"
#include "NUVFixtureIntf.h"
#include "TbxFixtureControl.h"
#include "TbxFixturePrivate.h"
