#include "app/picture_file.h"

#include "app/core/errors.h"
#include "app/input_file.h"
#include "app/jpeg_image.h"
#include "app/metafile.h"
#include "app/raster_graphic.h"
#include "platform/ui/image.h"

#include <QFile>
#include <array>

namespace {

using GraphicFactory = std::unique_ptr<TStreamGraphic> (*)();

template <typename Graphic> std::unique_ptr<TStreamGraphic> make() { return std::make_unique<Graphic>(); }

struct PictureFormat {
    const char* extension; // lower case
    const char* description;
    GraphicFactory create;
};

// In registration order; searched from the last to the first.
const std::array<PictureFormat, 6> kFormats = {{
    {"wmf", "Metafiles", make<TMetafile>},
    {"emf", "Enhanced Metafiles", make<TMetafile>},
    {"ico", "Icons", make<TIcon>},
    {"bmp", "Bitmaps", make<TBitmap>},
    {"jpeg", "JPEG Image File", make<TJPEGImage>},
    {"jpg", "JPEG Image File", make<TJPEGImage>},
}};

const PictureFormat* findFormat(const QString& extension)
{
    const QString key = extension.toLower();
    for (auto format = kFormats.rbegin(); format != kFormats.rend(); ++format)
        if (key == QLatin1String(format->extension))
            return &*format;
    return nullptr;
}

template <typename Graphic> void registerClass()
{
    TPicture::registerClass(Graphic().ClassName(), [] { return std::make_unique<Graphic>(); });
}

// Any program that loads picture files can also read stored pictures, even
// before registerPictureFormats() is called.
[[maybe_unused]] const bool kRegisteredAtStart = (registerPictureFormats(), true);

} // namespace

void registerPictureFormats()
{
    registerClass<TMetafile>();
    registerClass<TIcon>();
    registerClass<TBitmap>();
    registerClass<TJPEGImage>();
}

QString pictureExtension(const QString& name)
{
    const qsizetype folderEnd = name.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < folderEnd ? QString() : name.mid(dot + 1);
}

void LoadPictureFile(TImage& area, const QString& name)
{
    const QString extension = pictureExtension(name);
    const PictureFormat* format = findFormat(extension);
    if (!format)
        throw unknownExtensionError(extension);
    std::unique_ptr<TStreamGraphic> graphic = format->create();
    {
        QFile file;
        openInputFile(file, name);
        if (file.size() > kMaxPictureFileBytes)
            throw fileOpenError(name);
        graphic->LoadFromStream(file);
    }
    area.Picture().setGraphic(std::move(graphic));
}

void ClonePicture(const TImage& source, TImage& target)
{
    const TGraphic* graphic = source.Picture().Graphic();
    target.Picture().setGraphic(graphic ? graphic->Clone() : nullptr);
}
