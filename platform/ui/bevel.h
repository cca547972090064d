// A bevel frame: a rectangle etched into (lowered) or raised out of its parent.
#pragma once

#include "platform/ui/control.h"

#include <QWidget>

class TBevel : public QWidget, public TControl {
    Q_OBJECT
public:
    explicit TBevel(QWidget* parent = nullptr);
    ~TBevel() override;

    bool Lowered = true;

    bool setLayoutProperty(const QString& name, const LayoutValue& value) override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
