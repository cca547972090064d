// Speaks a list of Russian phrases into wave files with the espeak-ng
// synthesiser, several at a time, and tidies each clip (see WaveClip). It
// knows nothing of letters or folders: the caller says what to say and where.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace content {

class SpeechBatch {
public:
    explicit SpeechBatch(std::filesystem::path synthesiser);

    // Queues one phrase (UTF-8) to be spoken into the file at path.
    void add(std::string phrase, std::filesystem::path path);

    // Speaks every queued phrase; raises Exception naming the first phrase
    // that could not be spoken. The queue is empty afterwards.
    void run();

private:
    struct Job {
        std::string phrase;
        std::filesystem::path path;
    };

    std::filesystem::path m_synthesiser;
    std::vector<Job> m_jobs;
};

} // namespace content
