#include "WorkerPool.h"

#include "Json.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

struct Worker
{
    pid_t pid = -1;
    int input = -1;   // the worker's standard input
    int output = -1;  // the worker's standard output
    std::string received;
    // The drawing it is on; -1 when none.
    long current = -1;
    int answered = 0;
};

bool writeAll(int fd, const std::string& text)
{
    size_t written = 0;
    while (written < text.size()) {
        const ssize_t now = ::write(fd, text.data() + written, text.size() - written);
        if (now < 0 && errno == EINTR) {
            continue;
        }
        if (now <= 0) {
            return false;
        }
        written += static_cast<size_t>(now);
    }
    return true;
}

// Empty when the worker runs; else why not.
std::string start(const std::vector<std::string>& arguments, Worker& worker)
{
    int input[2];
    int output[2];
    if (::pipe2(input, O_CLOEXEC) != 0) {
        return std::strerror(errno);
    }
    if (::pipe2(output, O_CLOEXEC) != 0) {
        const std::string why = std::strerror(errno);
        ::close(input[0]);
        ::close(input[1]);
        return why;
    }
    std::vector<std::string> argv = {"kvcad"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (std::string& argument : argv) {
        pointers.push_back(argument.data());
    }
    pointers.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], 0);
    posix_spawn_file_actions_adddup2(&actions, output[1], 1);
    const int failed =
        posix_spawn(&worker.pid, "/proc/self/exe", &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(input[0]);
    ::close(output[1]);
    if (failed != 0) {
        ::close(input[1]);
        ::close(output[0]);
        return std::strerror(failed);
    }
    worker.input = input[1];
    worker.output = output[0];
    return std::string();
}

std::string howItEnded(int status)
{
    if (WIFSIGNALED(status)) {
        return "the worker process on it was ended by signal " + std::to_string(WTERMSIG(status)) +
               " (" + strsignal(WTERMSIG(status)) + ")";
    }
    return "the worker process on it ended with exit status " +
           std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
}

// A whole answer at the front of `received`: its report and messages, which are taken off.
bool takeAnswer(std::string& received, std::string& report, std::string& messages)
{
    const size_t end = received.find('\n');
    if (end == std::string::npos) {
        return false;
    }
    size_t reportSize = 0;
    size_t messageSize = 0;
    if (std::sscanf(received.c_str(), "%zu %zu", &reportSize, &messageSize) != 2 ||
        received.size() < end + 1 + reportSize + messageSize) {
        return false;
    }
    report = received.substr(end + 1, reportSize);
    messages = received.substr(end + 1 + reportSize, messageSize);
    received.erase(0, end + 1 + reportSize + messageSize);
    return true;
}

class Pool
{
public:
    Pool(const std::vector<std::string>& arguments, const std::vector<std::string>& drawings,
         const WorkerPool::Done& done, const WorkerPool::Lost& lost)
        : m_arguments(arguments), m_drawings(drawings), m_done(done), m_lost(lost)
    {}

    void run(int jobs)
    {
        m_jobs = jobs;
        const size_t count = std::min(static_cast<size_t>(std::max(jobs, 1)), m_drawings.size());
        for (size_t i = 0; i < count; ++i) {
            addWorker();
        }
        while (!m_workers.empty()) {
            std::vector<pollfd> watched;
            for (const Worker& worker : m_workers) {
                watched.push_back(pollfd{worker.output, POLLIN, 0});
            }
            if (::poll(watched.data(), watched.size(), -1) < 0) {
                continue;  // interrupted by a signal
            }
            for (size_t i = m_workers.size(); i-- > 0;) {
                if (watched[i].revents != 0 && !readFrom(m_workers[i])) {
                    ended(i);
                }
            }
            if (m_workers.empty() && m_next < m_drawings.size()) {
                addWorker();
            }
        }
    }

private:
    // Starts a worker on the next drawing; when none can be started, the drawings left are lost.
    void addWorker()
    {
        if (m_next >= m_drawings.size()) {
            return;
        }
        Worker worker;
        const std::string why = m_canStart ? start(m_arguments, worker)
                                           : std::string("no worker process could do a drawing");
        if (!why.empty()) {
            for (; m_next < m_drawings.size(); ++m_next) {
                m_lost(m_next, m_canStart ? "cannot start a worker process: " + why : why);
            }
            return;
        }
        m_workers.push_back(worker);
        handOut(m_workers.back());
    }

    void handOut(Worker& worker)
    {
        if (m_next >= m_drawings.size()) {
            ::close(worker.input);
            worker.input = -1;
            return;
        }
        worker.current = static_cast<long>(m_next++);
        // A worker that cannot be written to has ended; its output says so.
        writeAll(worker.input,
                 jsonText(Json(m_drawings[static_cast<size_t>(worker.current)])) + "\n");
    }

    // False at the end of the worker's output.
    bool readFrom(Worker& worker)
    {
        char buffer[65536];
        const ssize_t got = ::read(worker.output, buffer, sizeof buffer);
        if (got < 0) {
            return errno == EINTR || errno == EAGAIN;
        }
        if (got == 0) {
            return false;
        }
        worker.received.append(buffer, static_cast<size_t>(got));
        std::string report;
        std::string messages;
        while (worker.current >= 0 && takeAnswer(worker.received, report, messages)) {
            const auto index = static_cast<size_t>(worker.current);
            worker.current = -1;
            ++worker.answered;
            m_answered = true;
            m_done(index, std::move(report), std::move(messages));
            handOut(worker);
        }
        return true;
    }

    void ended(size_t index)
    {
        Worker worker = m_workers[index];
        m_workers.erase(m_workers.begin() + static_cast<long>(index));
        if (worker.input >= 0) {
            ::close(worker.input);
        }
        ::close(worker.output);
        int status = 0;
        while (::waitpid(worker.pid, &status, 0) < 0 && errno == EINTR) {
        }
        if (worker.current < 0) {
            return;
        }
        m_lost(static_cast<size_t>(worker.current), howItEnded(status));
        // Workers that end before they answer at all would end so again: once as many have as
        // there are jobs and none ever answered, no more are started.
        m_unanswered += worker.answered == 0 ? 1 : 0;
        m_canStart = m_answered || m_unanswered < m_jobs;
        if (m_canStart) {
            addWorker();
        }
    }

    const std::vector<std::string>& m_arguments;
    const std::vector<std::string>& m_drawings;
    const WorkerPool::Done& m_done;
    const WorkerPool::Lost& m_lost;
    std::vector<Worker> m_workers;
    size_t m_next = 0;
    int m_jobs = 1;
    bool m_answered = false;
    int m_unanswered = 0;
    bool m_canStart = true;
};

}  // namespace

void WorkerPool::run(const std::vector<std::string>& arguments, int jobs,
                     const std::vector<std::string>& drawings, const Done& done, const Lost& lost)
{
    // A worker that ends leaves a pipe nobody reads; writing to it must not end kvcad.
    struct sigaction ignore
    {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction previous
    {};
    ::sigaction(SIGPIPE, &ignore, &previous);
    Pool(arguments, drawings, done, lost).run(jobs);
    ::sigaction(SIGPIPE, &previous, nullptr);
}

void WorkerPool::serve(const std::function<std::string(const std::string&)>& work)
{
    // Answers go out on a descriptor of their own; anything else said on standard output goes to
    // stderr and cannot break them.
    std::fflush(stdout);
    const int answers = ::dup(1);
    ::dup2(2, 1);
    char* line = nullptr;
    size_t size = 0;
    while (::getline(&line, &size, stdin) > 0) {
        std::string drawing;
        try {
            drawing = Json::parse(line).get<std::string>();
        } catch (const Json::exception&) {
            break;
        }
        StderrCapture capture;
        const std::string report = work(drawing);
        const std::string messages = capture.finish();
        if (!writeAll(answers, std::to_string(report.size()) + " " +
                                   std::to_string(messages.size()) + "\n" + report + messages)) {
            break;
        }
    }
    std::free(line);
    ::close(answers);
}

StderrCapture::StderrCapture() : m_file(std::tmpfile())
{
    std::fflush(stderr);
    m_saved = m_file == nullptr ? -1 : ::dup(2);
    if (m_saved >= 0) {
        ::dup2(fileno(m_file), 2);
    }
}

StderrCapture::~StderrCapture()
{
    finish();
}

std::string StderrCapture::finish()
{
    std::string said;
    if (m_saved >= 0) {
        std::fflush(stderr);
        ::dup2(m_saved, 2);
        ::close(m_saved);
        m_saved = -1;
        std::rewind(m_file);
        char buffer[4096];
        for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, m_file)) > 0;) {
            said.append(buffer, got);
        }
    }
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    return said;
}
