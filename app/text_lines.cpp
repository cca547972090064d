#include "app/text_lines.h"

#include "app/input_file.h"
#include "platform/codepage/windows1251.h"
#include "platform/exception/exception.h"
#include "platform/ui/memo.h"

namespace {

// One Windows-1251 byte is one character, so the area's capacity in
// characters bounds the bytes worth reading.
constexpr qint64 kMaxTextBytes = TMemo::kCapacity;

// Switches a widget's redrawing off for a scope and back on, with one redraw.
class RedrawPause {
public:
    explicit RedrawPause(QWidget& widget) : m_widget(widget), m_wasEnabled(widget.updatesEnabled())
    {
        m_widget.setUpdatesEnabled(false);
    }
    ~RedrawPause() { m_widget.setUpdatesEnabled(m_wasEnabled); }
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;

private:
    QWidget& m_widget;
    bool m_wasEnabled;
};

} // namespace

QString textFromFileBytes(const QByteArray& bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    QString text = cp1251::decode(nul < 0 ? bytes : bytes.left(nul));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

void LoadTextLines(TMemo& area, const QString& name)
{
    QFile file;
    openInputFile(file, name);
    const qint64 size = file.size();
    if (size > kMaxTextBytes)
        throw EInvalidOperation("Text exceeds memo capacity");
    const QString text = textFromFileBytes(file.read(size));
    RedrawPause pause(area);
    if (text == area.Text())
        return;
    area.setText(text);
}
