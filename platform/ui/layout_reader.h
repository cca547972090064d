// Stored layouts: a small readable text format that describes a window's
// control tree, one object per control, with its properties in the order they
// are applied:
//
//     object Panel1: TPanel
//       Left = 0
//       Caption = 'text with '' a quote'
//       Align = alClient
//       Font.Style = [fsBold]
//       Lines.Strings = ( 'line one' 'line two' )
//       Picture.Data = resource 'pictures/title.picture'
//       object Image1: TImage
//       end
//     end
//
// The reader raises EReadError, naming the line, for text it cannot read, and
// EClassNotFound for an unknown class; an unknown property is an EReadError too.
#pragma once

#include "platform/ui/layout_value.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <utility>
#include <vector>

namespace layout {

struct Node {
    QString name;
    QString className;
    int line = 0;
    std::vector<std::pair<QString, LayoutValue>> properties;
    std::vector<Node> children;
};

// Reads the bytes of a file a layout names with `resource '...'`.
using ResourceLoader = std::function<QByteArray(const QString& path)>;

Node parse(const QByteArray& text, const ResourceLoader& loadResource);

// The layout resource of a window class name ("TFMMAIN"), and the files it names.
QByteArray layoutResource(const QString& name);
QByteArray layoutFile(const QString& path);

} // namespace layout
