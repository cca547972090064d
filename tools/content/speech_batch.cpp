#include "tools/content/speech_batch.h"

#include "tools/content/wave_clip.h"

#include "platform/exception/exception.h"

#include <QProcess>
#include <QThread>

#include <deque>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace content {

namespace {

// A calm pace a small child can follow (words per minute).
constexpr int kWordsPerMinute = 130;
// A synthesiser that has not finished a short phrase by then has hung.
constexpr int kSynthesisTimeoutMs = 30000;

std::filesystem::path rawPathFor(const std::filesystem::path& path)
{
    std::filesystem::path raw = path;
    raw += ".synth";
    return raw;
}

std::string readWhole(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw Exception("Cannot open file " + path.string());
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

} // namespace

SpeechBatch::SpeechBatch(std::filesystem::path synthesiser) : m_synthesiser(std::move(synthesiser)) {}

void SpeechBatch::add(std::string phrase, std::filesystem::path path)
{
    m_jobs.push_back({std::move(phrase), std::move(path)});
}

void SpeechBatch::run()
{
    // The synthesiser is single-threaded; one process per core keeps the
    // machine busy without crowding it.
    const auto parallel = static_cast<size_t>(std::max(1, QThread::idealThreadCount()));
    std::vector<Job> jobs = std::move(m_jobs);
    m_jobs.clear();

    struct Running {
        const Job* job;
        std::unique_ptr<QProcess> process;
    };
    std::deque<Running> running;
    // On an error, end the phrases still being spoken before their files go.
    struct StopRunning {
        std::deque<Running>& running;
        ~StopRunning()
        {
            for (Running& r : running) {
                r.process->kill();
                r.process->waitForFinished();
            }
        }
    } stopRunning{running};
    size_t next = 0;

    const auto start = [this, &running](const Job& job) {
        auto process = std::make_unique<QProcess>();
        process->setProgram(QString::fromStdString(m_synthesiser.string()));
        // -b 1: the phrase is UTF-8 whatever the build's locale says.
        process->setArguments({"-b", "1", "-v", "ru", "-s", QString::number(kWordsPerMinute), "-w",
                               QString::fromStdString(rawPathFor(job.path).string()),
                               QString::fromStdString(job.phrase)});
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        process->start();
        running.push_back({&job, std::move(process)});
    };

    while (next < jobs.size() || !running.empty()) {
        while (next < jobs.size() && running.size() < parallel)
            start(jobs[next++]);
        Running done = std::move(running.front());
        running.pop_front();
        QProcess& process = *done.process;
        const bool finished = process.waitForFinished(kSynthesisTimeoutMs);
        if (!finished || process.exitStatus() != QProcess::NormalExit)
            throw Exception("espeak-ng could not speak \"" + done.job->phrase
                            + "\": " + process.errorString().toStdString());
        if (process.exitCode() != 0)
            throw Exception("espeak-ng could not speak \"" + done.job->phrase + "\": exit code "
                            + std::to_string(process.exitCode()));
        const std::filesystem::path raw = rawPathFor(done.job->path);
        const WaveClip clip = tidySpeech(parseWave(readWhole(raw)));
        writeWaveFile(clip, done.job->path);
        std::filesystem::remove(raw);
    }
}

} // namespace content
