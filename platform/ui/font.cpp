#include "platform/ui/font.h"

QString standInFamily(const QString& designFamily)
{
    if (designFamily.compare(QLatin1String("Times New Roman"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Serif");
    if (designFamily.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Sans");
    return designFamily;
}

QFont TFont::toQFont() const
{
    QFont font(standInFamily(Name));
    font.setPixelSize(Height > 0 ? Height : 1);
    font.setBold(Bold);
    font.setItalic(Italic);
    font.setUnderline(Underline);
    // Full hinting keeps glyph metrics on whole pixels, as the layouts assume.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}
