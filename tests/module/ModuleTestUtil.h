// Helpers of the module tests: system services with their own settings folder, drawings that
// associate standards files, and answers to the module's dialogs.
#pragma once

#include "HostDoubles.h"
#include "LoadedModule.h"
#include "WidgetChecks.h"

#include <CKvDocument.h>
#include <CKvStdsManager.h>
#include <CKvString.h>
#include <CKvSystemServices.h>

#include <QString>
#include <QTemporaryDir>

#include <string>
#include <vector>

// One entry of a drawing's AcStStandard dictionary: its key and the first item of its xrecord.
struct Association
{
    std::string key;
    int restype;
    std::string value;
};

// Installed system services with a settings folder of their own (XDG_CONFIG_HOME) and a scratch
// folder for drawings; both are removed at the end.
class HostScope : public ServicesScope
{
public:
    // A path in the scratch folder ("std/a.dxf"); its folder is created.
    std::string path(const std::string& relative) const;
    // Writes an empty drawing there and returns its path.
    std::string writeStandardsFile(const std::string& relative) const;
    // Writes a drawing associating the entries (none: no AcStStandard dictionary) and returns its
    // path.
    std::string writeDrawing(const std::string& relative,
                             const std::vector<Association>& entries) const;
    CKvDocument* open(const std::string& path);
    void setPreferredFile(const std::string& path);

private:
    ConfigHomeScope m_config;
    QTemporaryDir m_scratch;
};

// The manager's standards files, as UTF-8 strings.
std::vector<std::string> standardsPaths();

// Answers every modal dialog that opens while it lives, the innermost first: the standards
// violation notification by choosing to see the violations (accept) or not, the Verify Standards
// dialog and its summary by closing them, every other dialog by setting its check boxes to `tick`
// and accepting it (accept) or closing it. Lists the classes of the dialogs in the order they
// were answered, the Verify Standards dialog's with the name of the violation it shows.
class ModalAnswers
{
public:
    explicit ModalAnswers(bool accept = false, bool tick = true);

    std::vector<std::string> shown;

private:
    void answer(QDialog& dialog);

    bool m_accept;
    bool m_tick;
    DialogAnswers m_answers{[this](QDialog& dialog) { answer(dialog); }};
};
