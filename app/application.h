// The application frame: one instance for the life of the process. It creates
// the program's windows, runs the single event loop until the main window is
// closed, and is the one catch point for errors: every exception that escapes
// the handling of an event ends that event only and is shown in the error box
// (EAbort silently), after which the program goes on. It knows nothing of the
// particular windows; main.cpp names them.
#pragma once

#include <QApplication>
#include <QPointer>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

class TForm;

class TApplication : public QApplication {
    Q_OBJECT
public:
    // Qt is given only the program's name, never the real arguments.
    explicit TApplication(const QString& programName);
    ~TApplication() override;

    static TApplication* instance();

    // Derived from the executable's file name ("tolvika" gives "Tolvika").
    QString ApplicationTitle() const { return m_title; }

    // Creates a window and keeps it; the first one created is the main window.
    template <class T, class... Args> T* CreateForm(Args&&... args)
    {
        auto form = std::make_unique<T>(std::forward<Args>(args)...);
        T* raw = form.get();
        adopt(std::move(form));
        return raw;
    }

    // Shows the main window by the show rule and runs the event loop; 0 at a normal end.
    int Run();

    // The catch point: releases a held mouse button, then shows the error in the
    // error box (nothing for EAbort; the fatal report for an error object that
    // is not an Exception).
    void HandleEventError(std::exception_ptr error);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    void adopt(std::unique_ptr<TForm> form);
    void showDeferredErrors();
    void trackMouseCapture(QObject* receiver, const QEvent* event);
    void cancelMouseCapture();

    QString m_title;
    std::vector<std::unique_ptr<TForm>> m_forms;
    std::vector<std::exception_ptr> m_deferred;
    bool m_inPaint = false;
    // The widget a mouse button was pressed on and not yet released, and that button.
    QPointer<QWidget> m_mouseCapture;
    Qt::MouseButton m_captureButton = Qt::NoButton;
};

// The title for an executable path: file name up to its first ".", its first
// character a capital and the rest lower-cased ("MyTrainer.beta" gives "Mytrainer").
QString titleFromFileName(const QString& path);

// The error box's rule: a "." is appended when the text's last byte compares greater than ".".
QString withFinalPeriod(const QString& message);

// Shows one error in the error box under the application's title.
void ShowErrorBox(const std::exception& error);

// The start-up sequence: creates the windows, then shows the main window and
// runs the loop. An error that escapes the creation ends the program with the
// start-up failure report and exit code 1.
int RunProgram(TApplication& app, const std::function<void(TApplication&)>& createWindows);

// The runtime's fatal report for one error: a box captioned "Application
// Error" naming the error's class, the module, an address and the message.
void ShowFatalReport(std::exception_ptr error);
// The report for an error that escaped start-up; returns the exit code 1.
int ReportStartupFailure(std::exception_ptr error);
QString startupFailureText(const QString& className, const QString& module, quintptr address, const QString& message);
