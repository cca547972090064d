// The colours the layouts name: fixed colours with their exact values and the
// system colours, taken from the application palette.
#pragma once

#include <QColor>
#include <QString>
#include <optional>

namespace colors {

inline const QColor clNavy{0, 0, 128};
inline const QColor clYellow{255, 255, 0};
inline const QColor clSilver{192, 192, 192};
inline const QColor clRed{255, 0, 0};
inline const QColor clTeal{0, 128, 128};
inline const QColor clOlive{128, 128, 0};
inline const QColor clBlack{0, 0, 0};
inline const QColor clWhite{255, 255, 255};

QColor btnFace();
QColor btnShadow();
QColor btnHighlight();
QColor light3D(); // between face and highlight
QColor dkShadow3D(); // darker than the shadow
QColor windowFrame();
QColor windowText();
QColor window();

// A colour by its layout name ("clNavy", "clBtnFace", "#RRGGBB"); empty when unknown.
std::optional<QColor> byName(const QString& name);

} // namespace colors
