// A push button without glyph. It has no default or cancel role; Enter and
// Space press it while it holds the focus.
#pragma once

#include "platform/ui/control.h"

#include <QPushButton>

class TBitBtn : public QPushButton, public TControl {
    Q_OBJECT
public:
    explicit TBitBtn(QWidget* parent = nullptr);
    ~TBitBtn() override;

    TNotifyEvent OnClick;

    bool setLayoutProperty(const QString& name, const LayoutValue& value) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
