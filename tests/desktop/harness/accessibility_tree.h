// The program's controls as a screen reader sees them: read over the
// accessibility bus from outside the process, a snapshot of one
// application's tree with each object's role, name, place on screen, states
// and text. The suite reads the text area's lines and the focus from here.
#pragma once

#include <QRect>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace desktop {

// Bits of the accessibility bus's state set that the suite looks at.
enum class State : unsigned { Checked = 4, Focusable = 11, Focused = 12, Showing = 25, Visible = 30 };

struct Accessible {
    QString role;
    QString name;
    QRect extents; // on the screen
    std::uint64_t states = 0;
    QString text; // for objects that hold text
    std::vector<Accessible> children;

    bool has(State state) const { return (states >> static_cast<unsigned>(state)) & 1u; }
    // Depth first, this object included.
    const Accessible* find(const std::function<bool(const Accessible&)>& match) const;
    const Accessible* findByName(const QString& wanted) const;
    const Accessible* findByRole(const QString& wanted) const;
    // The object that holds the keyboard focus, if any.
    const Accessible* focused() const;
};

class AccessibilityBus {
public:
    explicit AccessibilityBus(const std::string& sessionBusAddress);
    ~AccessibilityBus();
    AccessibilityBus(const AccessibilityBus&) = delete;
    AccessibilityBus& operator=(const AccessibilityBus&) = delete;

    // The whole tree of the program with that process id, once it has registered.
    std::optional<Accessible> application(pid_t pid);

private:
    QString m_connection;
};

} // namespace desktop
