// The Yes/No confirmation box: a fixed-size modal dialog laid out in dialog
// units of the system's message font, with the question icon, the word-wrapped
// message and the buttons "&Yes" (6, default) and "&No" (7, Esc). Closing it
// otherwise gives 2. Ctrl+C beeps and copies the box as text. Showing it
// modally and giving the answer back is DesktopDialogs' job.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

class TMessageForm : public QDialog {
    Q_OBJECT
public:
    explicit TMessageForm(const QString& message);
    ~TMessageForm() override;

    // The box as plain text, as Ctrl+C puts it on the clipboard.
    QString clipboardText() const;

    QLabel* messageLabel() const { return m_message; }
    QLabel* iconLabel() const { return m_icon; }
    QPushButton* yesButton() const { return m_yes; }
    QPushButton* noButton() const { return m_no; }

    // Closing the box by its close box or Alt+F4 answers 2.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* m_icon = nullptr;
    QLabel* m_message = nullptr;
    QPushButton* m_yes = nullptr;
    QPushButton* m_no = nullptr;
};
