#include "platform/ui/layout_value.h"

#include "platform/exception/exception.h"

#include <string>

namespace {

[[noreturn]] void wrongKind(const char* wanted)
{
    throw EReadError(std::string("Invalid property value: ") + wanted + " expected");
}

} // namespace

int LayoutValue::asInt() const
{
    if (kind != Kind::Integer)
        wrongKind("integer");
    if (integer < -kMaxInteger || integer > kMaxInteger)
        throw EReadError("Invalid property value: " + std::to_string(integer) + " is out of range");
    return static_cast<int>(integer);
}

bool LayoutValue::asBool() const
{
    if (kind == Kind::Identifier && text == QLatin1String("True"))
        return true;
    if (kind == Kind::Identifier && text == QLatin1String("False"))
        return false;
    wrongKind("True or False");
}

QString LayoutValue::asString() const
{
    if (kind != Kind::String)
        wrongKind("text");
    return text;
}

QString LayoutValue::asIdentifier() const
{
    if (kind != Kind::Identifier)
        wrongKind("identifier");
    return text;
}

const std::vector<QString>& LayoutValue::asSet() const
{
    if (kind != Kind::Set)
        wrongKind("set");
    return items;
}

const QByteArray& LayoutValue::asBinary() const
{
    if (kind != Kind::Binary)
        wrongKind("resource file");
    return bytes;
}

const std::vector<QString>& LayoutValue::asList() const
{
    if (kind != Kind::List)
        wrongKind("list of texts");
    return items;
}
