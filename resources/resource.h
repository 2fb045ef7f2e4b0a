// Resource ids of the setup program, shared by the resource script and the code.
#pragma once

// ---- String table: the setup flow --------------------------------------------------
#define IDS_WIZARD_TITLE        16   // "Orbelwick %s %sInstalation Wizard"
#define IDS_ACTIVESYNC_MISSING  31
#define IDS_ERROR_CAPTION       32
