// The benchmark's figures: a series of timings with its median and worst, the
// resident set size as /proc reports it, and the one table that is printed,
// each figure beside its target and whether it met it. A missed target is
// printed as missed; nothing here hides or rounds one away.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

double milliseconds(Clock::duration duration);

class Series {
public:
    void add(double value) { m_values.push_back(value); }
    std::size_t count() const { return m_values.size(); }
    bool empty() const { return m_values.empty(); }
    // The middle value (the upper one of the two middles for an even count).
    double median() const;
    double worst() const;
    const std::vector<double>& values() const { return m_values; }

private:
    std::vector<double> m_values;
};

// This process's resident set size in MiB (/proc/self/statm, second field).
double residentMiB();

class Table {
public:
    // A row: what was measured, its figures as printed, the target, and whether it was met.
    void add(std::string measure, std::string figures, std::string target, bool met);
    // A row without a target.
    void note(std::string measure, std::string figures);
    void print() const;
    bool allMet() const;

private:
    struct Row {
        std::string measure;
        std::string figures;
        std::string target;
        std::string verdict;
    };
    std::vector<Row> m_rows;
    bool m_allMet = true;
};

// The one-minute load average, as printed: on a shared machine, wall-clock figures mean little without it.
std::string loadAverage();

// printf-style formatting into a string.
std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

} // namespace bench
