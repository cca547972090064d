#include "platform/ui/memo.h"

#include "platform/ui/ansi_codepage.h"
#include "platform/ui/event_guard.h"
#include "platform/ui/exception.h"
#include "platform/ui/layout_value.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QTextDocument>

namespace {
constexpr std::uint8_t kNoAnsiForm = '?';
}

std::optional<std::uint8_t> typedByte(const QKeyEvent& event)
{
    if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab)
        return std::nullopt;
    const QString text = event.text();
    if (text.isEmpty())
        return std::nullopt;
    const char32_t character = text.toUcs4().value(0);
    return ansi::encodeChar(character).value_or(kNoAnsiForm);
}

TMemo::TMemo(QWidget* parent) : QPlainTextEdit(parent), TControl(this)
{
    setTabChangesFocus(true);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A sunken 3-D edge two pixels wide, as the layouts' client areas assume.
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    document()->setDocumentMargin(1);
}

TMemo::~TMemo() = default;

QString TMemo::Text() const
{
    // The document's raw text, not toPlainText(), which turns non-breaking
    // spaces (byte 0xA0 of Windows-1251 texts) into plain ones.
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

void TMemo::setText(const QString& text)
{
    if (text.size() > Capacity)
        throw EInvalidOperation("Text exceeds memo capacity");
    setPlainText(text);
}

QStringList TMemo::Lines() const
{
    QStringList lines = Text().split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void TMemo::Clear() { setPlainText(QString()); }

void TMemo::AddLine(const QString& line)
{
    const QString text = Text();
    setText(text.isEmpty() ? line + QLatin1Char('\n') : text + line + QLatin1Char('\n'));
}

void TMemo::setReadOnly(bool on)
{
    QPlainTextEdit::setReadOnly(on);
    if (on) // the caret keys still move through a read-only text
        setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
}

void TMemo::setWordWrap(bool on) { setLineWrapMode(on ? WidgetWidth : NoWrap); }

void TMemo::setVerticalScrollBar(bool on)
{
    setVerticalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TMemo::colorChanged()
{
    QPalette p = palette();
    p.setColor(QPalette::Base, Color());
    setPalette(p);
}

void TMemo::keyPressEvent(QKeyEvent* event)
{
    if (auto byte = typedByte(*event); byte && OnKeyPress)
        ui::guarded([&] {
            std::uint8_t key = *byte;
            OnKeyPress(this, key);
        });
    QPlainTextEdit::keyPressEvent(event);
}

bool TMemo::setLayoutProperty(const QString& name, const LayoutValue& value)
{
    if (name == QLatin1String("ReadOnly"))
        setReadOnly(value.asBool());
    else if (name == QLatin1String("WordWrap"))
        setWordWrap(value.asBool());
    else if (name == QLatin1String("ScrollBars")) {
        const QString bars = value.asIdentifier();
        if (bars != QLatin1String("ssNone") && bars != QLatin1String("ssVertical"))
            throw EReadError("Invalid property value: " + bars.toStdString());
        setVerticalScrollBar(bars == QLatin1String("ssVertical"));
    } else if (name == QLatin1String("Lines.Strings")) {
        QString text;
        for (const QString& line : value.asList())
            text += line + QLatin1Char('\n');
        setText(text);
    }
    else
        return TControl::setLayoutProperty(name, value);
    return true;
}
