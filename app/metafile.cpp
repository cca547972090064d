#include "app/metafile.h"

#include "app/core/errors.h"

namespace {
constexpr char kUnsupported[] = "Metafiles cannot be shown on this system";
}

std::unique_ptr<TGraphic> TMetafile::Clone() const { return std::make_unique<TMetafile>(); }

void TMetafile::ReadData(const QByteArray&) { throw EInvalidGraphic(kUnsupported); }

void TMetafile::LoadFromStream(QIODevice&) { throw EInvalidGraphic(kUnsupported); }
