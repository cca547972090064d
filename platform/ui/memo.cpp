#include "platform/ui/memo.h"

#include "platform/codepage/windows1251.h"
#include "platform/exception/exception.h"
#include "platform/ui/colors.h"
#include "platform/ui/event_guard.h"
#include "platform/ui/layout_value.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextDocument>
#include <qdrawutil.h>

namespace {

constexpr std::uint8_t kNoAnsiForm = '?';
// The sunken single border: two lines of 3-D shading.
constexpr int kBorderWidth = 2;

TBevelKind bevelKindByName(const QString& name)
{
    if (name == QLatin1String("bkNone"))
        return TBevelKind::bkNone;
    if (name == QLatin1String("bkSoft"))
        return TBevelKind::bkSoft;
    throw EReadError("Invalid property value: " + name.toStdString());
}

// One soft edge: raised has light top-left lines; the outer edge of a pair
// uses the outer colours (highlight and dark shadow), the inner one the
// gentler ones (light and shadow).
void drawSoftEdge(QPainter& painter, QRect& rect, TBevelCut cut, bool outer)
{
    if (cut == TBevelCut::bvNone)
        return;
    const QColor light = outer ? colors::btnHighlight() : colors::light3D();
    const QColor dark = outer ? colors::dkShadow3D() : colors::btnShadow();
    const bool raised = cut == TBevelCut::bvRaised;
    drawEdgeLines(painter, rect, raised ? light : dark, raised ? dark : light);
}

} // namespace

std::optional<std::uint8_t> typedByte(const QKeyEvent& event)
{
    if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab)
        return std::nullopt;
    // Alt with a key is a menu or system shortcut and types nothing; Ctrl+Alt is
    // how some keyboards type their third-level characters, and those do type.
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers.testFlag(Qt::AltModifier) && !modifiers.testFlag(Qt::ControlModifier))
        return std::nullopt;
    const QString text = event.text();
    if (text.isEmpty())
        return std::nullopt;
    const char32_t character = text.toUcs4().value(0);
    return cp1251::encodeChar(character).value_or(kNoAnsiForm);
}

TMemo::TMemo(QWidget* parent) : QPlainTextEdit(parent), TControl(this)
{
    setTabChangesFocus(true);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A sunken 3-D edge two pixels wide, as the layouts' client areas assume.
    placeBorderInsideBevel();
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
    if (text.size() > kCapacity)
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

int TMemo::bevelEdges() const
{
    if (BevelKind == TBevelKind::bkNone)
        return 0;
    return (BevelOuter != TBevelCut::bvNone ? 1 : 0) + (BevelInner != TBevelCut::bvNone ? 1 : 0);
}

// With a bevel the frame grows by its edges, so that the text area and the
// scroll bar stay inside both; the frame's own shading is painted over.
void TMemo::placeBorderInsideBevel()
{
    const int edges = bevelEdges();
    if (edges == 0) {
        setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
        return;
    }
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(edges + kBorderWidth);
}

void TMemo::paintBevel()
{
    if (bevelEdges() == 0)
        return;
    QPainter painter(this);
    QRect edge = rect();
    drawSoftEdge(painter, edge, BevelOuter, true);
    drawSoftEdge(painter, edge, BevelInner, false);
    qDrawWinPanel(&painter, edge, palette(), true);
}

bool TMemo::event(QEvent* event)
{
    const bool handled = QPlainTextEdit::event(event);
    if (event->type() == QEvent::Paint)
        paintBevel();
    return handled;
}

void TMemo::keyPressEvent(QKeyEvent* event)
{
    if (auto byte = typedByte(*event); byte && OnKeyPress)
        ui::guarded([&] {
            std::uint8_t key = *byte;
            OnKeyPress(this, key);
        });
    // A read-only text moves its caret only by the caret keys; Qt's own
    // handling would page through it on Space.
    if (isReadOnly() && event->key() == Qt::Key_Space) {
        event->accept();
        return;
    }
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
    } else if (name == QLatin1String("BevelKind")) {
        BevelKind = bevelKindByName(value.asIdentifier());
        placeBorderInsideBevel();
    } else if (name == QLatin1String("BevelInner")) {
        BevelInner = bevelCutByName(value.asIdentifier());
        placeBorderInsideBevel();
    } else if (name == QLatin1String("BevelOuter")) {
        BevelOuter = bevelCutByName(value.asIdentifier());
        placeBorderInsideBevel();
    } else if (name == QLatin1String("Lines.Strings")) {
        QString text;
        for (const QString& line : value.asList())
            text += line + QLatin1Char('\n');
        setText(text);
    } else
        return TControl::setLayoutProperty(name, value);
    return true;
}
