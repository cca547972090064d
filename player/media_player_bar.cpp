// TMediaPlayer: the button bar. Layout of the cells in the control's width,
// painting to the pixel, mouse tracking of a press, the keyboard, and the
// auto-enable step that follows an activation.
#include "player/media_player.h"

#include "platform/ui/colors.h"
#include "platform/ui/event_guard.h"
#include "player/bar_canvas.h"
#include "player/player_glyphs.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>

namespace {

// Room around the largest glyph in the smallest cell.
constexpr int kCellGlyphMarginX = 8;
constexpr int kCellGlyphMarginY = 4;
// How far the focus mark lies inside its cell.
constexpr int kFocusInset = 3;
// Each layout round can only move the size to whole cells of at least the
// smallest width; two rounds reach a fixed point, the rest guard against constraints.
constexpr int kMaxLayoutRounds = 4;

} // namespace

void TMediaPlayer::loadGlyphs()
{
    int widest = 0;
    int tallest = 0;
    for (int i = 0; i < kMPButtonCount; ++i) {
        const auto button = static_cast<TMPBtnType>(i);
        TMPButtonState& state = m_buttons[i];
        state.PlainGlyph = playerglyphs::load(TGlyphLook::Plain, button);
        state.DisabledGlyph = playerglyphs::load(TGlyphLook::Disabled, button);
        state.ColoredGlyph = playerglyphs::load(TGlyphLook::Colored, button);
        for (const QImage* glyph : {&state.PlainGlyph, &state.DisabledGlyph, &state.ColoredGlyph}) {
            widest = std::max(widest, glyph->width());
            tallest = std::max(tallest, glyph->height());
        }
    }
    m_minCellWidth = widest + kCellGlyphMarginX;
    m_minCellHeight = tallest + kCellGlyphMarginY;
}

int TMediaPlayer::visibleCount() const { return buttonbar::visibleCount(m_visibleButtons); }

void TMediaPlayer::applySizeRule()
{
    if (m_loading || m_inSizeRule)
        return;
    m_inSizeRule = true;
    for (int round = 0; round < kMaxLayoutRounds; ++round) {
        const int count = visibleCount();
        m_cellWidth = buttonbar::cellWidthFor(Width(), count);
        const buttonbar::Size current{Width(), Height()};
        const buttonbar::Size wanted = buttonbar::wantedSize(current, count, m_minCellWidth, m_minCellHeight);
        if (wanted == current)
            break;
        SetBounds(Left(), Top(), wanted.Width, wanted.Height);
        if (Width() == current.Width && Height() == current.Height)
            break; // the constraints hold the size where it is
    }
    m_inSizeRule = false;
}

void TMediaPlayer::resizeEvent(QResizeEvent* event)
{
    TCustomControl::resizeEvent(event);
    applySizeRule();
}

bool TMediaPlayer::usable(TMPBtnType button) const
{
    const TMPButtonState& state = m_buttons[button];
    return m_autoEnable ? state.AutoEnabled : state.Enabled;
}

const QImage& TMediaPlayer::glyphFor(TMPBtnType button) const
{
    const TMPButtonState& state = m_buttons[button];
    // The control's own enabled setting, not its parents'.
    const bool controlEnabled = parentWidget() ? isEnabledTo(parentWidget()) : isEnabled();
    if (!controlEnabled || !usable(button))
        return state.DisabledGlyph;
    return state.Colored ? state.ColoredGlyph : state.PlainGlyph;
}

void TMediaPlayer::drawButton(BarCanvas& canvas, TMPBtnType button, int left) const
{
    const int right = left + m_cellWidth;
    const int h = Height();
    const bool pressed = m_shownDown && button == m_pressedButton;

    canvas.rectangle(left, 0, right, h, colors::windowFrame(), colors::btnFace());
    if (pressed) {
        canvas.line(left + 1, h - 2, left + 1, 1, colors::btnShadow());
        canvas.line(left + 1, 1, right - 1, 1, colors::btnShadow());
    } else {
        canvas.line(left + 1, h - 2, left + 1, 1, colors::btnHighlight());
        canvas.line(left + 1, 1, right - 1, 1, colors::btnHighlight());
        canvas.line(left + 2, h - 2, right - 2, h - 2, colors::btnShadow());
        canvas.line(right - 2, h - 2, right - 2, 1, colors::btnShadow());
    }

    const QImage& glyph = glyphFor(button);
    const int shift = pressed ? 1 : 0;
    const int x = left + m_cellWidth / 2 - glyph.width() / 2 + shift;
    const int y = h / 2 - glyph.height() / 2 + shift;
    canvas.drawTransparent(x, y, glyph, playerglyphs::transparentColor());

    if (hasFocus() && button == m_selectedButton)
        canvas.focusRect(left + kFocusInset + shift, kFocusInset + shift, right - kFocusInset + shift,
                         h - kFocusInset + shift);
}

void TMediaPlayer::paintEvent(QPaintEvent* event)
{
    QImage image(Width(), Height(), QImage::Format_RGB32);
    image.fill(colors::btnFace());
    BarCanvas canvas(image);
    canvas.frameRect(0, 0, Width(), Height(), colors::windowFrame());
    int left = 0;
    for (int i = 0; i < kMPButtonCount; ++i) {
        const auto button = static_cast<TMPBtnType>(i);
        if (!m_buttons[i].Visible)
            continue;
        drawButton(canvas, button, left);
        left += m_cellWidth - 1;
    }
    QPainter painter(this);
    painter.drawImage(event->rect(), image, event->rect());
}

void TMediaPlayer::repaintPressedCell()
{
    repaint(m_pressedRect.Left, m_pressedRect.Top, m_pressedRect.Right - m_pressedRect.Left,
            m_pressedRect.Bottom - m_pressedRect.Top);
}

void TMediaPlayer::paintWindowNow()
{
    // The whole window, synchronously: the places left by hidden controls too.
    if (QWidget* top = window(); top && top->isVisible())
        top->repaint();
}

void TMediaPlayer::pressAt(int x)
{
    const auto hit = buttonbar::hitTest(m_visibleButtons, m_cellWidth, x);
    if (!hit || !usable(hit->Button))
        return;
    m_pressedButton = hit->Button;
    if (m_pressedButton != m_selectedButton) {
        m_selectedButton = m_pressedButton;
        repaint();
    }
    m_pressedRect = {hit->Left, 0, hit->Left + m_cellWidth, Height()};
    m_tracking = true;
    m_shownDown = true;
    repaintPressedCell();
}

void TMediaPlayer::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        TCustomControl::mousePressEvent(event);
        return;
    }
    pressAt(event->position().toPoint().x());
}

void TMediaPlayer::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second click of a double click is one more press.
    if (event->button() != Qt::LeftButton) {
        TCustomControl::mouseDoubleClickEvent(event);
        return;
    }
    pressAt(event->position().toPoint().x());
}

void TMediaPlayer::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_tracking)
        return;
    const QPoint point = event->position().toPoint();
    const bool inside = m_pressedRect.contains(point.x(), point.y());
    if (inside != m_shownDown) {
        m_shownDown = inside;
        repaintPressedCell();
    }
}

void TMediaPlayer::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        TCustomControl::mouseReleaseEvent(event);
        return;
    }
    // Tracking ends before the button runs, so that an error raised by a handler
    // cannot leave the bar following a mouse whose button is up.
    const bool activate = m_tracking && m_shownDown;
    m_tracking = false;
    if (!activate)
        return;
    m_shownDown = false;
    repaintPressedCell();
    // An error from a handler or the default action skips the rest, auto-enable step included.
    ui::guarded([this] {
        RunButton();
        if (m_autoEnable && m_lastError == 0 && m_isOpen) {
            ButtonRule(m_pressedButton);
            RefreshAutoEnabled();
        }
    });
}

bool TMediaPlayer::event(QEvent* event)
{
    // The bar keeps the arrow keys and the space bar for itself.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier
            && (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right || key->key() == Qt::Key_Space)) {
            event->accept();
            return true;
        }
    }
    return TCustomControl::event(event);
}

void TMediaPlayer::keyPressEvent(QKeyEvent* event)
{
    // Every key ends here: none is passed on to the window.
    event->accept();
    switch (event->key()) {
    case Qt::Key_Space:
        // The keyboard always goes by EnabledButtons, even while AutoEnable rules the mouse.
        if (m_buttons[m_selectedButton].Enabled) {
            m_pressedButton = m_selectedButton;
            ui::guarded([this] {
                RunButton();
                if (m_autoEnable) {
                    ButtonRule(m_pressedButton);
                    RefreshAutoEnabled();
                }
            });
        }
        break;
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const TMPBtnType selected = event->key() == Qt::Key_Left
            ? buttonbar::selectLeft(m_visibleButtons, m_selectedButton)
            : buttonbar::selectRight(m_visibleButtons, m_selectedButton);
        if (selected != m_selectedButton) {
            m_selectedButton = selected;
            update();
        }
        break;
    }
    default: break;
    }
}

void TMediaPlayer::focusInEvent(QFocusEvent* event)
{
    TCustomControl::focusInEvent(event);
    repaint();
}

void TMediaPlayer::focusOutEvent(QFocusEvent* event)
{
    TCustomControl::focusOutEvent(event);
    repaint();
}
