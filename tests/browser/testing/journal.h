// One running record of what the fakes were asked to do, in order, so that a
// test can check the sequence across view, player and services at once.
#pragma once

#include "platform/exception/exception.h"

#include <QString>
#include <string>
#include <vector>

// What a fake raises where the real control or service would raise.
TOLVIKA_ERROR_CLASS(EFakeFailure, Exception);

class Journal {
public:
    void add(const QString& entry) { m_entries.push_back(entry.toStdString()); }
    const std::vector<std::string>& entries() const { return m_entries; }
    // Forgets what happened so far, so that a test sees only what it provokes.
    void clear() { m_entries.clear(); }
    int count(const std::string& entry) const
    {
        int n = 0;
        for (const auto& e : m_entries)
            n += e == entry ? 1 : 0;
        return n;
    }

private:
    std::vector<std::string> m_entries;
};
