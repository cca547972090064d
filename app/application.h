// The application frame: one instance for the life of the process. It holds
// the program's windows, runs the single event loop until the main window is
// closed, and is the one catch point for errors: every exception that escapes
// the handling of an event ends that event only and is shown in the error box
// (EAbort silently), after which the program goes on. It knows nothing of the
// particular windows; main.cpp names them. The start-up sequence is in
// program_start.h, the boxes it shows in error_box.h and fatal_report.h.
#pragma once

#include "platform/ui/mouse_capture.h"

#include <QApplication>
#include <exception>
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
    void HandleEventError(const std::exception_ptr& error);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    void adopt(std::unique_ptr<TForm> form);
    void showDeferredErrors();

    QString m_title;
    std::vector<std::unique_ptr<TForm>> m_forms;
    std::vector<std::exception_ptr> m_deferred;
    bool m_inPaint = false;
    MouseCapture m_mouseCapture;
};
