// Checks that a page's text shows whole in the main window's text area: at
// most two lines, each no wider than the area inside its border, in the
// area's bold 27-pixel serif face. Word wrap would otherwise push a long line
// onto a third row that the child never sees.
#pragma once

#include <QFont>
#include <QString>
#include <string>
#include <vector>

namespace content {

// The text area is 497 pixels wide; its sunken border takes 4 of them on each side.
constexpr int kMemoTextWidth = 489;
// The area shows two full lines at a time and has no scroll bar.
constexpr int kMemoVisibleLines = 2;
constexpr int kMemoFontPixels = 27;

// The text area's face, as the program asks for it.
QFont memoFont();

// The width of the line in the text area's face, in pixels.
int memoLineWidth(const QString& line);

// One sentence for each thing that would not show whole: a line wider than
// the area (it wraps) and lines past the visible ones; empty when all fits.
// Raises Exception when the area's face is not installed, since measuring in
// a substitute would prove nothing.
std::vector<std::string> memoFitProblems(const std::vector<std::string>& utf8Lines);

// Raises Exception with the first of the problems above.
void checkFitsMemo(const std::vector<std::string>& utf8Lines);

} // namespace content
