#include "app/application.h"

#include "app/file_services.h"
#include "app/core/path_encoding.h"
#include "app/session_bus.h"
#include "app/user_dialogs.h"
#include "platform/ui/accessibility.h"
#include "platform/ui/event_guard.h"
#include "platform/exception/exception.h"
#include "platform/ui/form.h"

#include <QFileInfo>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QToolTip>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

namespace {

// Tooltip timing: shown after the pointer rests this long...
constexpr int kHintPause = 500;
// ...or at once when it moves on to another control while a tooltip is up.
constexpr int kHintShortPause = 0;
constexpr auto kStartupFailureCaption = "Application Error";

class HintTimingStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override
    {
        // Asked each time the pointer moves, so it can depend on the tooltip
        // showing now; the toolkit's own quick path, which stays open for a
        // while after a tooltip went away, is not used.
        if (hint == SH_ToolTip_WakeUpDelay)
            return QToolTip::isVisible() ? kHintShortPause : kHintPause;
        if (hint == SH_ToolTip_FallAsleepDelay)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

// Any key puts a showing tooltip away at once; the toolkit's own hiding takes
// a moment, and on this host it leaves the tooltip up while keys are typed.
void hideTooltipNow()
{
    if (!QToolTip::isVisible())
        return;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->inherits("QTipLabel"))
            widget->close();
}

int g_argc = 1;
QByteArray g_programName;
char* g_argv[] = {nullptr, nullptr};

// Settings the toolkit reads only while the application object is made.
int& prepareToolkit(const QString& programName)
{
    // The windows adapt their stored layouts to the screen's density
    // themselves. The toolkit's own scaling of whole windows is kept to whole
    // factors (a 1.25 of 120 dots per inch is left to the layouts), or it
    // would scale them a second time: a window a quarter too large, its
    // pictures and glyphs blurred, the repeat control 100 pixels wide.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::RoundPreferFloor);
    declareAbsentSessionBus();
    g_programName = programName.toLocal8Bit();
    g_argv[0] = g_programName.data();
    g_argc = 1;
    return g_argc;
}

// The class name of an error object that is not one of the program's.
QString demangledName(const std::type_info& type)
{
    int status = 0;
    const std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                      std::free);
    return QString::fromLatin1(status == 0 && name ? name.get() : type.name());
}

QString messageOf(const std::exception& error)
{
    return QString::fromUtf8(error.what());
}

// The executable's path as a person reads it, whatever bytes its folders are named with.
QString shownProgramPath() { return displayPath(ProgramFilePath()); }

} // namespace

QString titleFromFileName(const QString& path)
{
    QString name = QFileInfo(path).fileName();
    name = name.section(QLatin1Char('.'), 0, 0);
    // Executables here are named in lower case, so the first character is
    // made a capital rather than kept, or every caption would read "tolvika".
    if (!name.isEmpty())
        name = name.left(1).toUpper() + name.mid(1).toLower();
    return name;
}

QString withFinalPeriod(const QString& message)
{
    const QByteArray bytes = message.toUtf8();
    if (!bytes.isEmpty() && static_cast<unsigned char>(bytes.back()) > static_cast<unsigned char>('.'))
        return message + QLatin1Char('.');
    return message;
}

TApplication::TApplication(const QString& programName) : QApplication(prepareToolkit(programName), g_argv)
{
    m_title = titleFromFileName(shownProgramPath());
    setQuitOnLastWindowClosed(false);
    setStyle(new HintTimingStyle); // the application owns its style
    installAccessibility(); // screen readers learn what the self-painted controls are
    ui::setEventErrorHandler([this](std::exception_ptr error) { HandleEventError(error); });
}

TApplication::~TApplication()
{
    ui::setEventErrorHandler(nullptr);
    // The windows go before the application object, in one sweep.
    for (auto& form : m_forms)
        form->hide();
    m_forms.clear();
}

TApplication* TApplication::instance() { return qobject_cast<TApplication*>(QCoreApplication::instance()); }

void TApplication::adopt(std::unique_ptr<TForm> form)
{
    if (!TForm::MainForm())
        TForm::setMainForm(form.get());
    m_forms.push_back(std::move(form));
}

int TApplication::Run()
{
    if (TForm* main = TForm::MainForm())
        main->Show();
    exec();
    return 0;
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    // The kit catches errors where it hands an event to program code; this is
    // the last net for anything that still reaches the event loop.
    trackMouseCapture(receiver, event);
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
        hideTooltipNow();
    const bool paint = event->type() == QEvent::Paint;
    const bool outerPaint = paint && !m_inPaint;
    if (outerPaint)
        m_inPaint = true;
    bool result = true;
    try {
        result = QApplication::notify(receiver, event);
    } catch (...) {
        HandleEventError(std::current_exception());
    }
    if (outerPaint)
        m_inPaint = false;
    return result;
}

void TApplication::trackMouseCapture(QObject* receiver, const QEvent* event)
{
    // Only the toolkit's own deliveries to the widget under the pointer: the
    // one whose press holds the mouse until the button is let go.
    if (!event->spontaneous() || !receiver->isWidgetType())
        return;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        m_mouseCapture = static_cast<QWidget*>(receiver);
        m_captureButton = static_cast<const QMouseEvent*>(event)->button();
        break;
    case QEvent::MouseButtonRelease:
        // Cleared before the release is handled: a handler that fails on it
        // has nothing left to cancel.
        if (static_cast<const QMouseEvent*>(event)->buttons() == Qt::NoButton)
            m_mouseCapture = nullptr;
        break;
    default:
        break;
    }
}

void TApplication::cancelMouseCapture()
{
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    const QPointer<QWidget> target = m_mouseCapture;
    m_mouseCapture = nullptr;
    if (!target)
        return;
    // The pointer leaves the control with the button held and is let go
    // outside it: a pressed control comes up without acting on the press.
    const QPointF outside(-1, -1);
    const QPointF global = target->mapToGlobal(outside);
    QMouseEvent away(QEvent::MouseMove, outside, global, Qt::NoButton, m_captureButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &away);
    if (!target)
        return;
    QMouseEvent letGo(QEvent::MouseButtonRelease, outside, global, m_captureButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &letGo);
}

void TApplication::showDeferredErrors()
{
    auto errors = std::move(m_deferred);
    m_deferred.clear();
    for (auto& error : errors)
        HandleEventError(error);
}

void TApplication::HandleEventError(std::exception_ptr error)
{
    if (m_inPaint) {
        // No box inside a paint: it is shown as soon as the painting is over.
        if (m_deferred.empty())
            QMetaObject::invokeMethod(this, &TApplication::showDeferredErrors, Qt::QueuedConnection);
        m_deferred.push_back(error);
        return;
    }
    // A button held down when the error struck is released first.
    cancelMouseCapture();
    try {
        std::rethrow_exception(error);
    } catch (const EAbort&) {
        // The silent error.
    } catch (const Exception& e) {
        ShowErrorBox(e);
    } catch (...) {
        // Not one of the program's error objects: the fatal report, and the program goes on.
        ShowFatalReport(error);
    }
}

void ShowErrorBox(const std::exception& error)
{
    const TApplication* app = TApplication::instance();
    const QString caption = app ? app->ApplicationTitle() : titleFromFileName(shownProgramPath());
    userDialogs().showErrorBox(withFinalPeriod(messageOf(error)), caption);
}

QString startupFailureText(const QString& className, const QString& module, quintptr address, const QString& message)
{
    QString text = QStringLiteral("Exception %1 in module %2 at %3.\n%4")
                       .arg(className, module, QStringLiteral("%1").arg(address & 0xFFFFFFFFu, 8, 16, QLatin1Char('0')).toUpper(),
                            message);
    if (!message.isEmpty() && !message.endsWith(QLatin1Char('.')))
        text += QLatin1Char('.');
    return text;
}

void ShowFatalReport(std::exception_ptr error)
{
    QString className = QStringLiteral("Exception");
    QString message;
    try {
        std::rethrow_exception(error);
    } catch (const Exception& e) {
        className = QString::fromLatin1(e.ClassName());
        message = QString::fromUtf8(e.what());
    } catch (const std::exception& e) {
        className = demangledName(typeid(e));
        message = QString::fromUtf8(e.what());
    } catch (...) {
        if (const std::type_info* type = abi::__cxa_current_exception_type())
            className = demangledName(*type);
    }
    const QString module = QFileInfo(shownProgramPath()).fileName();
    const auto address = reinterpret_cast<quintptr>(&ShowFatalReport);
    const QString text = startupFailureText(className, module, address, message);
    std::fprintf(stderr, "%s: %s\n", kStartupFailureCaption, text.toUtf8().constData());
    userDialogs().showErrorBox(text, QString::fromLatin1(kStartupFailureCaption));
}

int ReportStartupFailure(std::exception_ptr error)
{
    ShowFatalReport(error);
    return 1;
}

int RunProgram(TApplication& app, const std::function<void(TApplication&)>& createWindows)
{
    try {
        createWindows(app);
    } catch (...) {
        return ReportStartupFailure(std::current_exception());
    }
    return app.Run();
}
