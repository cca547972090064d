// A check box with its caption on the right. OnClick runs whenever its
// checked state changes, by the user (a click anywhere on the control, Space)
// or by the program.
#pragma once

#include "platform/ui/control.h"

#include <QCheckBox>

class TCheckBox : public QCheckBox, public TControl {
    Q_OBJECT
public:
    explicit TCheckBox(QWidget* parent = nullptr);
    ~TCheckBox() override;

    bool Checked() const { return isChecked(); }
    void setChecked(bool on) { QCheckBox::setChecked(on); }
    TNotifyEvent OnClick;

    bool setLayoutProperty(const QString& name, const LayoutValue& value) override;

protected:
    // The whole control answers a click, not only the box and its caption:
    // a click beside them would otherwise take the focus and toggle nothing.
    bool hitButton(const QPoint& pos) const override;
};
