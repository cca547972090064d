// One property value of a stored layout: a number, a quoted text, an
// identifier (True, alClient, clNavy), a set ([btPlay]), a list of texts
// (( 'line' 'line' )) or the bytes of a
// resource file the layout names. The accessors raise EReadError when the
// value is of another kind, so a layout with a wrong value cannot be loaded.
#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <vector>

struct LayoutValue {
    // The largest magnitude asInt() accepts: Qt's bound on a widget's size. No
    // position, size or font height of a window comes near it, and the sums and
    // scalings that place controls stay within int.
    static constexpr long long kMaxInteger = 16'777'215;

    enum class Kind { Integer, String, Identifier, Set, List, Binary };

    Kind kind = Kind::Integer;
    long long integer = 0;
    QString text; // String and Identifier
    std::vector<QString> items; // Set (identifiers) and List (texts)
    QByteArray bytes; // Binary

    // Raises EReadError for another kind or a magnitude beyond MaxInteger.
    int asInt() const;
    bool asBool() const;
    QString asString() const;
    QString asIdentifier() const;
    const std::vector<QString>& asSet() const;
    const std::vector<QString>& asList() const;
    const QByteArray& asBinary() const;
};
