#include "app/program_start.h"

#include "app/application.h"
#include "app/fatal_report.h"

int ReportStartupFailure(const std::exception_ptr& error)
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
