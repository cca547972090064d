#include "bench/memo_layout/load_timing.h"

#include "app/text_lines.h"
#include "platform/ui/memo.h"

#include <QCoreApplication>
#include <time.h>

namespace bench {

namespace {

double threadProcessorMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct Span {
    double wallMs;
    double processorMs;
};

void emptyAndDraw(TMemo& area)
{
    area.Clear();
    area.repaint();
    QCoreApplication::processEvents();
}

Span loadAndDraw(TMemo& area, const QString& path)
{
    emptyAndDraw(area);
    const double processorStart = threadProcessorMs();
    const Clock::time_point start = Clock::now();
    LoadTextLines(area, path);
    area.repaint();
    return {milliseconds(Clock::now() - start), threadProcessorMs() - processorStart};
}

} // namespace

LoadFigures timeLoads(TMemo& area, const QString& path, int repeats, double repeatBudgetMs)
{
    LoadFigures figures;
    const Span first = loadAndDraw(area, path);
    figures.firstMs = first.wallMs;
    figures.firstProcessorMs = first.processorMs;
    if (figures.firstMs > repeatBudgetMs)
        return figures;
    for (int i = 0; i < repeats; ++i) {
        const Span again = loadAndDraw(area, path);
        figures.repeats.add(again.wallMs);
        figures.repeatsProcessor.add(again.processorMs);
    }
    return figures;
}

} // namespace bench
