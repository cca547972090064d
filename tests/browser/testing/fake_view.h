// The main window's controls as plain values: the text area's lines, what
// Image1 shows, the repeat control's visibility, the Sound check box and the
// data-folder field. Text files are scripted by path; a path listed as
// unreadable raises the way a locked file or a bad picture header would.
#pragma once

#include "browser/browser_view.h"
#include "tests/browser/testing/journal.h"

#include <QMap>
#include <QSet>
#include <QStringList>

class FakeView : public BrowserView {
public:
    // What Image1 shows after it copied Image2's picture.
    static inline const QString kFallbackPicture = QStringLiteral("<fallback picture>");

    explicit FakeView(Journal& journal) : m_journal(journal) {}

    // Script.
    QMap<QString, QStringList> textFiles;
    QSet<QString> unreadable;

    // State of the controls; as at the window's creation.
    QStringList lines{QStringLiteral("Memo1")};
    QString picture = QStringLiteral("<title picture>");
    bool visible = true;
    bool checked = true;
    QString dataFolderField;
    int memoFocused = 0;

    void clearLines() override
    {
        m_journal.add(QStringLiteral("clear lines"));
        lines.clear();
    }
    void loadTextLines(const QString& path) override
    {
        m_journal.add(QStringLiteral("load text ") + path);
        if (unreadable.contains(path))
            throw EFakeFailure("Cannot open file " + path.toStdString());
        lines = textFiles.value(path);
    }
    void addLine(const QString& line) override
    {
        m_journal.add(QStringLiteral("add line ") + line);
        lines.append(line);
    }
    void focusMemo() override { ++memoFocused; }
    void loadPictureFile(const QString& path) override
    {
        m_journal.add(QStringLiteral("load picture ") + path);
        if (unreadable.contains(path))
            throw EFakeFailure("JPEG error #53");
        picture = path;
    }
    void showFallbackPicture() override
    {
        m_journal.add(QStringLiteral("fallback picture"));
        picture = kFallbackPicture;
    }
    bool playerVisible() const override { return visible; }
    void setPlayerVisible(bool on) override
    {
        m_journal.add(on ? QStringLiteral("show player") : QStringLiteral("hide player"));
        visible = on;
    }
    bool soundChecked() const override { return checked; }
    void setDataFolderText(const QString& text) override
    {
        m_journal.add(QStringLiteral("field ") + text);
        dataFolderField = text;
    }

private:
    Journal& m_journal;
};
