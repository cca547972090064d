// Shared set-up for the window tests: the three windows wired as the program
// wires them, the boxes answered by a scripted stand-in, and small helpers to
// find controls, grab pictures and compare colours.
#pragma once

#include "app/scripted_dialogs.h"
#include "app/user_dialogs.h"
#include "windows/help.h"
#include "windows/main.h"
#include "windows/prg_about.h"

#include <QColor>
#include <QImage>
#include <QString>

class QWidget;
class TControl;

struct ProgramWindows {
    ScriptedDialogs dialogs;
    UserDialogsOverride scope{dialogs};
    TfmMain main;
    TfmPrgAbout about;
    TfmHelp help;

    ProgramWindows();
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    // Shows the main window by the show rule and waits until it is active.
    void showMain();
};

// The kit control of that name in the window; fails the test when missing.
TControl& controlOf(TForm& form, const char* name);

// The widget's top-left corner in the window's client area.
QPoint posInWindow(const QWidget& widget);

// The widget as it paints now.
QImage grabOf(QWidget& widget);

// Whether two colours differ by at most `tolerance` in every channel.
bool near(QColor a, QColor b, int tolerance);
