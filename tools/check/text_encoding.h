// Tells a text file saved as UTF-8 from one in Windows-1251, the code page the
// program reads every text in. Russian text in UTF-8 is a run of two-byte
// sequences led by 0xD0 or 0xD1; read as Windows-1251 those bytes become "Р"
// and "С" followed by punctuation, which is what the child would see. Only the
// bytes are looked at; what the program shows is the text loader's business.
#pragma once

#include <QByteArray>

// True when the bytes are valid UTF-8 throughout and hold at least one
// Cyrillic letter in its UTF-8 form, or begin with the UTF-8 byte-order mark.
// Windows-1251 Russian text is almost never valid UTF-8, so it is not taken.
bool looksLikeUtf8(const QByteArray& bytes);
