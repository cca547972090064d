// Runtime services over a set of file names that count as present, a fixed
// executable path, a beep counter and a scripted file dialog. Folder parts
// end at the last "/", as on this system.
#pragma once

#include "browser/browser_services.h"
#include "tests/browser/testing/journal.h"

#include <QSet>

class FakeServices : public BrowserServices {
public:
    explicit FakeServices(Journal& journal) : m_journal(journal) {}

    // Script.
    QSet<QString> presentFiles;
    QString programFilePath = QStringLiteral("/opt/kids/tolvika");
    // What the dialog returns: a chosen full name, or nothing for Cancel.
    std::optional<QString> dialogChoice;

    // Observations.
    int beeps = 0;
    int dialogsRun = 0;

    QString ProgramFilePath() const override { return programFilePath; }
    QString FolderPart(const QString& path) const override { return path.left(path.lastIndexOf('/') + 1); }
    bool FileIsPresent(const QString& path) const override { return presentFiles.contains(path); }
    void MessageBeep() override
    {
        m_journal.add(QStringLiteral("beep"));
        ++beeps;
    }
    std::optional<QString> ChooseFile() override
    {
        m_journal.add(QStringLiteral("dialog"));
        ++dialogsRun;
        return dialogChoice;
    }

private:
    Journal& m_journal;
};
