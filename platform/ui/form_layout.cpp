// Building a window from its stored layout: the controls and components it
// names, each with its stored properties, adapted to the screen's density,
// then aligned. Kept apart from what the window does once it is built.
#include "platform/ui/form.h"

#include "platform/exception/exception.h"
#include "platform/ui/alignment.h"
#include "platform/ui/density.h"
#include "platform/ui/layout_reader.h"
#include "platform/ui/panel.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace {

// Every kit control below `widget`, children before their parents.
void collectControls(QWidget* widget, std::vector<TControl*>& out)
{
    for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        collectControls(child, out);
        if (TControl* control = TControl::of(child))
            out.push_back(control);
    }
}

int screenDensity()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInchY())) : density::kDesignPixelsPerInch;
}

bool isFontProperty(const QString& name) { return name.startsWith(QLatin1String("Font.")); }

// A run of font properties (name, height, style, colour) changes a control's
// font once, at the end of the run: each alone would look up, apply and
// measure a font that is never shown. Other properties keep their order.
void applyProperties(TComponent& component, const layout::Node& node)
{
    auto* control = dynamic_cast<TControl*>(&component);
    bool held = false;
    for (const auto& [name, value] : node.properties) {
        const bool font = control && isFontProperty(name);
        if (font != held) {
            held = font;
            control->holdFontChanges(held);
        }
        if (!component.setLayoutProperty(name, value))
            throw EReadError("Error reading " + node.name.toStdString() + "." + name.toStdString() + ": Property "
                             + name.toStdString() + " does not exist");
    }
    if (held)
        control->holdFontChanges(false);
}

void buildChildren(TForm& form, QWidget* parent, const layout::Node& node, std::vector<TComponent*>& created)
{
    for (const layout::Node& child : node.children) {
        const classregistry::Factory* factory = classregistry::find(child.className);
        if (!factory)
            throw EClassNotFound("Class " + child.className.toStdString() + " not found");
        TComponent* component = (*factory)(parent);
        component->Name = child.name;
        auto* control = dynamic_cast<TControl*>(component);
        if (!control)
            form.adoptComponent(std::unique_ptr<TComponent>(component));
        created.push_back(component);
        applyProperties(*component, child);
        if (!child.children.empty()) {
            if (!control)
                throw EReadError(child.name.toStdString() + " cannot hold controls");
            buildChildren(form, control->widget(), child, created);
        }
    }
}

} // namespace

void TForm::loadLayout(const QByteArray& text)
{
    const layout::Node root = layout::parse(text, layout::layoutFile);
    Name = root.name;
    applyProperties(*this, root);
    std::vector<TComponent*> created;
    buildChildren(*this, this, root, created);

    // Adapt the design-density layout to this screen: the window font by the
    // density, then every control by the ratio of the window font's text
    // heights here and at the design density. The stand-in fonts are
    // scalable, so that ratio is the density's own; measuring it in whole
    // pixels would add the rounding of a 10-pixel font's line height (11 / 15
    // instead of 12 / 15 at 96 dpi) and squeeze the panels around the
    // fixed-size repeat control.
    const int dpi = screenDensity();
    if (dpi != PixelsPerInch) {
        TFont font = TControl::Font();
        font.Height = density::MulDiv(font.Height, dpi, PixelsPerInch);
        assignFont(font);
        const int current = dpi, reference = PixelsPerInch;
        std::vector<TControl*> controls;
        collectControls(this, controls);
        for (TControl* control : controls) {
            const QRect scaled = density::scaleBounds(control->widget()->geometry(), current, reference);
            control->SetBounds(scaled.x(), scaled.y(), scaled.width(), scaled.height());
            if (!control->ParentFont()) {
                TFont own = control->Font();
                own.Height = density::scaleFontHeight(own.Height, current, reference, dpi);
                control->assignFont(own);
            }
        }
    }
    for (TComponent* component : created)
        component->loaded();
    loaded();
    realign();
    applyTabOrder();
}

void TForm::realign()
{
    alignControls(this, rect());
    std::vector<TControl*> controls;
    collectControls(this, controls);
    // Containers again, parents before children, now that their sizes are final.
    std::reverse(controls.begin(), controls.end());
    for (TControl* control : controls)
        if (auto* panel = dynamic_cast<TPanel*>(control))
            panel->realign();
}

void TForm::resizeEvent(QResizeEvent*) { realign(); }
