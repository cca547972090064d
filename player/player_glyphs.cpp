#include "player/player_glyphs.h"

#include "platform/ui/image_decoding.h"

#include <array>

namespace playerglyphs {

namespace {

constexpr std::array<const char*, 3> lookParts{"EN", "DI", "CL"};

} // namespace

QString resourceName(TGlyphLook look, TMPBtnType button)
{
    const std::string_view part = player::glyphPart(button);
    return QStringLiteral("%1_%2").arg(QLatin1String(lookParts.at(std::size_t(look))),
                                       QLatin1String(part.data(), qsizetype(part.size())));
}

QString resourcePath(TGlyphLook look, TMPBtnType button)
{
    return QStringLiteral(":/player/glyphs/%1.bmp").arg(resourceName(look, button));
}

QImage load(TGlyphLook look, TMPBtnType button)
{
    const QImage image = ui::readImageFile(resourcePath(look, button), "BMP");
    if (image.isNull())
        throw EResNotFound("Resource " + resourceName(look, button).toStdString() + " not found");
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace playerglyphs
