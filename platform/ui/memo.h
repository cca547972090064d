// A multi-line text area. Its text is the only copy of its lines. It holds at
// most Capacity characters: a larger text is refused with EInvalidOperation
// "Text exceeds memo capacity" and the old text stays. Typed characters are
// turned into their Windows-1251 byte and raised as OnKeyPress before the
// area's own handling; a character with no Windows-1251 form arrives as "?".
#pragma once

#include "platform/ui/control.h"
#include "platform/ui/panel.h"

#include <QPlainTextEdit>
#include <QStringList>
#include <cstdint>
#include <functional>

// bkSoft draws the bevel's edges around the border in the softer colours.
enum class TBevelKind { bkNone, bkSoft };

using TKeyPressEvent = std::function<void(TControl* Sender, std::uint8_t& Key)>;

class TMemo : public QPlainTextEdit, public TControl {
    Q_OBJECT
public:
    // Word-wrapped layout of a line with no place to break it grows with the
    // square of its length; at this size one line of the widest glyph is laid
    // out and drawn within about 100 ms. A page text needs a few hundred
    // characters, a help text a few thousand.
    static constexpr int kCapacity = 16 * 1024;

    explicit TMemo(QWidget* parent = nullptr);
    ~TMemo() override;

    QString Text() const;
    // Replaces the whole text in one step; raises EInvalidOperation beyond Capacity.
    void setText(const QString& text);
    QStringList Lines() const;
    void Clear();
    // On an empty area the text becomes the line followed by a line break.
    void AddLine(const QString& line);

    bool ReadOnly() const { return isReadOnly(); }
    void setReadOnly(bool on);
    void setWordWrap(bool on);
    void setVerticalScrollBar(bool on);

    // Edges drawn outside the sunken border, one pixel each; none unless BevelKind is set.
    TBevelKind BevelKind = TBevelKind::bkNone;
    TBevelCut BevelInner = TBevelCut::bvRaised;
    TBevelCut BevelOuter = TBevelCut::bvLowered;

    TKeyPressEvent OnKeyPress;

    bool setLayoutProperty(const QString& name, const LayoutValue& value) override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void colorChanged() override;

private:
    int bevelEdges() const;
    void placeBorderInsideBevel();
    void paintBevel();
};

// The Windows-1251 byte a key event types, or none for keys that type nothing
// (arrows, Tab, bare modifiers, Alt shortcuts).
std::optional<std::uint8_t> typedByte(const QKeyEvent& event);
