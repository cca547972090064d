// A single-line edit field. With AutoSize its height follows its font: the
// font's line height plus 8 pixels of border and margin.
#pragma once

#include "platform/ui/control.h"

#include <QLineEdit>

class TEdit : public QLineEdit, public TControl {
    Q_OBJECT
public:
    static constexpr int kAutoSizeExtra = 8;

    explicit TEdit(QWidget* parent = nullptr);
    ~TEdit() override;

    QString Text() const { return text(); }
    void setText(const QString& value) { QLineEdit::setText(value); }
    bool AutoSize = true;

    // The font's line height that AutoSize adds AutoSizeExtra to.
    static int lineHeight(const QFont& font);

    bool setLayoutProperty(const QString& name, const LayoutValue& value) override;
    void loaded() override;

protected:
    void colorChanged() override;
};
