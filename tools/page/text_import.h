// Turns a parent's text (typed on the command line with "\n" between lines,
// or saved as a UTF-8 file) into the bytes the program reads: Windows-1251
// with CR LF line ends. What the code page cannot hold, or what is not text,
// is refused with its line, its place and the character itself, never
// replaced. Whether the text fits the text area is told, not enforced.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

struct ImportedText {
    QStringList lines; // as they will show
    QByteArray bytes; // Windows-1251, every line ended by CR LF
    QStringList warnings; // lines that wrap, lines past the visible ones
};

// A text typed on the command line: "\n" (a backslash and n) or a real line
// break ends a line, "\\" is one backslash.
QString textFromArgument(const QString& argument);

// The text of a UTF-8 file's bytes (a byte-order mark is dropped). Raises
// EPageRefused for bytes that are not UTF-8, naming the line and byte.
QString textFromUtf8File(const QByteArray& bytes, const QString& path);

// Splits at CR LF, CR or LF (a final break makes no extra line), converts,
// and measures. Raises EPageRefused for an empty text, a NUL or other control
// character, a character that Windows-1251 cannot hold, and a text larger
// than the text area holds (the program would refuse to read it).
ImportedText importText(const QString& text);
