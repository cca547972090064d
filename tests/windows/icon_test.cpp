#include "tests/windows/program_windows.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>

namespace {

const char* kMainIcon = ":/windows/resources/icon/MAINICON.ico";

bool hasSize(const QIcon& icon, int size) { return icon.availableSizes().contains(QSize(size, size)); }

} // namespace

// MAINICON holds a 32 x 32 and a 16 x 16 image, each with transparent parts.
TEST(ProgramIcon, MainIconHoldsBothSizes)
{
    QImageReader reader(QString::fromLatin1(kMainIcon));
    ASSERT_EQ(reader.imageCount(), 2);
    QList<QSize> sizes;
    for (int i = 0; i < reader.imageCount(); ++i) {
        ASSERT_TRUE(reader.jumpToImage(i));
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull());
        sizes << image.size();
        EXPECT_TRUE(image.hasAlphaChannel());
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << image.width(); // the corner is transparent
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                opaque += qAlpha(image.pixel(x, y)) == 255;
        EXPECT_GT(opaque, image.width() * image.height() / 3);
    }
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
}

// The windows store no icon of their own: all three show the program's icon.
TEST(ProgramIcon, EveryWindowShowsIt)
{
    ProgramWindows windows;
    const QIcon appIcon = QApplication::windowIcon();
    ASSERT_FALSE(appIcon.isNull());
    EXPECT_TRUE(hasSize(appIcon, 16));
    EXPECT_TRUE(hasSize(appIcon, 32));
    const QImage expected = QIcon(QString::fromLatin1(kMainIcon)).pixmap(32, 32).toImage();
    for (QWidget* window : std::initializer_list<QWidget*>{&windows.main, &windows.help, &windows.about}) {
        SCOPED_TRACE(window->windowTitle().toStdString());
        EXPECT_EQ(window->windowIcon().pixmap(32, 32).toImage(), expected);
    }
}

// The desktop entry names an icon whose installed images are the program's icon at their sizes.
TEST(ProgramIcon, DesktopEntryIcons)
{
    QFile entry(QStringLiteral(TOLVIKA_SOURCE_DIR "/packaging/tolvika.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly | QIODevice::Text));
    const QByteArray text = entry.readAll();
    EXPECT_TRUE(text.contains("\nIcon=tolvika\n"));
    EXPECT_TRUE(text.contains("\nExec=tolvika\n"));
    const QIcon mainIcon(QString::fromLatin1(kMainIcon));
    for (int size : {16, 32, 128}) {
        SCOPED_TRACE(size);
        const QImage png(QStringLiteral(":/windows/resources/icon/tolvika-%1.png").arg(size));
        ASSERT_EQ(png.size(), QSize(size, size));
        if (size == 128)
            continue; // drawn larger than any MAINICON image
        const QImage ico = mainIcon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage same = png.convertToFormat(QImage::Format_ARGB32);
        int differing = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                differing += ico.pixel(x, y) != same.pixel(x, y);
        EXPECT_EQ(differing, 0);
    }
}
