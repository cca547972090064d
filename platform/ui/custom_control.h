// A windowed control that paints itself: the base of the kit's self-drawn
// controls (the sound player's button bar). It has a window handle for posted
// messages, delivers them to WndProc on the user-interface thread, and offers
// the focus and capture state its painting and mouse tracking need. It paints
// nothing itself: subclasses override paintEvent and the input handlers.
#pragma once

#include "platform/messages/window_handle.h"
#include "platform/ui/control.h"

#include <QWidget>

class TCustomControl : public QWidget, public TControl {
    Q_OBJECT
public:
    explicit TCustomControl(QWidget* parent = nullptr);
    ~TCustomControl() override;

    // The window handle that posted messages name; created on first demand.
    HWND Handle();
    bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
    void setTabStop(bool on);

    bool setLayoutProperty(const QString& name, const LayoutValue& value) override;

protected:
    // A message posted to Handle() arrives here.
    virtual void WndProc(const TMessage& message);
    bool event(QEvent* event) override;
};
