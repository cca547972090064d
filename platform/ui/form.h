// A top-level window built from a stored layout. It keeps the show and close
// rules of the program's windows: showing a hidden window runs OnShow first
// (an error there goes to the error handler and the showing goes on), places
// the window by its Position only at its first showing, and then shows it;
// closing the main window quits the application, closing any other only
// hides it. It also routes focus-enter events to its controls, applies the
// tab order, and hands its tooltip events to the tooltips unit. The class is
// one, its definition is split by concern: form.cpp (the window and its
// components), form_layout.cpp, form_properties.cpp, form_show_close.cpp and
// form_focus_keys.cpp.
#pragma once

#include "platform/ui/control.h"
#include "platform/ui/memo.h"

#include <QWidget>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

enum class TPosition { poDesigned, poScreenCenter, poMainFormCenter, poOwnerFormCenter };

class TForm : public QWidget, public TControl {
    Q_OBJECT
public:
    // The frame the window manager would draw here: 4 pixels at the sides and
    // bottom, 29 of caption and top border, as the stored outer sizes assume.
    static constexpr int kFrameSide = 4;
    static constexpr int kFrameTop = 29;

    // Creates the window from the stored layout resource of that name.
    explicit TForm(const QString& layoutResource);
    // Creates the window from layout text (tests and tools).
    struct LayoutText {
        QByteArray bytes;
    };
    explicit TForm(const LayoutText& text);
    ~TForm() override;

    QString Caption() const { return windowTitle(); }
    TPosition Position = TPosition::poDesigned;
    int PixelsPerInch = 120;
    int TextHeight = 16;

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TKeyPressEvent OnKeyPress;

    // Makes the window visible by the show rule, or only brings it to the front.
    void Show();
    // Closes by the close rule (main window: quit; other windows: hide).
    void Close();
    bool firstShowDone() const { return m_placed; }
    // Hidden because the main window was minimised: the window itself stays
    // shown as far as the program is concerned, so OnHide does not run.
    void hideWithGroup();
    void setVisible(bool visible) override;

    // Makes the control the active one; it takes the focus at once when the window is active.
    void setActiveControl(QWidget* control);
    QWidget* ActiveControl() const;

    // A control or component of the layout by name; null when there is none.
    TComponent* FindComponent(const QString& name) const;
    template <class T> T* find(const QString& name) const { return dynamic_cast<T*>(FindComponent(name)); }
    // Raises EReadError when the layout lacks the control or it has another class.
    template <class T> T& component(const QString& name) const
    {
        if (T* found = find<T>(name))
            return *found;
        missingComponent(name);
    }
    std::vector<TComponent*> components() const;

    void realign();
    bool setLayoutProperty(const QString& name, const LayoutValue& value) override;
    void loaded() override;

    // The program's main window: the first one the frame creates.
    static TForm* MainForm();
    static void setMainForm(TForm* form);

    // Takes ownership of a non-visual component read from the layout.
    void adoptComponent(std::unique_ptr<TComponent> component);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    [[noreturn]] static void missingComponent(const QString& name);
    void runHandler(const TNotifyEvent& handler);
    void placeAtFirstShow();
    void focusChanged(QWidget* old, QWidget* now);
    void applyTabOrder();
    void loadLayout(const QByteArray& text);

    std::vector<std::unique_ptr<TComponent>> m_components;
    bool m_placed = false;
    bool m_hidingWithGroup = false;
    QString m_pendingActive;
};
