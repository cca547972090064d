// A control's font as the stored layouts describe it: a family name, a
// character height in pixels (without internal leading), a style and a colour.
// The layouts name the fonts of the original design; toQFont() maps them to
// the stand-ins installed here, so that text metrics do not depend on which
// fonts the desktop happens to prefer.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

struct TFont {
    QString Name = QStringLiteral("MS Sans Serif");
    int Height = 13; // character height in pixels
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    QColor Color = Qt::black;

    QFont toQFont() const;
    bool operator==(const TFont&) const = default;
};

// The installed family that stands in for a design family name.
QString standInFamily(const QString& designFamily);
