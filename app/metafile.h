// The metafile picture format of the picture file table. This host has no
// metafile renderer, so loading one is refused with EInvalidGraphic; the
// class exists so that the table stays complete and the refusal is clear.
#pragma once

#include "app/stream_graphic.h"

class TMetafile : public TStreamGraphic {
public:
    const char* ClassName() const override { return "TMetafile"; }
    int Width() const override { return 0; }
    int Height() const override { return 0; }
    void Draw(QPainter&, int, int) override {}
    std::unique_ptr<TGraphic> Clone() const override;
    // Both raise EInvalidGraphic "Metafiles cannot be shown on this system".
    void ReadData(const QByteArray& data) override;
    void LoadFromStream(QIODevice& stream) override;
};
