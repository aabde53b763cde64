// kv_gen_standards: writes a drawing and a standards drawing to check it against, for the
// benchmarks of the standards check.
//
//   kv_gen_standards DRAWING.dxf STANDARDS.dxf --layers N [--entities E] [--seed S] [--tsv]
//
// Both drawings start from the synthetic drawing of kv_gen_drawing (the drawing with E
// entities, the standards drawing with none) and get, through the SDK, N layers, N/10 text
// styles, N/10 dimension styles and N/40 line styles (at least one of each). Most records of the
// drawing match the standards record of their name; some differ in one compared value, some
// have names the standards lack, a few layers are hidden, and the drawing's Defpoints layer has
// no standards counterpart. The drawing's entities are spread over its new layers and styles.
// The output depends only on the arguments. It ends with what was planted, per record kind:
// the records of each drawing and the violations the check should report.
// Exit codes: 0 written, 1 a file could not be written, 2 bad arguments.
#include "BenchDrawing.h"
#include "StandardsPlan.h"
#include "StandardsWriter.h"

#include <DbDatabase.h>
#include <DbLayerTableRecord.h>
#include <DbSymbolTable.h>
#include <OdError.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

using kvbench::Verdict;

struct Arguments
{
    std::string drawing, standards;
    long layers = -1;
    long entities = 4000;
    unsigned long long seed = 1;
    bool tsv = false;
};

int usage(const std::string& message)
{
    std::fprintf(stderr,
                 "kv_gen_standards: %s\n"
                 "usage: kv_gen_standards DRAWING.dxf STANDARDS.dxf --layers N [--entities E]\n"
                 "                        [--seed S] [--tsv]\n",
                 message.c_str());
    return 2;
}

bool parseNumber(const char* text, unsigned long long limit, unsigned long long& value)
{
    char* end = nullptr;
    errno = 0;
    const unsigned long long parsed = std::strtoull(text, &end, 10);
    if (end == text || *end != '\0' || *text == '-' || errno != 0 || parsed > limit) {
        return false;
    }
    value = parsed;
    return true;
}

// Empty when the arguments are fine, else what is wrong with them.
std::string parse(int argc, char** argv, Arguments& arguments)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--tsv") {
            arguments.tsv = true;
        } else if (arg == "--layers" || arg == "--entities" || arg == "--seed") {
            if (i + 1 == argc) {
                return std::string(arg) + " needs a value";
            }
            unsigned long long value = 0;
            const unsigned long long limit = arg == "--seed" ? ~0ull : 10000000ull;
            if (!parseNumber(argv[++i], limit, value)) {
                return std::string(arg) + ": not a number in range: " + argv[i];
            }
            if (arg == "--seed") {
                arguments.seed = value;
            } else {
                (arg == "--layers" ? arguments.layers : arguments.entities) =
                    static_cast<long>(value);
            }
        } else if (!arg.empty() && arg.front() == '-') {
            return "unknown option " + std::string(arg);
        } else if (arguments.drawing.empty()) {
            arguments.drawing = arg;
        } else if (arguments.standards.empty()) {
            arguments.standards = arg;
        } else {
            return "more than two output files";
        }
    }
    if (arguments.standards.empty() || arguments.layers < 0) {
        return "two output files and --layers are required";
    }
    if (arguments.layers < 1) {
        return "--layers must be at least 1";
    }
    return std::string();
}

// The synthetic drawing both drawings start from, read into a database through a scratch file
// in the temporary folder. Its few records are the same in both (the record plan does not depend
// on the entity count).
OdDbDatabasePtr baseDrawing(long entities)
{
    kvbench::Options options;
    options.entities = entities;
    options.layers = 1;
    options.textStyles = 0;
    options.dimStyles = 0;
    options.linetypes = 0;
    const std::string text = kvbench::Generator(options).write();
    const char* folder = std::getenv("TMPDIR");
    std::string scratch = std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") +
                          "/kv_gen_standards-XXXXXX";
    const int descriptor = mkstemp(scratch.data());
    if (descriptor < 0) {
        throw std::runtime_error("cannot create " + scratch + ": " + std::strerror(errno));
    }
    std::FILE* file = fdopen(descriptor, "wb");
    const bool written =
        file != nullptr && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if ((file != nullptr ? std::fclose(file) : close(descriptor)) != 0 || !written) {
        std::remove(scratch.c_str());
        throw std::runtime_error("cannot write " + scratch);
    }
    try {
        OdDbDatabasePtr database = OdDbDatabase::readFile(OdString(scratch));
        std::remove(scratch.c_str());
        return database;
    } catch (...) {
        std::remove(scratch.c_str());
        throw;
    }
}

long recordCount(OdDbObjectId tableId)
{
    const OdDbSymbolTablePtr table = tableId.safeOpenObject();
    long count = 0;
    for (OdDbSymbolTableIteratorPtr it = table->newIterator(); !it->done(); it->step()) {
        ++count;
    }
    return count;
}

template <class Spec>
void printKind(bool tsv, const char* kind, OdDbObjectId drawingTable, OdDbObjectId standardsTable,
               const std::vector<Spec>& planted)
{
    const long drawing = recordCount(drawingTable);
    const long standards = recordCount(standardsTable);
    const long properties = kvbench::countVerdict(planted, Verdict::Properties);
    const long names = kvbench::countVerdict(planted, Verdict::Name);
    const long hidden = kvbench::countVerdict(planted, Verdict::Unchecked);
    const char* format =
        tsv ? "%s\t%ld\t%ld\t%ld\t%ld\t%ld\n" : "%-18s %10ld %10ld %11ld %10ld %8ld\n";
    std::printf(format, kind, drawing, standards, properties, names, hidden);
}

}  // namespace

int main(int argc, char** argv)
{
    Arguments arguments;
    const std::string problem = parse(argc, argv, arguments);
    if (!problem.empty()) {
        return usage(problem);
    }
    const kvbench::StandardsPlan plan = kvbench::planStandards(arguments.layers, arguments.seed);
    try {
        OdDbDatabasePtr standards = baseDrawing(0);
        {
            // Without a standards Defpoints layer, the drawing's is exempt from the check.
            OdDbLayerTableRecordPtr defpoints =
                standards->getLayerDefpointsId().safeOpenObject(OdDb::kForWrite);
            defpoints->setName(OdString("G-ANNO-NPLT"));
        }
        kvbench::addRecords(*standards, plan.standards);
        OdDbDatabasePtr drawing = baseDrawing(arguments.entities);
        kvbench::addRecords(*drawing, plan.drawing);
        // Another stream than the plan's, so that entity placement does not mirror it.
        kvbench::Random random(arguments.seed ^ 0x454E544954494553ull);
        kvbench::spreadEntities(*drawing, plan.drawing, random);
        // Both are built before either is written: a failure while building leaves no file.
        drawing->writeFile(OdString(arguments.drawing));
        standards->writeFile(OdString(arguments.standards));

        // Named as the plug-ins name themselves, so that the counts can be set side by side.
        if (!arguments.tsv) {
            std::printf("%-18s %10s %10s %11s %10s %8s\n", "planted", "drawing", "standards",
                        "properties", "names", "hidden");
        }
        printKind(arguments.tsv, "Dimension Styles", drawing->getDimStyleTableId(),
                  standards->getDimStyleTableId(), plan.drawing.dimStyles);
        printKind(arguments.tsv, "Layers", drawing->getLayerTableId(), standards->getLayerTableId(),
                  plan.drawing.layers);
        printKind(arguments.tsv, "Line Styles", drawing->getLinetypeTableId(),
                  standards->getLinetypeTableId(), plan.drawing.linetypes);
        printKind(arguments.tsv, "Text Styles", drawing->getTextStyleTableId(),
                  standards->getTextStyleTableId(), plan.drawing.textStyles);
    } catch (const OdError& e) {
        std::fprintf(stderr, "kv_gen_standards: %s\n", e.description().toUtf8().c_str());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kv_gen_standards: %s\n", e.what());
        return 1;
    }
    return 0;
}
