#include "platform/ui/image_decoding.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage sample()
{
    QImage image(9, 5, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    QPainter painter(&image);
    painter.fillRect(2, 1, 4, 3, Qt::yellow);
    return image;
}

// A 2 x 1 bitmap of 24 bits, one navy and one yellow pixel, written by hand:
// the toolkit's writer would load every image plugin itself.
QByteArray handWrittenBitmap()
{
    const unsigned char bytes[] = {
        'B',  'M',  62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, // file header
        40,   0,    0,  0, 2, 0, 0, 0, 1, 0, 0,  0, 1, 0, 24, 0, 0, 0, 0, 0, // info header
        8,    0,    0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0, 0x80, 0, 0, /* blue, green, red */ 0,
        0xFF, 0xFF, 0,  0, // one row, padded to 4
    };
    return QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

// The image plugins mapped into this process now, by file.
std::set<std::string> loadedImagePlugins()
{
    std::set<std::string> plugins;
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return plugins;
    for (const QByteArray& line : maps.readAll().split('\n'))
        if (line.contains("/imageformats/"))
            plugins.insert(line.mid(line.indexOf('/')).toStdString());
    return plugins;
}

} // namespace

// A picture read by its named format is the one the toolkit's own reader gives,
// and bytes of another format under that name give none, as there.
TEST(ImageDecoding, NamedFormatGivesTheToolkitsPictureAndRefusesOtherFormats)
{
    const QByteArray bitmap = encoded(sample(), "BMP");
    const QImage decoded = ui::decodeImage(bitmap, "BMP");
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded, QImage::fromData(bitmap, "BMP"));
    EXPECT_EQ(decoded.convertToFormat(QImage::Format_RGB32), sample());

    const QByteArray png = encoded(sample(), "PNG");
    EXPECT_TRUE(ui::decodeImage(png, "BMP").isNull());
    EXPECT_TRUE(QImage::fromData(png, "BMP").isNull());
    EXPECT_TRUE(ui::decodeImage(QByteArray("BM"), "BMP").isNull());
    EXPECT_TRUE(ui::decodeImage(QByteArray(), "BMP").isNull());
}

// A format that only a plugin reads (the program's icon) is still read, from a file name.
TEST(ImageDecoding, PluginFormatIsReadFromAFile)
{
    // The program's icon file as committed: the control kit's tests do not link
    // the windows' resources.
    const QString iconFile = QStringLiteral(TOLVIKA_SOURCE_DIR "/windows/resources/icon/MAINICON.ico");
    const QImage icon = ui::readImageFile(iconFile, "ICO");
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon, QImage(iconFile, "ICO"));
    EXPECT_TRUE(ui::readImageFile(QStringLiteral(":/no/such/picture.bmp"), "BMP").isNull());
}

// Every size of an icon is read by the icon reader alone: of the image plugins,
// only that one is loaded. The program's icon holds a 32 x 32 and a 16 x 16 image.
TEST(ImageDecoding, EveryImageOfAnIconLoadsOnlyTheIconReader)
{
    const QString iconFile = QStringLiteral(TOLVIKA_SOURCE_DIR "/windows/resources/icon/MAINICON.ico");
    const std::set<std::string> before = loadedImagePlugins();
    const QList<QImage> images = ui::readEveryImage(iconFile, "ICO");
    ASSERT_EQ(images.size(), 2);
    EXPECT_EQ(images[0].size(), QSize(32, 32));
    EXPECT_EQ(images[1].size(), QSize(16, 16));
    for (const std::string& plugin : loadedImagePlugins())
        EXPECT_TRUE(before.count(plugin) == 1 || plugin.find("libqico") != std::string::npos) << plugin;
    EXPECT_EQ(images[0], QImage(iconFile, "ICO")); // the toolkit's own way, which loads them all
    EXPECT_TRUE(ui::readEveryImage(QStringLiteral(":/no/such/icon.ico"), "ICO").isEmpty());
}

// Reading a bitmap loads no image plugin: the toolkit's own way loads all of
// them (with their libraries) to ask whether they read it. Each test runs in
// a process of its own, so that nothing was loaded before.
TEST(ImageDecoding, ReadingABitmapLoadsNoImagePlugin)
{
    const QByteArray bitmap = handWrittenBitmap();
    const std::set<std::string> before = loadedImagePlugins();
    const QImage decoded = ui::decodeImage(bitmap, "BMP");
    ASSERT_EQ(decoded.size(), QSize(2, 1));
    EXPECT_EQ(decoded.pixel(0, 0), qRgb(0, 0, 0x80));
    EXPECT_EQ(decoded.pixel(1, 0), qRgb(0xFF, 0xFF, 0));
    EXPECT_EQ(loadedImagePlugins(), before);
    // The check can see a plugin load: the toolkit's own way is seen loading them.
    ASSERT_FALSE(QImage::fromData(bitmap, "BMP").isNull());
    EXPECT_GT(loadedImagePlugins().size(), before.size());
}
