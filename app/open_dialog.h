// The settings of an open-file dialog, kept from one use to the next: a plain
// value, not a widget. ChooseFile shows the dialog they describe and, when a
// file is chosen, stores its full path in FileName, which pre-fills the next
// use. Windows keep one as a member (the main window's OpenDialog1).
#pragma once

#include <QFlags>
#include <QString>
#include <QStringList>

enum class TOpenOption : unsigned {
    ofHideReadOnly = 1u << 0, // no read-only check box (this host's dialog has none)
    ofPathMustExist = 1u << 1, // a typed name must lie in an existing folder
    ofFileMustExist = 1u << 2, // a typed name must be an existing file
    ofEnableSizing = 1u << 3, // the dialog can be resized
};
Q_DECLARE_FLAGS(TOpenOptions, TOpenOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TOpenOptions)

class TOpenDialog {
public:
    // Pairs "description|pattern" joined by "|"; patterns separated by ";".
    QString Filter;
    // Added, after a dot, to a typed name that has no extension.
    QString DefaultExt;
    TOpenOptions Options = TOpenOption::ofHideReadOnly | TOpenOption::ofEnableSizing;
    // The chosen full path; pre-fills the next use.
    QString FileName;
    // Empty: the dialog's own title.
    QString Title;
    // Empty: the folder of FileName, else the current folder.
    QString InitialDir;

    // The filter as name filters "description (pattern pattern)".
    QStringList nameFilters() const;
};
