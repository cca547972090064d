// The error box that the catch point shows for one of the program's errors:
// its message under the application's title, with the box's final-period
// rule applied. The box itself is a runtime service (user_dialogs.h), so
// tests answer it with a scripted stand-in.
#pragma once

#include <QString>
#include <exception>

// The error box's rule: a "." is appended when the text's last byte compares greater than ".".
QString withFinalPeriod(const QString& message);

// Shows one error in the error box under the application's title.
void ShowErrorBox(const std::exception& error);
