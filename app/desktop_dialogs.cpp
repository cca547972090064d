#include "app/desktop_dialogs.h"

#include "app/message_form.h"
#include "app/open_file_dialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace {

// Gives the activation back to the window that had it before a modal box.
class ActiveWindowKeeper {
public:
    ActiveWindowKeeper() : m_window(QApplication::activeWindow()) {}
    ~ActiveWindowKeeper()
    {
        if (m_window && m_window->isVisible())
            m_window->activateWindow();
    }
    ActiveWindowKeeper(const ActiveWindowKeeper&) = delete;
    ActiveWindowKeeper& operator=(const ActiveWindowKeeper&) = delete;

private:
    QPointer<QWidget> m_window;
};

} // namespace

void DesktopDialogs::showErrorBox(const QString& text, const QString& caption)
{
    ActiveWindowKeeper keeper;
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

int DesktopDialogs::askYesNo(const QString& text)
{
    ActiveWindowKeeper keeper;
    TMessageForm form(text);
    return form.exec();
}

bool DesktopDialogs::chooseFile(TOpenDialog& dialog)
{
    ActiveWindowKeeper keeper;
    return runOpenFileDialog(dialog);
}

void DesktopDialogs::messageBeep() { QApplication::beep(); }
