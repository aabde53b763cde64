// kv_fix_interop: applies every fix path of the real-content fixture and writes each fixed
// drawing, for the interop test to check with ezdxf.
//
//   kv_fix_interop FIXTURE_DIR RESOURCES_DIR OUT_DIR
//
// Writes OUT_DIR/fixed-N.dxf for the N-th path and prints "N<TAB>what it fixes" per path. Exit
// codes: 0 done, 1 a path could not be applied (the reason on stderr), 2 bad arguments.
#include "RealContent.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: kv_fix_interop FIXTURE_DIR RESOURCES_DIR OUT_DIR\n");
        return 2;
    }
    const std::string fixtures = argv[1];
    FixHost host{CKvString(argv[2])};
    for (size_t i = 0; i < kFixPaths.size(); ++i) {
        const std::string output = std::string(argv[3]) + "/fixed-" + std::to_string(i) + ".dxf";
        const std::string problem = host.apply(kFixPaths[i], fixtures + "/real-content.dxf",
                                               fixtures + "/real-content-standards.dxf", output);
        if (!problem.empty()) {
            std::fprintf(stderr, "%s: %s\n", kFixPaths[i].what, problem.c_str());
            return 1;
        }
        std::printf("%zu\t%s\n", i, kFixPaths[i].what);
    }
    return 0;
}
