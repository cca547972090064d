// The start-up sequence: the windows are created, then the main window is
// shown and the loop runs. An error that escapes the creation ends the
// program with the fatal report and exit code 1; once the loop runs, errors
// go to the frame's catch point instead.
#pragma once

#include <exception>
#include <functional>

class TApplication;

// Creates the windows, then runs the program; its exit code.
int RunProgram(TApplication& app, const std::function<void(TApplication&)>& createWindows);

// The report for an error that escaped start-up; returns the exit code 1.
int ReportStartupFailure(const std::exception_ptr& error);
