// The root of everything a stored layout can create: a named object that takes
// stored properties. Controls (widgets) and non-visual components such as the
// open-file dialog both derive from it. The class registry maps the class
// names that layouts use to factories.
#pragma once

#include <QString>
#include <functional>
#include <memory>

class QWidget;
struct LayoutValue;

class TComponent {
public:
    virtual ~TComponent() = default;
    QString Name;
    // Applies one stored property; false when the component has no such property.
    virtual bool setLayoutProperty(const QString& name, const LayoutValue& value) = 0;
    // Called once the whole layout has been read.
    virtual void loaded() {}
};

namespace classregistry {

// A factory makes a component; a control is made as a child of `parent`
// (and so owned by it); a non-visual component is returned for the caller to own.
using Factory = std::function<TComponent*(QWidget* parent)>;

void registerClass(const QString& className, Factory factory);
// Null when no such class was registered.
const Factory* find(const QString& className);

} // namespace classregistry
