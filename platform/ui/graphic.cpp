#include "platform/ui/graphic.h"

#include "platform/exception/exception.h"

#include <map>

namespace {

std::map<std::string, TPicture::Factory>& registry()
{
    static std::map<std::string, TPicture::Factory> classes;
    return classes;
}

} // namespace

void TPicture::setGraphic(std::unique_ptr<TGraphic> graphic)
{
    m_graphic = std::move(graphic);
    if (OnChange)
        OnChange();
}

void TPicture::LoadFromStream(const QByteArray& stream)
{
    if (stream.isEmpty())
        throw EReadError("Stream read error");
    const auto length = static_cast<unsigned char>(stream[0]);
    if (stream.size() < 1 + length)
        throw EReadError("Stream read error");
    const std::string className = stream.mid(1, length).toStdString();
    auto graphic = create(className);
    graphic->ReadData(stream.mid(1 + length));
    setGraphic(std::move(graphic));
}

void TPicture::registerClass(const std::string& className, Factory factory)
{
    registry()[className] = std::move(factory);
}

std::unique_ptr<TGraphic> TPicture::create(const std::string& className)
{
    auto found = registry().find(className);
    if (found == registry().end())
        throw EReadError("Class " + className + " not found");
    return found->second();
}
