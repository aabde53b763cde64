// Helpers of the kvcad check tests: a scratch folder with its own settings, small drawings
// written with the SDK, and kvcad run as a user runs it.
#pragma once

#include <CKvString.h>

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QTemporaryDir>

#include <ostream>
#include <string>
#include <vector>

// Readable failure output for Qt strings (and lists of them).
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

// One layer of a test drawing: its name and colour index.
struct LayerSpec
{
    std::string name;
    int color;
};

// What a run of kvcad gave.
struct KvcadRun
{
    int exitCode = -1;
    std::string out;
    std::string err;
    // stdout as a JSON object (empty when it is none).
    QJsonObject json() const;
    // The drawings of the JSON report.
    QJsonArray drawings() const;
};

// A scratch folder for drawings, and XDG_CONFIG_HOME pointing into it so that the user's
// standards settings (a preferred standards file) do not take part; both go at the end.
class CheckScope
{
public:
    CheckScope();
    ~CheckScope();
    CheckScope(const CheckScope&) = delete;
    CheckScope& operator=(const CheckScope&) = delete;

    // A path in the scratch folder ("std/a.dws"); its folder is created.
    std::string path(const std::string& relative) const;
    // Writes a drawing holding the layers (besides layer 0), associated with `standards` as
    // stored paths, in order; returns its path.
    std::string writeDrawing(const std::string& relative, const std::vector<LayerSpec>& layers,
                             const std::vector<std::string>& standards = {}) const;
    // Writes a file that is not a drawing; returns its path.
    std::string writeGarbage(const std::string& relative) const;
    // Marks the layer of the drawing ignored by `user` and saves the drawing.
    void ignoreLayer(const std::string& drawing, const std::string& layer,
                     const std::string& user) const;
    // Puts an xrecord where the layer's ignored mark keeps its dictionary, as a foreign program
    // might, and saves the drawing.
    void breakIgnoredMark(const std::string& drawing, const std::string& layer) const;

    // Puts an xrecord where the drawing keeps its standards association (a dictionary), as a
    // foreign program might, and saves the drawing.
    void breakAssociation(const std::string& drawing) const;

    // Runs "kvcad ARGS..." in the scratch folder.
    KvcadRun kvcad(const std::vector<std::string>& args) const;

private:
    QTemporaryDir m_scratch;
    QByteArray m_oldConfigHome;
    bool m_hadConfigHome;
};

// The JSON value of the violation of that record name in the drawing's report (empty when none).
QJsonObject violationNamed(const QJsonObject& drawing, const QString& name);
