// The bitmap and icon picture formats: the whole file is read and decoded by
// Qt's image reader for that format at load, and drawn as it is. The program
// itself loads only JPEG pictures; these complete the picture file table.
#pragma once

#include "app/stream_graphic.h"

#include <QImage>

class TRasterGraphic : public TStreamGraphic {
public:
    int Width() const override { return m_image.width(); }
    int Height() const override { return m_image.height(); }
    void Draw(QPainter& painter, int x, int y) override;
    // A picture stream's value: 4-byte little-endian length L, then L bytes of the file.
    void ReadData(const QByteArray& data) override;
    void LoadFromStream(QIODevice& stream) override;
    // Decodes the file's bytes; raises EInvalidGraphic when the reader refuses
    // them, keeping the old picture.
    void LoadFromBytes(const QByteArray& bytes);
    const QImage& Image() const { return m_image; }

protected:
    // The reader's format name and the words of the refusal.
    TRasterGraphic(const char* format, const char* invalidMessage);
    QImage m_image;

private:
    const char* m_format;
    const char* m_invalidMessage;
};

class TBitmap : public TRasterGraphic {
public:
    TBitmap();
    const char* ClassName() const override { return "TBitmap"; }
    std::unique_ptr<TGraphic> Clone() const override;
};

class TIcon : public TRasterGraphic {
public:
    TIcon();
    const char* ClassName() const override { return "TIcon"; }
    std::unique_ptr<TGraphic> Clone() const override;
};
