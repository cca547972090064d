#include "tools/artwork/artwork_fonts.h"

#include "tools/artwork/artwork_error.h"

#include <QFontDatabase>
#include <QHash>
#include <QStringList>

namespace artwork {

QFont liberationFont(const QString& fileName, int pixelSize)
{
    static QHash<QString, QString> families;
    auto found = families.find(fileName);
    if (found == families.end()) {
        const QString path = QString::fromLatin1(kLiberationFolder) + fileName;
        const int id = QFontDatabase::addApplicationFont(path);
        const QStringList names = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
        if (names.isEmpty())
            throw EArtworkError("cannot load the font " + path.toStdString());
        found = families.insert(fileName, names.front());
    }
    QFont font(found.value());
    font.setPixelSize(pixelSize);
    font.setBold(fileName.contains(QLatin1String("Bold")));
    font.setItalic(fileName.contains(QLatin1String("Italic")));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoFontMerging | QFont::PreferOutline));
    font.setKerning(true);
    return font;
}

} // namespace artwork
