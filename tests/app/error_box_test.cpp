// The real error box: a modal stop-icon box with the given text and caption
// and one OK button.
#include "app/desktop_dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The box shows the text as plain text under the caption, with the stop icon and only OK.
TEST(ErrorBox, ShowsTextUnderCaptionWithStopIconAndOk)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = true;
        EXPECT_EQ(box->text(), QStringLiteral("Cannot open file /data/<help>.txt."));
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Tolvika"));
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
        box->button(QMessageBox::Ok)->click();
    });
    DesktopDialogs().showErrorBox(QStringLiteral("Cannot open file /data/<help>.txt."), QStringLiteral("Tolvika"));
    EXPECT_TRUE(seen);
}

} // namespace
