// A JPEG picture: the file's compressed bytes (shared between copies), the
// size and kind read from its header when it is loaded, and the decoded
// bitmap, made at its first painting. Loading reads only the header; the
// first Draw decodes in full, raising EJPEG once if the decoder fails and
// keeping what it decoded. The decoder library stays inside the .cpp.
#pragma once

#include "app/stream_graphic.h"

#include <QByteArray>
#include <QImage>

class TJPEGImage : public TStreamGraphic {
public:
    // Images whose header announces more pixels than this are refused at load:
    // their bitmap alone would take hundreds of megabytes.
    static constexpr qint64 kMaxPixels = 100'000'000;
    // The code the program reports for an empty picture file.
    static constexpr int kEmptyInputCode = 41;
    // Encoders write a few dozen scans at most (libjpeg's progression 10, for
    // four components 18). Every scan, even an empty one, is a pass over the
    // whole picture; this many cost less than decoding the picture once.
    static constexpr int kMaxScans = 100;
    // Our own code for too many scans: libjpeg leaves codes from 1000 up to an
    // application's add-on messages, so no library error reads the same.
    static constexpr int kTooManyScansCode = 1000;

    TJPEGImage();
    ~TJPEGImage() override;

    const char* ClassName() const override { return "TJPEGImage"; }
    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    bool Grayscale() const { return m_grayscale; }
    bool ProgressiveEncoding() const { return m_progressive; }

    // Decodes at the first call (EJPEG on a decoder error, once), then draws the bitmap.
    void Draw(QPainter& painter, int x, int y) override;
    std::unique_ptr<TGraphic> Clone() const override;
    // A picture stream's value: 4-byte little-endian length L, then L bytes of JPEG.
    void ReadData(const QByteArray& data) override;
    // The rest of the stream is the JPEG file.
    void LoadFromStream(QIODevice& stream) override;
    // Takes these bytes as the JPEG file: reads the header unless they are empty.
    // Raises EJPEG on a bad header and then keeps its old content.
    void LoadFromBytes(const QByteArray& jpeg);

    // The compressed bytes, shared with every copy.
    const QByteArray& Data() const { return m_data; }
    // Whether the full decoding has been tried (it is tried once only).
    bool Decoded() const { return m_decoded; }
    // The decoded bitmap; null before the first painting.
    const QImage& Bitmap() const { return m_bitmap; }
    // Decodes now if that has not been tried yet; the first painting calls it.
    void DecodeBitmap();

private:
    QByteArray m_data;
    int m_width = 0;
    int m_height = 0;
    bool m_grayscale = false;
    bool m_progressive = false;
    bool m_decoded = false;
    QImage m_bitmap;
};
