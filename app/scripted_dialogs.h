// A stand-in for the boxes a person would answer, for tests of the windows and
// the browser: it records every beep, error box, question and file dialog,
// and answers from queues that the test fills. An empty queue answers as a
// person closing the box would: 2 for a question, Cancel for a file dialog.
#pragma once

#include "app/user_dialogs.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

class ScriptedDialogs : public UserDialogs {
public:
    struct ErrorBox {
        QString text;
        QString caption;
    };

    void showErrorBox(const QString& text, const QString& caption) override;
    int askYesNo(const QString& text) override;
    bool chooseFile(TOpenDialog& dialog) override;
    void messageBeep() override;

    // The next question is answered with this result (6, 7 or 2).
    void queueAnswer(int result);
    // The next file dialog chooses this full path.
    void queueChoice(const QString& fileName);
    // The next file dialog is cancelled.
    void queueCancel();

    int beeps() const { return m_beeps; }
    const std::vector<ErrorBox>& errorBoxes() const { return m_errorBoxes; }
    const QStringList& questions() const { return m_questions; }
    // The FileName each file dialog started with.
    const QStringList& offeredFileNames() const { return m_offeredFileNames; }
    // Forgets what was recorded and what was queued.
    void reset();

private:
    int m_beeps = 0;
    std::vector<ErrorBox> m_errorBoxes;
    QStringList m_questions;
    QStringList m_offeredFileNames;
    std::deque<int> m_answers;
    std::deque<std::optional<QString>> m_choices;
};
