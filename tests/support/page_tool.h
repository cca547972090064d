// The page tool, run as a parent runs it, for the tests of the tool and the
// end-to-end tests that show its pages: its exit status and its two
// outputs, and a page made with it from phone-style sources into any data
// folder. The tool is taken from the build tree; the tests that use it
// depend on its target.
#pragma once

#include "tests/support/tool_run.h"

#include <QSize>
#include <QString>
#include <QStringList>

namespace pagetool {

using Run = testtools::ToolRun;

QString executable();

// Runs the tool with no display and no sound device, as a terminal would.
// `prefix` (for example a program that changes the user) goes before it.
Run run(const QStringList& arguments, const QStringList& prefix = {});

struct PageSources {
    QSize uprightPicture{900, 1200}; // stored turned, with orientation 6
    QString text = QStringLiteral("Жж\\nЖук");
    double toneSeconds = 0.3; // between stretches of silence, in an m4a
};

// Makes the sources in `work` and the page of `letter` in `dataFolder` with
// the tool (replacing what is there); throws when the tool does not end
// with status 0. Returns the tool's run.
Run makePage(const QString& dataFolder, const QString& letter, const QString& work, const PageSources& sources = {});

} // namespace pagetool
