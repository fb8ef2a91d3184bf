// A workbench header: nothing below the workbench includes it.
#pragma once
