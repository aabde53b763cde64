// kvcad's worker processes: copies of kvcad, each doing one drawing after another as it is handed
// them, so that a batch's drawings are done in parallel. The standards module and the SDK keep
// process-wide state, so parallel work takes processes, not threads.
//
// The protocol, on the worker's standard input and output: kvcad hands the worker a drawing as a
// line holding the path as a JSON string; the worker answers with a line "R M" (two byte counts)
// followed by its JSON report of the drawing (R bytes) and what it said on stderr meanwhile (M
// bytes). Closing the worker's input ends it.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

class WorkerPool
{
public:
    // `done(index, report, messages)` for each drawing a worker answered; `lost(index, why)` for
    // each one whose worker ended before answering (or none could be started), in the order they
    // come.
    using Done = std::function<void(size_t, std::string, std::string)>;
    using Lost = std::function<void(size_t, const std::string&)>;

    // Starts up to `jobs` workers, kvcad run with `arguments` (without the program), and hands
    // them the drawings, each one to the first worker free. A worker that ends while on a drawing
    // is replaced by a new one, unless it ended before answering any.
    static void run(const std::vector<std::string>& arguments, int jobs,
                    const std::vector<std::string>& drawings, const Done& done, const Lost& lost);

    // In a worker: reads the drawings from standard input and answers each with the report text
    // that `work(drawing)` gives and what was said on stderr while it ran.
    static void serve(const std::function<std::string(const std::string&)>& work);
};

// What the process says on stderr from construction to finish(): kept in a temporary file
// instead of shown, and handed back. Without a temporary file, stderr is left as it is.
class StderrCapture
{
public:
    StderrCapture();
    ~StderrCapture();
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;
    // Puts stderr back; what was said meanwhile.
    std::string finish();

private:
    int m_saved = -1;
    std::FILE* m_file = nullptr;
};
