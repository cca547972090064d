// The two pages the cases damage and then check: Б, and В beside it, whose
// page shows that the program still answers keys after the damaged one.
#pragma once

#include <QString>

namespace desktop {

inline const QString kLetterB = QStringLiteral("Б");
inline const QString kLetterV = QStringLiteral("В");

} // namespace desktop
