// CKvCommandDrawingStandards: DRAWINGSTANDARDS (global name _DRAWINGSTANDARDS, help topic 3071)
// opens the host's standards configuration on its standards-files page for the current drawing
// and returns kResultNormal.
#ifndef KV_CKV_COMMAND_DRAWING_STANDARDS_H
#define KV_CKV_COMMAND_DRAWING_STANDARDS_H

#include <CKvCommand.h>

class CKvCommandDrawingStandards : public CKvCommand
{
public:
    const OdString globalName() const override;
    // "DRAWINGSTANDARDS", translated.
    const OdString localName() const override;
    int Execute(CKvCommandContext* context) override;
    int GetHelpId() const override;
};

#endif  // KV_CKV_COMMAND_DRAWING_STANDARDS_H
