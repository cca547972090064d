#include "player/button_bar_layout.h"

#include <algorithm>

namespace buttonbar {

int visibleCount(TButtonSet visible)
{
    int count = 0;
    for (int i = 0; i < kMPButtonCount; ++i)
        if (visible.contains(static_cast<TMPBtnType>(i)))
            ++count;
    return std::max(count, 1);
}

int cellWidthFor(int width, int count) { return (width - 1) / count + 1; }

int widthFor(int count, int cellWidth) { return count * (cellWidth - 1) + 1; }

Size wantedSize(Size current, int count, int minCellWidth, int minCellHeight)
{
    const int width = std::max(widthFor(count, cellWidthFor(current.Width, count)), widthFor(count, minCellWidth));
    return {width, std::max(current.Height, minCellHeight)};
}

std::optional<Hit> hitTest(TButtonSet visible, int cellWidth, int x)
{
    int left = 0;
    for (int i = 0; i < kMPButtonCount; ++i) {
        const auto button = static_cast<TMPBtnType>(i);
        if (!visible.contains(button))
            continue;
        if (left <= x && x <= left + cellWidth)
            return Hit{button, left};
        left += cellWidth - 1;
    }
    return std::nullopt;
}

TMPBtnType selectLeft(TButtonSet visible, TMPBtnType from)
{
    int i = from;
    while (i > btPlay) {
        --i;
        if (visible.contains(static_cast<TMPBtnType>(i)))
            break;
    }
    return static_cast<TMPBtnType>(i);
}

TMPBtnType selectRight(TButtonSet visible, TMPBtnType from)
{
    int i = from;
    while (i < btEject) {
        ++i;
        if (visible.contains(static_cast<TMPBtnType>(i)))
            break;
    }
    return static_cast<TMPBtnType>(i);
}

} // namespace buttonbar
