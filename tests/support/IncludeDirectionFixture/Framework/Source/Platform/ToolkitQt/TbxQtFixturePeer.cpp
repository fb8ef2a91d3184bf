// Allowed: the native backend draws the toolkit's controls with Qt.
#include <QWidget>

#include "TbxFixtureControl.h"
