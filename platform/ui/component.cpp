#include "platform/ui/component.h"

#include <map>

namespace {

std::map<QString, classregistry::Factory>& classes()
{
    static std::map<QString, classregistry::Factory> table;
    return table;
}

} // namespace

namespace classregistry {

void registerClass(const QString& className, Factory factory) { classes()[className] = std::move(factory); }

const Factory* find(const QString& className)
{
    auto found = classes().find(className);
    return found == classes().end() ? nullptr : &found->second;
}

} // namespace classregistry
