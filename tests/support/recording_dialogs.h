// A stand-in for the person in front of the screen: records every error box,
// beep and question, and answers from a script, so that tests never block.
#pragma once

#include "app/user_dialogs.h"

#include <QString>
#include <deque>
#include <vector>

class RecordingDialogs : public UserDialogs {
public:
    struct Box {
        QString text;
        QString caption;
    };

    RecordingDialogs() { setUserDialogs(this); }
    ~RecordingDialogs() override { setUserDialogs(nullptr); }

    void showErrorBox(const QString& text, const QString& caption) override { boxes.push_back({text, caption}); }
    int askYesNo(const QString& text) override
    {
        questions.push_back(text);
        if (answers.empty())
            return 2;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool chooseFile(TOpenDialog&) override { return false; }
    void messageBeep() override { ++beeps; }

    std::vector<Box> boxes;
    std::vector<QString> questions;
    std::deque<int> answers;
    int beeps = 0;
};
