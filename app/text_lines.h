// Loading a text file into a text area. The file's bytes are Windows-1251
// text; its line breaks (CR, LF or CR LF) become the area's lines, and a NUL
// ends the text. The area's other behaviour (capacity, clearing, adding a
// line) is the text area's own: TMemo::Clear and TMemo::AddLine.
#pragma once

#include <QByteArray>
#include <QString>

class TMemo;

// Replaces the area's text with the file's, in one step and only when it
// differs. Raises EFOpenError when the file cannot be opened, and
// EInvalidOperation "Text exceeds memo capacity" for a file larger than the
// area can hold, which is not read; on an error the area keeps its text.
void LoadTextLines(TMemo& area, const QString& name);

// The text that a file of these bytes shows: decoded, cut at the first NUL,
// every CR LF, lone CR and lone LF turned into one line break.
QString textFromFileBytes(const QByteArray& bytes);
