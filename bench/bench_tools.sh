# What the benchmark scripts share; sourced, not run.

# require_tools BUILD_DIR TOOL...: exits with status 2, naming the script, unless every tool is
# built in BUILD_DIR/bin.
require_tools() {
    local build=$1 tool
    shift
    for tool in "$@"; do
        if [ ! -x "$build/bin/$tool" ]; then
            echo "$(basename "$0"): $build/bin/$tool not found; build first" >&2
            exit 2
        fi
    done
}

# make_work_folder NAME: sets $work to a new temporary folder, removed when the script exits.
make_work_folder() {
    work=$(mktemp -d "${TMPDIR:-/tmp}/$1.XXXXXX")
    trap 'rm -rf "$work"' EXIT
}
