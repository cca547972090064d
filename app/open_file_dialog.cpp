#include "app/open_file_dialog.h"

#include "app/open_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>

namespace {

// A folder below a device file: it exists nowhere and cannot be created, not
// even by root, so a settings file there can be neither read nor written.
constexpr char kNowhere[] = "/dev/null/";
// The dialog's title when the settings give none.
constexpr char kDefaultTitle[] = "Open";

// Qt's file dialog, refusing a name in a folder that does not exist when asked to.
class OpenFileDialog : public QFileDialog {
public:
    bool pathMustExist = false;

    void accept() override
    {
        if (pathMustExist) {
            const QStringList files = selectedFiles();
            if (!files.isEmpty()) {
                const QFileInfo chosen(files.first());
                if (!chosen.isDir() && !chosen.dir().exists()) {
                    QMessageBox::warning(this, windowTitle(),
                                         tr("%1\nThe folder does not exist.\nCheck the name and try again.")
                                             .arg(QDir::toNativeSeparators(chosen.filePath())));
                    return;
                }
            }
        }
        QFileDialog::accept();
    }
};

// The screen of the program's active window, else the primary screen.
QScreen* dialogScreen()
{
    if (const QWidget* active = QApplication::activeWindow())
        if (QScreen* screen = active->screen())
            return screen;
    return QGuiApplication::primaryScreen();
}

} // namespace

void blockToolkitSettings()
{
    static const bool blocked = [] {
        for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
            for (QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope})
                QSettings::setPath(format, scope, QLatin1String(kNowhere));
        return true;
    }();
    (void)blocked;
}

bool runOpenFileDialog(TOpenDialog& dialog)
{
    // Before the dialog exists: it reads its saved state when it is made and
    // writes it when it is destroyed.
    blockToolkitSettings();

    OpenFileDialog fileDialog;
    fileDialog.setOption(QFileDialog::DontUseNativeDialog);
    fileDialog.setAcceptMode(QFileDialog::AcceptOpen);
    fileDialog.setWindowModality(Qt::ApplicationModal);
    fileDialog.setWindowTitle(dialog.Title.isEmpty() ? QLatin1String(kDefaultTitle) : dialog.Title);
    fileDialog.setFileMode(dialog.Options.testFlag(TOpenOption::ofFileMustExist) ? QFileDialog::ExistingFile
                                                                                 : QFileDialog::AnyFile);
    fileDialog.pathMustExist = dialog.Options.testFlag(TOpenOption::ofPathMustExist);
    const QStringList filters = dialog.nameFilters();
    if (!filters.isEmpty())
        fileDialog.setNameFilters(filters);
    fileDialog.setDefaultSuffix(dialog.DefaultExt);
    if (!dialog.InitialDir.isEmpty())
        fileDialog.setDirectory(dialog.InitialDir);
    if (!dialog.FileName.isEmpty())
        fileDialog.selectFile(dialog.FileName);

    if (dialog.Options.testFlag(TOpenOption::ofEnableSizing))
        fileDialog.setSizeGripEnabled(true);
    else
        fileDialog.setFixedSize(fileDialog.size());
    if (const QScreen* screen = dialogScreen()) {
        const QRect area = screen->geometry();
        const QSize size = fileDialog.size();
        fileDialog.move(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 3);
    }

    if (fileDialog.exec() != QDialog::Accepted)
        return false;
    const QStringList chosen = fileDialog.selectedFiles();
    if (chosen.isEmpty())
        return false;
    dialog.FileName = chosen.first();
    return true;
}
