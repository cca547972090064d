// The real open-file dialog: what it returns on Open and Cancel, what it
// starts with, and that using it leaves no file behind.
#include "app/desktop_dialogs.h"
#include "app/open_dialog.h"
#include "tests/app/jpeg_fixtures.h"
#include "tests/support/test_files.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Every entry below a folder, so that "nothing was written" can be checked.
QStringList entriesBelow(const QString& folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        entries.append(it.next());
    return entries;
}

class ChooseFileTest : public ::testing::Test {
protected:
    // A fresh home and configuration folder before any dialog exists.
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        m_oldHome = qgetenv("HOME");
        m_oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral(".config"))));
        m_dialog.Filter = QStringLiteral("data.txt|data.txt");
        m_dialog.DefaultExt = QStringLiteral("txt");
        m_dialog.Options = TOpenOption::ofHideReadOnly | TOpenOption::ofPathMustExist | TOpenOption::ofEnableSizing;
        testfiles::writeFile(m_data.filePath(QStringLiteral("data.txt")), "");
    }
    void TearDown() override
    {
        const QStringList left = entriesBelow(m_home.path());
        EXPECT_TRUE(left.isEmpty()) << "the dialog left files behind: "
                                    << left.join(QStringLiteral(", ")).toStdString();
        qputenv("HOME", m_oldHome);
        qputenv("XDG_CONFIG_HOME", m_oldConfig);
    }

    // Runs the real dialog and acts on it once it is up; its result.
    bool chooseAndAct(std::function<void(QFileDialog&)> act)
    {
        bool acted = false;
        QTimer::singleShot(0, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QFileDialog*>(widget);
                if (!dialog || !dialog->isVisible())
                    continue;
                acted = true;
                QTimer::singleShot(5000, dialog, [dialog] { static_cast<QDialog*>(dialog)->done(QDialog::Rejected); });
                act(*dialog);
                return;
            }
        });
        const bool chosen = DesktopDialogs().chooseFile(m_dialog);
        EXPECT_TRUE(acted) << "no file dialog came up";
        return chosen;
    }

    // The Open button's action (protected in the file dialog, public in QDialog).
    static void open(QFileDialog& dialog) { static_cast<QDialog&>(dialog).accept(); }

    static void type(QFileDialog& dialog, const QString& name)
    {
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        edit->setText(name);
    }

    QTemporaryDir m_home;
    QTemporaryDir m_data;
    TOpenDialog m_dialog;
    QByteArray m_oldHome;
    QByteArray m_oldConfig;
};

// Open returns true with the full path; the dialog is Qt's own, filtered to data.txt.
TEST_F(ChooseFileTest, OpenGivesTheFullPath)
{
    const QString chosen = m_data.filePath(QStringLiteral("data.txt"));
    const bool result = chooseAndAct([&](QFileDialog& dialog) {
        EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_EQ(dialog.nameFilters(), QStringList({"data.txt (data.txt)"}));
        EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("txt"));
        EXPECT_EQ(dialog.fileMode(), QFileDialog::AnyFile);
        EXPECT_EQ(dialog.windowModality(), Qt::ApplicationModal);
        const QRect screen = dialog.screen()->geometry();
        EXPECT_EQ(dialog.x(), (screen.width() - dialog.width()) / 2);
        EXPECT_EQ(dialog.y(), (screen.height() - dialog.height()) / 3);
        type(dialog, chosen);
        open(dialog);
    });
    EXPECT_TRUE(result);
    EXPECT_EQ(m_dialog.FileName, chosen);
}

// Cancel returns false and leaves the remembered name alone.
TEST_F(ChooseFileTest, CancelChangesNothing)
{
    m_dialog.FileName = m_data.filePath(QStringLiteral("data.txt"));
    EXPECT_FALSE(chooseAndAct([](QFileDialog& dialog) { dialog.reject(); }));
    EXPECT_EQ(m_dialog.FileName, m_data.filePath(QStringLiteral("data.txt")));
}

// A second use starts with the first choice filled in.
TEST_F(ChooseFileTest, SecondUseStartsWithThePreviousChoice)
{
    const QString first = m_data.filePath(QStringLiteral("data.txt"));
    ASSERT_TRUE(chooseAndAct([&](QFileDialog& dialog) {
        type(dialog, first);
        open(dialog);
    }));
    ASSERT_EQ(m_dialog.FileName, first);
    EXPECT_FALSE(chooseAndAct([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.selectedFiles(), QStringList({first}));
        EXPECT_EQ(QDir(dialog.directory()).canonicalPath(), QDir(m_data.path()).canonicalPath());
        dialog.reject();
    }));
}

// A typed name in an existing folder is taken even if no such file exists, and gets ".txt".
TEST_F(ChooseFileTest, TypedNamesNeedOnlyAnExistingFolder)
{
    EXPECT_TRUE(chooseAndAct([&](QFileDialog& dialog) {
        type(dialog, m_data.filePath(QStringLiteral("marker")));
        open(dialog);
    }));
    EXPECT_EQ(m_dialog.FileName, m_data.filePath(QStringLiteral("marker.txt")));

    const QString nowhere = m_data.filePath(QStringLiteral("no-such-folder/data.txt"));
    EXPECT_FALSE(chooseAndAct([&](QFileDialog& dialog) {
        type(dialog, nowhere);
        // The refusal is a modal warning box of its own: close it once it is up.
        bool warned = false;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                warned = true;
                box->close();
            }
        });
        open(dialog);
        EXPECT_TRUE(warned);
        EXPECT_TRUE(dialog.isVisible()) << "a name in a missing folder is refused";
        dialog.reject();
    }));
    EXPECT_EQ(m_dialog.FileName, m_data.filePath(QStringLiteral("marker.txt")));
}

} // namespace
