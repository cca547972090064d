// The runtime's fatal report: what a person sees for an error object that is
// not one of the program's, or for any error that escapes start-up. A box
// captioned "Application Error" names the error's class, the module, an
// address and the message; the same line goes to standard error. It ends
// nothing itself: the caller decides whether the program goes on.
#pragma once

#include <QString>
#include <QtGlobal>
#include <exception>

// Shows the report for one error.
void ShowFatalReport(const std::exception_ptr& error);

// The report's text: class, module, eight hex digits, message with a final period.
QString startupFailureText(const QString& className, const QString& module, quintptr address, const QString& message);
