#include "platform/ui/colors.h"

#include <QApplication>
#include <QPalette>

namespace colors {

QColor btnFace() { return QApplication::palette().color(QPalette::Button); }
QColor btnShadow() { return QApplication::palette().color(QPalette::Dark); }
QColor btnHighlight() { return QApplication::palette().color(QPalette::Light); }
QColor light3D() { return QApplication::palette().color(QPalette::Midlight); }
QColor dkShadow3D() { return QApplication::palette().color(QPalette::Shadow); }
QColor windowFrame() { return clBlack; }
QColor windowText() { return QApplication::palette().color(QPalette::WindowText); }
QColor window() { return QApplication::palette().color(QPalette::Base); }

std::optional<QColor> byName(const QString& name)
{
    struct Named {
        const char* name;
        QColor (*value)();
    };
    static const Named table[] = {
        {"clNavy", [] { return clNavy; }},
        {"clYellow", [] { return clYellow; }},
        {"clSilver", [] { return clSilver; }},
        {"clRed", [] { return clRed; }},
        {"clTeal", [] { return clTeal; }},
        {"clOlive", [] { return clOlive; }},
        {"clBlack", [] { return clBlack; }},
        {"clWhite", [] { return clWhite; }},
        {"clBtnFace", btnFace},
        {"clBtnShadow", btnShadow},
        {"clBtnHighlight", btnHighlight},
        {"clWindowFrame", windowFrame},
        {"clWindowText", windowText},
        {"clWindow", window},
    };
    for (const auto& entry : table)
        if (name == QLatin1String(entry.name))
            return entry.value();
    if (name.startsWith('#')) {
        QColor parsed(name);
        if (parsed.isValid())
            return parsed;
    }
    return std::nullopt;
}

} // namespace colors
