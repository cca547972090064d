// A single-line label that sizes itself to its text and fills its background
// with its parent's colour (it is not transparent).
#pragma once

#include "platform/ui/control.h"

#include <QLabel>

class TLabel : public QLabel, public TControl {
    Q_OBJECT
public:
    explicit TLabel(QWidget* parent = nullptr);
    ~TLabel() override;

    QString Caption() const { return text(); }
    void setCaption(const QString& caption);
    bool AutoSize = true;

    bool setLayoutProperty(const QString& name, const LayoutValue& value) override;
    void loaded() override;

protected:
    void fontChanged() override;

private:
    void fitToText();
};
