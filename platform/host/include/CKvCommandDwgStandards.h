// CKvCommandDwgStandards: the host's standards configuration command, "_DWGSTANDARDS"
// ("DWGSTANDARDS" typed). It opens CKvStandardsConfigDialog modally for the active document, the
// published standards manager and the user's settings, over the main window.
//
// Contract:
// - The first argument is the page to open (1 standards files, 2 plug-ins, 3 settings), any
//   integer item (5003 as command lines and the standards module give it); without arguments,
//   or with a 5000 item first, the first page opens.
// - An argument that is not a page (another number, a text, a real) opens nothing and gives
//   kResultError, as does running without the host's command context.
// - Without an active drawing the dialog still opens, its standards files page disabled: the
//   plug-ins and the settings do not depend on a drawing.
// - OK gives kResultNormal; Cancel or closing the dialog raises OdEdCancel, which the command
//   processor reports as kResultCancel.
// The system services own the instance they register (CKvSystemServices::registerHostCommands).
#ifndef KV_CKV_COMMAND_DWG_STANDARDS_H
#define KV_CKV_COMMAND_DWG_STANDARDS_H

#include <CKvCommand.h>

class CKvCommandDwgStandards : public CKvCommand
{
public:
    const OdString globalName() const override;
    const OdString localName() const override;
    int Execute(CKvCommandContext* context) override;
};

#endif  // KV_CKV_COMMAND_DWG_STANDARDS_H
