// Opens the host's standards configuration for the current drawing: runs the host command
// _DWGSTANDARDS now, through the system services, with the page argument (1: standards files,
// 2: plug-ins, 3: settings). Does nothing without system services; what the command returns is
// not read.
#ifndef KV_DWG_STANDARDS_COMMAND_H
#define KV_DWG_STANDARDS_COMMAND_H

#include <OdTypes.h>

void runDwgStandards(OdInt16 page);

#endif  // KV_DWG_STANDARDS_COMMAND_H
