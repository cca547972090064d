// The geometry of the player's button bar: equal cells that share their border
// pixel, laid out left to right in button order, the sizes a bar of a given
// width asks for, which cell a press hits, and how the arrow keys move the
// selection. Pure arithmetic on the visible set; painting and input handling
// are TMediaPlayer's.
#pragma once

#include "player/player_types.h"

#include <optional>

namespace buttonbar {

// A cell: left and top included, right and bottom excluded.
struct CellRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    friend bool operator==(const CellRect&, const CellRect&) = default;
};

struct Size {
    int Width = 0, Height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Number of visible buttons, never less than 1 so that a bar always has a cell.
int visibleCount(TButtonSet visible);
// The cell width that fills `width`: (width - 1) div count + 1.
int cellWidthFor(int width, int count);
// The width of `count` cells of `cellWidth` sharing their borders.
int widthFor(int count, int cellWidth);
// The size a bar of this size asks for: whole cells, never narrower or lower than the smallest cell.
Size wantedSize(Size current, int count, int minCellWidth, int minCellHeight);

struct Hit {
    TMPBtnType Button = btPlay;
    int Left = 0;
};
// The visible button whose cell holds x (both ends included, so a shared border
// pixel belongs to the left button); none when x lies beyond the last cell.
std::optional<Hit> hitTest(TButtonSet visible, int cellWidth, int x);

// The nearest visible button left of `from`, stopping at btPlay even when it is hidden.
TMPBtnType selectLeft(TButtonSet visible, TMPBtnType from);
// The nearest visible button right of `from`, stopping at btEject even when it is hidden.
TMPBtnType selectRight(TButtonSet visible, TMPBtnType from);

} // namespace buttonbar
