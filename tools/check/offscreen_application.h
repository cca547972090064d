// The widget application of a command-line tool. The program's loaders fill
// real text and picture areas, which need one; a command-line tool needs no
// screen, so it asks for the offscreen platform itself, and the user's
// arguments are not Qt's to read. It also registers the picture formats the
// program reads. Create one at the start of main() and keep it to the end.
#pragma once

#include <QApplication>

class OffscreenApplication {
public:
    // programName is main()'s argv[0]; it must outlive the application.
    explicit OffscreenApplication(char* programName);

private:
    static constexpr int kArgumentCount = 3; // the program, "-platform", "offscreen"
    int m_argc = kArgumentCount;
    char* m_argv[kArgumentCount + 1];
    QApplication m_application;
};
