// Places the aligned children of a container in its client area: top and
// bottom controls stacked in from their edges (the one nearer its edge
// first), then left and right ones in what is left, and a client control
// filling the rest. Unaligned children keep their positions.
#pragma once

#include <QRect>

class QWidget;

void alignControls(QWidget* container, QRect client);
