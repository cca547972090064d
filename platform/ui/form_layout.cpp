#include "platform/ui/form.h"

#include "platform/ui/alignment.h"
#include "platform/ui/density.h"
#include "platform/ui/event_guard.h"
#include "platform/ui/exception.h"
#include "platform/ui/layout_reader.h"
#include "platform/ui/panel.h"
#include "platform/ui/window_group.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHelpEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <algorithm>
#include <cmath>

namespace {

TForm* g_mainForm = nullptr;

// How long a tooltip stays up.
constexpr int kHintHidePause = 2500;

TPosition positionByName(const QString& name)
{
    static const std::pair<const char*, TPosition> table[] = {
        {"poDesigned", TPosition::poDesigned},
        {"poScreenCenter", TPosition::poScreenCenter},
        {"poMainFormCenter", TPosition::poMainFormCenter},
        {"poOwnerFormCenter", TPosition::poOwnerFormCenter},
    };
    for (const auto& [text, position] : table)
        if (name == QLatin1String(text))
            return position;
    throw EReadError("Invalid property value: " + name.toStdString());
}

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
    return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInchY())) : density::DesignPixelsPerInch;
}

} // namespace

TForm::TForm(const QString& layoutResource) : TForm(LayoutText{layout::layoutResource(layoutResource)}) {}

TForm::TForm(const LayoutText& text) : QWidget(nullptr), TControl(this)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::NoFocus);
    connect(qApp, &QApplication::focusChanged, this, &TForm::focusChanged);
    loadLayout(text.bytes);
}

TForm::~TForm()
{
    if (g_mainForm == this)
        g_mainForm = nullptr;
    // The widget part still closes the window after this destructor, and that
    // moves the focus; the slot must not be called on what is no longer a TForm.
    if (qApp)
        disconnect(qApp, &QApplication::focusChanged, this, &TForm::focusChanged);
}

TForm* TForm::MainForm() { return g_mainForm; }
void TForm::setMainForm(TForm* form) { g_mainForm = form; }

void TForm::missingComponent(const QString& name)
{
    throw EReadError("Component " + name.toStdString() + " missing from the layout");
}

void TForm::adoptComponent(std::unique_ptr<TComponent> component) { m_components.push_back(std::move(component)); }

TComponent* TForm::FindComponent(const QString& name) const
{
    for (const auto& component : m_components)
        if (component->Name == name)
            return component.get();
    for (QWidget* child : findChildren<QWidget*>())
        if (TControl* control = TControl::of(child); control && control->Name == name)
            return control;
    return nullptr;
}

std::vector<TComponent*> TForm::components() const
{
    std::vector<TComponent*> result;
    for (QWidget* child : findChildren<QWidget*>())
        if (TControl* control = TControl::of(child))
            result.push_back(control);
    for (const auto& component : m_components)
        result.push_back(component.get());
    return result;
}

// ---- building from the stored layout --------------------------------------

namespace {

void applyProperties(TComponent& component, const layout::Node& node)
{
    for (const auto& [name, value] : node.properties)
        if (!component.setLayoutProperty(name, value))
            throw EReadError("Error reading " + node.name.toStdString() + "." + name.toStdString()
                             + ": Property " + name.toStdString() + " does not exist");
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

void TForm::applyTabOrder()
{
    // Depth first through the containers, each container's children by TabOrder.
    std::vector<QWidget*> chain;
    std::function<void(QWidget*)> walk = [&](QWidget* container) {
        std::vector<TControl*> children;
        for (QWidget* child : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (TControl* control = TControl::of(child))
                children.push_back(control);
        std::stable_sort(children.begin(), children.end(),
                         [](auto* a, auto* b) { return a->TabOrder < b->TabOrder; });
        for (TControl* control : children) {
            if (control->widget()->focusPolicy() & Qt::TabFocus)
                chain.push_back(control->widget());
            walk(control->widget());
        }
    };
    walk(this);
    for (size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

// ---- properties ------------------------------------------------------------

bool TForm::setLayoutProperty(const QString& name, const LayoutValue& value)
{
    if (name == QLatin1String("Caption"))
        setWindowTitle(value.asString());
    else if (name == QLatin1String("Width"))
        resize(value.asInt() - 2 * FrameSide, height());
    else if (name == QLatin1String("Height"))
        resize(width(), value.asInt() - FrameTop - FrameSide);
    else if (name == QLatin1String("Left"))
        move(value.asInt(), y());
    else if (name == QLatin1String("Top"))
        move(x(), value.asInt());
    else if (name == QLatin1String("Position"))
        Position = positionByName(value.asIdentifier());
    else if (name == QLatin1String("PixelsPerInch"))
        PixelsPerInch = value.asInt();
    else if (name == QLatin1String("TextHeight"))
        TextHeight = value.asInt();
    else if (name == QLatin1String("KeyPreview")) {
        if (value.asBool())
            throw EReadError("Invalid property value: KeyPreview");
    } else if (name == QLatin1String("ActiveControl")) {
        // Resolved once the controls exist.
        m_pendingActive = value.asIdentifier();
    } else
        return TControl::setLayoutProperty(name, value);
    return true;
}

void TForm::loaded()
{
    if (m_pendingActive.isEmpty())
        return;
    TControl* control = dynamic_cast<TControl*>(FindComponent(m_pendingActive));
    if (!control)
        throw EReadError("Invalid property value: ActiveControl " + m_pendingActive.toStdString());
    setActiveControl(control->widget());
}

// ---- showing and closing ---------------------------------------------------

void TForm::runHandler(const TNotifyEvent& handler)
{
    if (handler)
        ui::guarded([&] { handler(this); });
}

void TForm::Show()
{
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    runHandler(OnShow);
    placeAtFirstShow();
    show();
    raise();
    activateWindow();
}

namespace {

// The window's outer size: its client area plus the frame a window manager
// drew (this window's, else the main window's), else the frame the stored
// sizes assume.
QSize outerSize(const TForm& form)
{
    auto frameExtra = [](const QWidget& w) { return w.frameGeometry().size() - w.geometry().size(); };
    QSize extra = frameExtra(form);
    if (extra.isNull() && TForm::MainForm())
        extra = frameExtra(*TForm::MainForm());
    if (extra.isNull())
        extra = QSize(2 * TForm::FrameSide, TForm::FrameTop + TForm::FrameSide);
    return form.size() + extra;
}

} // namespace

void TForm::placeAtFirstShow()
{
    if (m_placed)
        return;
    m_placed = true;
    const QSize outer = outerSize(*this);
    QRect area;
    if (Position == TPosition::poScreenCenter) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        area = screen ? screen->geometry() : QRect();
    } else if ((Position == TPosition::poMainFormCenter || Position == TPosition::poOwnerFormCenter) && g_mainForm
               && g_mainForm != this) {
        area = QRect(g_mainForm->pos(), outerSize(*g_mainForm));
    } else
        return;
    // Halves rounded toward zero, no clamping to the screen.
    move(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
}

void TForm::Close() { close(); }

void TForm::closeEvent(QCloseEvent* event)
{
    event->accept();
    window_group::closed(*this);
    if (this == g_mainForm)
        QCoreApplication::quit();
}

void TForm::setVisible(bool visible)
{
    // A closed Help or About window hands the keyboard back to the main
    // window, as the system does for a program's own windows; without a
    // window manager nobody else would, and keys would reach no control.
    // Asked before hiding: the toolkit forgets the activation as it hides.
    const bool handBack = !visible && this != g_mainForm && isActiveWindow() && g_mainForm
                          && g_mainForm->isVisible() && !g_mainForm->isMinimized();
    QWidget::setVisible(visible);
    if (handBack)
        g_mainForm->activateWindow();
}

void TForm::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous() && !m_hidingWithGroup)
        runHandler(OnHide);
}

void TForm::hideWithGroup()
{
    m_hidingWithGroup = true;
    hide();
    m_hidingWithGroup = false;
}

void TForm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && this == g_mainForm)
        window_group::mainWindowStateChanged(*this, static_cast<QWindowStateChangeEvent*>(event)->oldState());
}

// ---- focus and keys --------------------------------------------------------

void TForm::setActiveControl(QWidget* control)
{
    if (!control || focusWidget() == control)
        return;
    control->setFocus(Qt::OtherFocusReason);
}

QWidget* TForm::ActiveControl() const { return focusWidget(); }

void TForm::focusChanged(QWidget* old, QWidget* now)
{
    if (!now || now->window() != this)
        return;
    // Every control between the form and the new focus that the focus has just
    // entered, outermost first.
    std::vector<TControl*> entered;
    for (QWidget* w = now; w && w != this; w = w->parentWidget())
        if (!(old && (w == old || w->isAncestorOf(old))))
            if (TControl* control = TControl::of(w))
                entered.push_back(control);
    std::reverse(entered.begin(), entered.end());
    for (TControl* control : entered)
        if (control->OnEnter)
            ui::guarded([&] { control->OnEnter(control); });
}

void TForm::keyPressEvent(QKeyEvent* event)
{
    // The window's own key event fires only when no control of this window
    // holds the focus. The window's own focus is asked, not the application's:
    // while the window is not active the application has no focus widget, and
    // a key that a control has already handled would be taken a second time.
    QWidget* focus = focusWidget();
    if (OnKeyPress && (!focus || focus == this))
        if (auto byte = typedByte(*event)) {
            ui::guarded([&] {
                std::uint8_t key = *byte;
                OnKeyPress(this, key);
            });
            return;
        }
    QWidget::keyPressEvent(event);
}

void TForm::resizeEvent(QResizeEvent*) { realign(); }

void TForm::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Color());
}

// ---- tooltips --------------------------------------------------------------

bool TForm::showHintFor(const QPoint& globalPos)
{
    // The owner is the control under the pointer, or its nearest parent whose hints are on.
    QWidget* under = QApplication::widgetAt(globalPos);
    for (QWidget* w = under; w; w = w->parentWidget()) {
        TControl* control = TControl::of(w);
        if (!control || !control->ShowHint())
            continue;
        const QString text = control->Hint.section(QLatin1Char('|'), 0, 0);
        if (text.isEmpty())
            break;
        QToolTip::showText(globalPos, text, w, QRect(), kHintHidePause);
        return true;
    }
    QToolTip::hideText();
    return false;
}

bool TForm::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        // Any of the program's windows may be the active one, not only this.
        if (!QApplication::activeWindow()) {
            QToolTip::hideText();
            return true;
        }
        showHintFor(static_cast<QHelpEvent*>(event)->globalPos());
        return true;
    }
    return QWidget::event(event);
}
