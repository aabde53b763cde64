#include "BatchRunner.h"

#include "CommandLine.h"
#include "WorkerPool.h"

#include <QFileInfo>

#include <algorithm>
#include <chrono>
#include <optional>
#include <unistd.h>

// "kvcad check: 12 of 500 drawings, about 4 min left" on stderr while a batch runs, when stderr
// is a terminal; cleared before anything else is said there and at the end.
class Progress
{
public:
    Progress(std::string command, size_t total, bool shown)
        : m_command(std::move(command))
        , m_total(total)
        , m_shown(shown)
        , m_start(std::chrono::steady_clock::now())
    {}
    ~Progress() { clear(); }

    bool shown() const { return m_shown; }

    // Before a message: the line goes, and comes back with the next show().
    void clear()
    {
        if (m_shown) {
            std::fputs("\r\033[K", stderr);
            m_shownAt = std::chrono::steady_clock::time_point();
        }
    }

    void show()
    {
        const auto now = std::chrono::steady_clock::now();
        // Ten times a second is enough for a reader, and the last one always.
        if (!m_shown || (now - m_shownAt < std::chrono::milliseconds(100) && m_done < m_total)) {
            return;
        }
        m_shownAt = now;
        std::string line = "\rkvcad " + m_command + ": " + std::to_string(m_done) + " of " +
                           counted(static_cast<int>(m_total), "drawing", "drawings");
        if (m_done > 0 && m_done < m_total) {
            const double elapsed = std::chrono::duration<double>(now - m_start).count();
            const long left =
                std::max(1L, static_cast<long>(elapsed / static_cast<double>(m_done) *
                                               static_cast<double>(m_total - m_done)));
            line += left < 60 ? ", about " + std::to_string(left) + " s left"
                              : ", about " + std::to_string((left + 30) / 60) + " min left";
        }
        std::fputs((line + "\033[K").c_str(), stderr);
        std::fflush(stderr);
    }

    void step()
    {
        ++m_done;
        show();
    }

private:
    std::string m_command;
    size_t m_total;
    size_t m_done = 0;
    bool m_shown;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_shownAt;
};

namespace {

// Text written to a stream lands in a string (the worker's report of each drawing).
std::FILE* stringStream(std::string& text)
{
    cookie_io_functions_t functions{};
    functions.write = [](void* cookie, const char* data, size_t size) -> ssize_t {
        static_cast<std::string*>(cookie)->append(data, size);
        return static_cast<ssize_t>(size);
    };
    return fopencookie(&text, "w", functions);
}

QString canonical(const std::string& path)
{
    return QFileInfo(QString::fromStdString(path)).canonicalFilePath();
}

}  // namespace

BatchRunner::BatchRunner(ModuleHost& host, CKvStdsManager& manager, const BatchOptions& options,
                         std::vector<ReportRequest> reports, std::vector<std::FILE*> streams,
                         std::vector<std::string> drawings, const std::string& command)
    : m_manager(manager)
    , m_options(options)
    , m_reports(std::move(reports))
    , m_streams(std::move(streams))
    , m_drawings(std::move(drawings))
    , m_command(command)
    , m_batch(host, manager, options.standards, command + " stopped")
{
    if (options.worker) {
        m_workerStream = stringStream(m_workerText);
    }
}

BatchRunner::~BatchRunner()
{
    if (m_workerStream != nullptr) {
        std::fclose(m_workerStream);
    }
}

std::FILE* BatchRunner::stream(size_t report)
{
    return report < m_streams.size() ? m_streams[report] : nullptr;
}

bool BatchRunner::reads(const std::string& path) const
{
    const QString file = canonical(path);
    return m_batch.reads(path) || (!file.isEmpty() && m_readByWorkers.count(file) > 0);
}

void BatchRunner::run(DrawingBatch::Work& work, const std::function<void(const Json&)>& replay)
{
    if (m_options.worker) {
        serve(work);
        return;
    }
    Progress progress(m_command, m_drawings.size(), isatty(2) != 0);
    progress.show();
    if (m_options.jobs > 1 && m_drawings.size() > 1) {
        runInWorkers(work, replay, progress);
    } else {
        runHere(work, progress);
    }
}

void BatchRunner::runHere(DrawingBatch::Work& work, Progress& progress)
{
    for (const std::string& drawing : m_drawings) {
        std::optional<StderrCapture> capture;
        if (progress.shown()) {
            capture.emplace();
        }
        m_batch.runOne(drawing, work);
        const std::string said = capture ? capture->finish() : std::string();
        if (!said.empty()) {
            progress.clear();
            std::fputs(said.c_str(), stderr);
        }
        progress.step();
    }
}

void BatchRunner::serve(DrawingBatch::Work& work)
{
    std::fflush(m_workerStream);
    m_workerText.clear();
    WorkerPool::serve([&](const std::string& drawing) {
        m_batch.runOne(drawing, work);
        std::fflush(m_workerStream);
        std::string report;
        report.swap(m_workerText);
        return report;
    });
}

void BatchRunner::runInWorkers(DrawingBatch::Work& work,
                               const std::function<void(const Json&)>& replay, Progress& progress)
{
    // What became of each drawing, kept until the drawings before it are reported.
    std::vector<std::optional<Outcome>> outcomes(m_drawings.size());
    std::vector<std::string> handedOut;
    std::vector<size_t> indexOf;
    for (size_t i = 0; i < m_drawings.size(); ++i) {
        const std::string refused = work.refusal(m_drawings[i]);
        if (refused.empty()) {
            handedOut.push_back(m_drawings[i]);
            indexOf.push_back(i);
        } else {
            outcomes[i] = Outcome{std::string(), std::string(), refused};
            progress.step();
        }
    }
    std::set<std::string> said;
    size_t next = 0;
    const auto reportInOrder = [&] {
        for (; next < outcomes.size() && outcomes[next]; ++next) {
            report(m_drawings[next], *outcomes[next], work, replay, said, progress);
            outcomes[next] = Outcome();
        }
    };
    const auto reportReady = [&](size_t k, Outcome outcome) {
        outcomes[indexOf[k]] = std::move(outcome);
        progress.step();
        reportInOrder();
    };
    reportInOrder();
    std::vector<std::string> arguments = programArguments();
    arguments.insert(arguments.begin() + (arguments.empty() ? 0 : 1), "--worker");
    WorkerPool::run(
        arguments, m_options.jobs, handedOut,
        [&](size_t k, std::string text, std::string messages) {
            reportReady(k, Outcome{std::move(text), std::move(messages), std::string()});
        },
        [&](size_t k, const std::string& why) {
            reportReady(k, Outcome{std::string(), std::string(), why});
        });
}

void BatchRunner::report(const std::string& drawing, const Outcome& outcome,
                         DrawingBatch::Work& work, const std::function<void(const Json&)>& replay,
                         std::set<std::string>& said, Progress& progress)
{
    // Each worker says once what the batch says once (a standards file that cannot be read).
    std::string messages;
    size_t begin = 0;
    for (size_t end; (end = outcome.messages.find('\n', begin)) != std::string::npos;
         begin = end + 1) {
        const std::string line = outcome.messages.substr(begin, end + 1 - begin);
        messages += said.insert(line).second ? line : std::string();
    }
    std::string failure = outcome.failure;
    if (failure.empty()) {
        try {
            const size_t start = outcome.report.find('{');
            const Json entry = Json::parse(
                start == std::string::npos ? outcome.report : outcome.report.substr(start));
            m_readByWorkers.insert(canonical(entry.at("drawing").get<std::string>()));
            for (const Json& path : entry.at("standards")) {
                m_readByWorkers.insert(canonical(path.get<std::string>()));
            }
            replay(entry);
        } catch (const Json::exception& e) {
            failure = std::string("the worker's report cannot be read: ") + e.what();
        }
    }
    if (!messages.empty() || !failure.empty()) {
        progress.clear();
        std::fputs(messages.c_str(), stderr);
    }
    if (!failure.empty()) {
        m_batch.fail(drawing, failure, work);
    }
    progress.show();
}
