// What checking one file of a data folder found: whether the program would
// show it as it stands, with a short value for the table (lines, size,
// duration) and the notes that explain anything short of "ok". Plain data;
// the checks fill it and the report prints it.
#pragma once

#include <QString>
#include <QStringList>

enum class CheckStatus {
    Ok, // loads as the program would load it
    Warning, // loads, but the child would see or hear something off
    Missing, // not there: the program shows its fallback
    Failed, // there, but loading it raises an error in the program
};

struct FileCheck {
    CheckStatus status = CheckStatus::Ok;
    QString value; // e.g. "2 lines", "592×419", "1.42 s"; empty when there is none
    QStringList notes; // one sentence per finding

    // Raises the status to `worse` (never lowers it) and records why.
    void report(CheckStatus worse, const QString& note)
    {
        if (static_cast<int>(worse) > static_cast<int>(status))
            status = worse;
        notes.append(note);
    }
    // True when the program would show this file (warnings allowed).
    bool loads() const { return status == CheckStatus::Ok || status == CheckStatus::Warning; }
};
