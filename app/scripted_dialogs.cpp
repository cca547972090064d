#include "app/scripted_dialogs.h"

#include "app/open_dialog.h"

void ScriptedDialogs::showErrorBox(const QString& text, const QString& caption)
{
    m_errorBoxes.push_back({text, caption});
}

int ScriptedDialogs::askYesNo(const QString& text)
{
    m_questions.append(text);
    if (m_answers.empty())
        return mrCancel;
    const int answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

bool ScriptedDialogs::chooseFile(TOpenDialog& dialog)
{
    m_offeredFileNames.append(dialog.FileName);
    if (m_choices.empty())
        return false;
    const std::optional<QString> choice = m_choices.front();
    m_choices.pop_front();
    if (!choice)
        return false;
    dialog.FileName = *choice;
    return true;
}

void ScriptedDialogs::messageBeep() { ++m_beeps; }

void ScriptedDialogs::queueAnswer(int result) { m_answers.push_back(result); }

void ScriptedDialogs::queueChoice(const QString& fileName) { m_choices.emplace_back(fileName); }

void ScriptedDialogs::queueCancel() { m_choices.emplace_back(std::nullopt); }

void ScriptedDialogs::reset() { *this = ScriptedDialogs(); }
