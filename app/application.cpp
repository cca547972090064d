#include "app/application.h"

#include "app/error_box.h"
#include "app/fatal_report.h"
#include "app/program_name.h"
#include "app/toolkit_arguments.h"
#include "platform/exception/exception.h"
#include "platform/ui/accessibility.h"
#include "platform/ui/event_guard.h"
#include "platform/ui/form.h"
#include "platform/ui/tooltips.h"

TApplication::TApplication(const QString& programName) : QApplication(prepareToolkit(programName), toolkitArgv())
{
    m_title = titleFromFileName(shownProgramPath());
    setQuitOnLastWindowClosed(false);
    setStyle(tooltips::newTimingStyle()); // the application owns its style
    installAccessibility(); // screen readers learn what the self-painted controls are
    ui::setEventErrorHandler([this](const std::exception_ptr& error) { HandleEventError(error); });
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
    m_mouseCapture.notice(receiver, *event);
    tooltips::notice(*event);
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

void TApplication::showDeferredErrors()
{
    auto errors = std::move(m_deferred);
    m_deferred.clear();
    for (auto& error : errors)
        HandleEventError(error);
}

void TApplication::HandleEventError(const std::exception_ptr& error)
{
    if (m_inPaint) {
        // No box inside a paint: it is shown as soon as the painting is over.
        if (m_deferred.empty())
            QMetaObject::invokeMethod(this, &TApplication::showDeferredErrors, Qt::QueuedConnection);
        m_deferred.push_back(error);
        return;
    }
    // A button held down when the error struck is released first.
    m_mouseCapture.cancel();
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
