// kv_gen_drawing: writes a large, valid ASCII DXF drawing for the benchmarks.
//
//   kv_gen_drawing OUT.dxf --entities N [--layers L] [--text-styles T] [--dim-styles D]
//                  [--linetypes K] [--version AC1027]
//
// The drawing has N model-space entities (lines, circles, arcs, polylines, text, multiline text,
// block references with attributes, rotated linear dimensions and leaders) spread over L layers,
// T text styles, D dimension styles and K dashed line styles, plus the records every drawing has.
// The output depends only on the arguments.
// Exit codes: 0 written, 1 the file could not be written, 2 bad arguments.
#include "BenchDrawing.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>

namespace {

using kvbench::Generator;
using kvbench::Options;

int usage(const char* message)
{
    std::fprintf(stderr,
                 "kv_gen_drawing: %s\n"
                 "usage: kv_gen_drawing OUT.dxf --entities N [--layers L] [--text-styles T]\n"
                 "                      [--dim-styles D] [--linetypes K] [--version AC1027]\n",
                 message);
    return 2;
}

bool parseCount(const char* text, long& value)
{
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || parsed < 0 || parsed > 100000000) {
        return false;
    }
    value = parsed;
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        long* count = arg == "--entities"      ? &options.entities
                      : arg == "--layers"      ? &options.layers
                      : arg == "--text-styles" ? &options.textStyles
                      : arg == "--dim-styles"  ? &options.dimStyles
                      : arg == "--linetypes"   ? &options.linetypes
                                               : nullptr;
        if (count != nullptr || arg == "--version") {
            if (i + 1 == argc) {
                return usage((std::string(arg) + " needs a value").c_str());
            }
            const char* value = argv[++i];
            if (count == nullptr) {
                options.version = value;
            } else if (!parseCount(value, *count)) {
                return usage((std::string(arg) + ": not a count: " + value).c_str());
            }
        } else if (!arg.empty() && arg.front() == '-') {
            return usage(("unknown option " + std::string(arg)).c_str());
        } else if (options.output.empty()) {
            options.output = std::string(arg);
        } else {
            return usage("more than one output file");
        }
    }
    if (options.output.empty() || options.entities < 0) {
        return usage("an output file and --entities are required");
    }
    if (options.layers < 1) {
        return usage("--layers must be at least 1");
    }
    static const char* const kVersions[] = {"AC1015", "AC1018", "AC1021",
                                            "AC1024", "AC1027", "AC1032"};
    if (std::find(std::begin(kVersions), std::end(kVersions), options.version) ==
        std::end(kVersions)) {
        return usage(("unsupported version " + options.version + " (AC1015 to AC1032)").c_str());
    }

    const std::string text = Generator(options).write();
    std::FILE* file = std::fopen(options.output.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "kv_gen_drawing: cannot create %s: %s\n", options.output.c_str(),
                     std::strerror(errno));
        return 1;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (std::fclose(file) != 0 || !written) {
        std::fprintf(stderr, "kv_gen_drawing: cannot write %s\n", options.output.c_str());
        return 1;
    }
    return 0;
}
