#include "load_timing.h"

#include "app/text_lines.h"
#include "platform/ui/memo.h"

#include <QCoreApplication>

namespace bench {

namespace {

void emptyAndDraw(TMemo& area)
{
    area.Clear();
    area.repaint();
    QCoreApplication::processEvents();
}

double loadAndDraw(TMemo& area, const QString& path)
{
    emptyAndDraw(area);
    const Clock::time_point start = Clock::now();
    LoadTextLines(area, path);
    area.repaint();
    return milliseconds(Clock::now() - start);
}

} // namespace

LoadFigures timeLoads(TMemo& area, const QString& path, int repeats, double repeatBudgetMs)
{
    LoadFigures figures;
    figures.firstMs = loadAndDraw(area, path);
    if (figures.firstMs > repeatBudgetMs)
        return figures;
    for (int i = 0; i < repeats; ++i)
        figures.repeats.add(loadAndDraw(area, path));
    return figures;
}

} // namespace bench
