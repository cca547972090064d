#include "bench/program/figures.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <unistd.h>

namespace bench {

namespace {

// Characters as a terminal shows them: UTF-8 continuation bytes take no column.
std::size_t shownWidth(const std::string& text)
{
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }));
}

} // namespace

double milliseconds(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

double Series::median() const
{
    std::vector<double> sorted = m_values;
    std::sort(sorted.begin(), sorted.end());
    return sorted.empty() ? 0.0 : sorted[sorted.size() / 2];
}

double Series::worst() const { return m_values.empty() ? 0.0 : *std::max_element(m_values.begin(), m_values.end()); }

double residentMiB()
{
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

std::string format(const char* pattern, ...)
{
    char buffer[512];
    va_list arguments;
    va_start(arguments, pattern);
    std::vsnprintf(buffer, sizeof buffer, pattern, arguments);
    va_end(arguments);
    return buffer;
}

void Table::add(std::string measure, std::string figures, std::string target, bool met)
{
    m_allMet = m_allMet && met;
    m_rows.push_back({std::move(measure), std::move(figures), std::move(target), met ? "met" : "MISSED"});
}

void Table::note(std::string measure, std::string figures)
{
    m_rows.push_back({std::move(measure), std::move(figures), "", ""});
}

void Table::print() const
{
    std::size_t widths[4] = {7, 7, 6, 6};
    for (const Row& row : m_rows) {
        widths[0] = std::max(widths[0], shownWidth(row.measure));
        widths[1] = std::max(widths[1], shownWidth(row.figures));
        widths[2] = std::max(widths[2], shownWidth(row.target));
    }
    const auto padded = [](const std::string& text, std::size_t width) {
        return text + std::string(width - shownWidth(text), ' ');
    };
    const auto line = [&](const std::string& a, const std::string& b, const std::string& c, const std::string& d) {
        std::printf("%s | %s | %s | %s\n", padded(a, widths[0]).c_str(), padded(b, widths[1]).c_str(),
                    padded(c, widths[2]).c_str(), d.c_str());
    };
    line("measure", "figures", "target", "result");
    std::printf("%s\n", std::string(widths[0] + widths[1] + widths[2] + 9 + widths[3], '-').c_str());
    for (const Row& row : m_rows)
        line(row.measure, row.figures, row.target, row.verdict);
}

bool Table::allMet() const { return m_allMet; }

std::string loadAverage()
{
    double load = 0;
    if (FILE* file = std::fopen("/proc/loadavg", "r")) {
        if (std::fscanf(file, "%lf", &load) != 1)
            load = 0;
        std::fclose(file);
    }
    return format("%.2f", load);
}

} // namespace bench
