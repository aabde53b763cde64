// How a batch's drawings are done: one after the other in this process, in worker processes
// (--jobs), or, in a worker, as the process that started it hands them out.
#pragma once

#include "BatchCommand.h"

#include <QString>

#include <memory>
#include <set>

class ModuleHost;
class Progress;

class BatchRunner : public BatchRun
{
public:
    // `streams`: the outputs of `reports` (none in a worker). `command` names the batch in
    // messages ("check").
    BatchRunner(ModuleHost& host, CKvStdsManager& manager, const BatchOptions& options,
                std::vector<ReportRequest> reports, std::vector<std::FILE*> streams,
                std::vector<std::string> drawings, const std::string& command);
    ~BatchRunner() override;

    CKvStdsManager& manager() override { return m_manager; }
    const std::vector<std::string>& drawings() const override { return m_drawings; }
    const std::vector<ReportRequest>& reports() const override { return m_reports; }
    std::FILE* stream(size_t report) override;
    std::FILE* workerStream() override { return m_workerStream; }
    void run(DrawingBatch::Work& work, const std::function<void(const Json&)>& replay) override;

    // Whether the batch read the file, as a drawing or a standards file, so far.
    bool reads(const std::string& path) const;

private:
    // What became of a drawing handed to a worker.
    struct Outcome
    {
        std::string report;
        std::string messages;
        // Why the drawing was not done; the report is then empty.
        std::string failure;
    };

    void runHere(DrawingBatch::Work& work, Progress& progress);
    void runInWorkers(DrawingBatch::Work& work, const std::function<void(const Json&)>& replay,
                      Progress& progress);
    // Says what the worker said that was not said yet, and puts the drawing into the reports
    // (`replay`) or hands its failure to the work.
    void report(const std::string& drawing, const Outcome& outcome, DrawingBatch::Work& work,
                const std::function<void(const Json&)>& replay, std::set<std::string>& said,
                Progress& progress);
    void serve(DrawingBatch::Work& work);

    CKvStdsManager& m_manager;
    const BatchOptions& m_options;
    std::vector<ReportRequest> m_reports;
    std::vector<std::FILE*> m_streams;
    std::vector<std::string> m_drawings;
    std::string m_command;
    DrawingBatch m_batch;
    // A worker's report, a drawing at a time.
    std::string m_workerText;
    std::FILE* m_workerStream = nullptr;
    // The drawings and standards files the workers read, by canonical path.
    std::set<QString> m_readByWorkers;
};
