// kv_background_bench: what the background check costs after a one-record edit, next to a line
// scan of the drawing measured in the same run:
//
//   kv_background_bench DRAWING.dxf STANDARDS.dxf... [--edits N] [--tsv]
//
// Loads the standards module as kvcad does, opens the drawing as the current document and
// associates it with the standards drawings. Then, N times over (default 20), it edits one layer
// and runs the check that follows an edit:
// - conforming edit: the layer takes the values of the standards layer of its name, and the
//   host runs _INTERSTATEVERIFY, which checks the recorded layer (association, plug-in set-up,
//   walk) and finds nothing to show;
// - violating edit: another layer, in a copy of the drawing read apart, is renamed to a name no
//   standards file has, and the layer plug-in checks just that record the way the manager
//   drives it, with every candidate fix.
// The first check of the run reads the standards drawings; the figures for the later ones are
// medians.
//
// Prints one row per figure: seconds and the ratio to the line scan of the drawing. With --tsv the
// rows are tab-separated, without headers: figure seconds ratio.
// Exit codes: 0 done, 1 the module cannot be loaded, 2 bad arguments or an unreadable drawing.
#include "LineScan.h"
#include "ModuleHost.h"

#include <CKvStandardsAssociation.h>
#include <CKvStdsError.h>
#include <CKvStdsFix.h>
#include <CKvStdsManager.h>
#include <CKvStdsPlugins.h>
#include <CKvString.h>
#include <CKvSystemServices.h>
#include <DbDatabase.h>
#include <DbLayerTableRecord.h>
#include <DbLinetypeTableRecord.h>
#include <DbSymbolTable.h>
#include <OdError.h>

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

class Report
{
public:
    Report(bool tsv, double baseline) : m_tsv(tsv), m_baseline(baseline)
    {
        if (!m_tsv) {
            std::printf("%-52s %10s %10s\n", "figure", "seconds", "x scan");
        }
    }

    void row(const std::string& figure, double seconds) const
    {
        std::printf(m_tsv ? "%s\t%.6f\t%.5f\n" : "%-52s %10.6f %10.5f\n", figure.c_str(), seconds,
                    m_baseline > 0.0 ? seconds / m_baseline : 0.0);
        std::fflush(stdout);
    }

private:
    bool m_tsv;
    double m_baseline;
};

// The line scan of a file, best of three: the baseline every figure is set against.
double scanSeconds(const std::string& path)
{
    const std::string text = kvbench::fileText(path);
    double best = 1e300;
    for (int run = 0; run < 3; ++run) {
        const Clock::time_point start = Clock::now();
        const volatile size_t tags = kvbench::lineScan(text);
        (void)tags;
        best = std::min(best, secondsSince(start));
    }
    return best;
}

OdDbSymbolTablePtr tableOf(OdDbObjectId id)
{
    return id.safeOpenObject();
}

// The drawing's layers that the edits may change: not hidden, named in the first standards
// drawing, whose line style the drawing has.
std::vector<OdDbObjectId> editableLayers(OdDbDatabase& drawing, OdDbDatabase& standards)
{
    const OdDbSymbolTablePtr standardsLayers = tableOf(standards.getLayerTableId());
    const OdDbSymbolTablePtr lineStyles = tableOf(drawing.getLinetypeTableId());
    std::vector<OdDbObjectId> layers;
    const OdDbSymbolTablePtr table = tableOf(drawing.getLayerTableId());
    for (OdDbSymbolTableIteratorPtr it = table->newIterator(); !it->done(); it->step()) {
        const OdDbLayerTableRecordPtr layer = it->getRecord();
        const OdDbObjectId standard = standardsLayers->getAt(layer->getName());
        if (layer->isHidden() || layer->isDependent() || standard.isNull() ||
            layer->getName().iCompare(OdString("0")) == 0) {
            continue;
        }
        const OdDbLayerTableRecordPtr standardLayer = standard.safeOpenObject();
        const OdDbLinetypeTableRecordPtr lineStyle =
            standardLayer->linetypeObjectId().safeOpenObject();
        if (!lineStyles->getAt(lineStyle->getName()).isNull()) {
            layers.push_back(it->getRecordId());
        }
    }
    return layers;
}

// Gives the layer the values of the standards layer of its name.
void conform(OdDbObjectId layerId, OdDbDatabase& drawing, OdDbDatabase& standards)
{
    const OdDbLayerTableRecordPtr layer = layerId.safeOpenObject(OdDb::kForWrite);
    const OdDbLayerTableRecordPtr standard =
        tableOf(standards.getLayerTableId())->getAt(layer->getName(), OdDb::kForRead);
    const OdDbLinetypeTableRecordPtr lineStyle = standard->linetypeObjectId().safeOpenObject();
    layer->setColor(standard->color());
    layer->setLineWeight(standard->lineWeight());
    layer->setLinetypeObjectId(tableOf(drawing.getLinetypeTableId())->getAt(lineStyle->getName()));
}

// The layer plug-in's check of one record, as the manager drives it; the number of fixes offered.
long checkOneLayer(CKvStdsPlugins& plugin, const OdDbDatabasePtr& drawing, OdDbObjectId layer,
                   const std::vector<CKvString>& paths)
{
    OdArray<OdDbObjectId> ids;
    ids.append(layer);
    plugin.Clear();
    plugin.SetContext(ids, false);
    plugin.SetupForAudit(drawing, CKvString(drawing->getFilename()), paths, paths);
    plugin.Start(CKvStdsErrorPtr());
    long fixes = 0;
    while (!plugin.Done()) {
        const CKvStdsErrorPtr error = plugin.GetError();
        OdArray<CKvStdsFixPtr> offered;
        int recommended = -1;
        plugin.GetAllFixes(error, offered, recommended);
        fixes += static_cast<long>(offered.size());
        plugin.Next();
    }
    return fixes;
}

struct Arguments
{
    std::string drawing;
    std::vector<std::string> standards;
    int edits = 20;
    bool tsv = false;
};

int usage(const std::string& message)
{
    std::fprintf(stderr,
                 "kv_background_bench: %s\n"
                 "usage: kv_background_bench DRAWING.dxf STANDARDS.dxf... [--edits N] [--tsv]\n",
                 message.c_str());
    return 2;
}

int run(ModuleHost& host, const Arguments& arguments)
{
    const double scan = scanSeconds(arguments.drawing);
    const Report report(arguments.tsv, scan);
    report.row("line scan of the drawing", scan);
    for (const std::string& path : arguments.standards) {
        report.row("line scan of " + path.substr(path.rfind('/') + 1), scanSeconds(path));
    }

    CKvSystemServices& services = host.services();
    CKvDocument* document = services.documentManager()->open(CKvString(arguments.drawing.c_str()));
    if (document == nullptr) {
        std::fprintf(stderr, "%s\n", services.documentManager()->lastError().toUtf8().c_str());
        return 2;
    }
    const OdDbDatabasePtr drawing(document->database());
    std::vector<CKvString> paths;
    for (const std::string& path : arguments.standards) {
        paths.emplace_back(QFileInfo(QString::fromStdString(path)).absoluteFilePath());
    }
    CKvStandardsAssociation(drawing.get()).setPaths(paths);
    CKvStdsManager* manager = GetKvStandardManager();
    // The layer plug-in, by its class id.
    const CKvStdsPluginsPtr layers =
        manager != nullptr
            ? manager->getPluginAt(CKvString(L"E81A7EB1-A22C-4bd4-96F8-725D0798DE29"))
            : CKvStdsPluginsPtr();
    if (layers.isNull() || !manager->init(document)) {
        std::fprintf(stderr, "kv_background_bench: the module cannot check the drawing\n");
        return 1;
    }

    // A check that finds a violation after a conforming edit would show its notification; it
    // is declined at once so that the run goes on.
    int declined = 0;
    QTimer decline;
    decline.setInterval(0);
    QObject::connect(&decline, &QTimer::timeout, [&declined] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            ++declined;
            dialog->reject();
        }
    });
    decline.start();

    const OdDbDatabasePtr standards = OdDbDatabase::readFile(paths.front().toOdString());
    const std::vector<OdDbObjectId> editable = editableLayers(*drawing, *standards);
    if (editable.size() < 2 * static_cast<size_t>(arguments.edits) + 1) {
        std::fprintf(stderr, "kv_background_bench: too few layers to edit\n");
        return 2;
    }
    // The violating edits go to a copy of the drawing that is no document, whose changes no
    // background check follows.
    const OdDbDatabasePtr copy = OdDbDatabase::readFile(OdString(arguments.drawing));
    std::vector<double> conforming;
    std::vector<double> violating;
    long fixes = 0;
    for (int edit = 0; edit <= arguments.edits; ++edit) {
        conform(editable[2 * static_cast<size_t>(edit)], *drawing, *standards);
        Clock::time_point start = Clock::now();
        services.commandProcessor().runCommand(CKvString("_INTERSTATEVERIFY"));
        const double conformingSeconds = secondsSince(start);

        const OdDbObjectId renamed =
            copy->getOdDbObjectId(editable[2 * static_cast<size_t>(edit) + 1].getHandle());
        {
            const OdDbLayerTableRecordPtr layer = renamed.safeOpenObject(OdDb::kForWrite);
            layer->setName(layer->getName() + OdString("-kv-bench"));
        }
        start = Clock::now();
        fixes = checkOneLayer(*layers, copy, renamed, paths);
        const double violatingSeconds = secondsSince(start);
        if (edit == 0) {
            report.row("first check after an edit (reads the standards)", conformingSeconds);
        } else {
            conforming.push_back(conformingSeconds);
            violating.push_back(violatingSeconds);
        }
    }
    report.row("check after a conforming edit, median", median(conforming));
    report.row("check after a violating edit (" + std::to_string(fixes) + " fixes), median",
               median(violating));
    if (declined != 0) {
        std::fprintf(stderr, "kv_background_bench: %d checks found a violation\n", declined);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    Arguments arguments;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--tsv") {
            arguments.tsv = true;
        } else if (arg == "--edits" && i + 1 < argc) {
            arguments.edits = std::atoi(argv[++i]);
        } else if (!arg.empty() && arg.front() == '-') {
            return usage("unknown option " + std::string(arg));
        } else if (arguments.drawing.empty()) {
            arguments.drawing = arg;
        } else {
            arguments.standards.emplace_back(arg);
        }
    }
    if (arguments.standards.empty() || arguments.edits < 1) {
        return usage("a drawing, at least one standards drawing and --edits of 1 or more");
    }
    std::string error;
    std::unique_ptr<ModuleHost> host = ModuleHost::start(error);
    if (!host) {
        std::fprintf(stderr, "kv_background_bench: %s\n", error.c_str());
        return 1;
    }
    try {
        return run(*host, arguments);
    } catch (const OdError& e) {
        std::fprintf(stderr, "kv_background_bench: %s\n", e.description().toUtf8().c_str());
        return 2;
    }
}
