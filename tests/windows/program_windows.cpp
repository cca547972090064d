#include "tests/windows/program_windows.h"

#include "platform/ui/control.h"

#include <QApplication>
#include <QTest>
#include <QToolTip>
#include <cstdlib>
#include <gtest/gtest.h>

ProgramWindows::ProgramWindows()
{
    TForm::setMainForm(&main);
    main.setCompanions(&help, &about);
}

ProgramWindows::~ProgramWindows()
{
    QToolTip::hideText();
    help.hide();
    about.hide();
    main.hide();
    TForm::setMainForm(nullptr);
}

void ProgramWindows::showMain()
{
    main.Show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&main));
}

TControl& controlOf(TForm& form, const char* name)
{
    auto* control = form.find<TControl>(QString::fromLatin1(name));
    if (!control) {
        ADD_FAILURE() << "no control " << name;
        std::abort();
    }
    return *control;
}

QPoint posInWindow(const QWidget& widget) { return widget.mapTo(widget.window(), QPoint(0, 0)); }

QImage grabOf(QWidget& widget) { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

bool near(QColor a, QColor b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance;
}
