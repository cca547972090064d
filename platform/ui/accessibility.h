// Exposes the kit's self-painted controls (speed buttons, panels, bevels,
// custom controls such as the repeat control) to the desktop's accessibility
// interface with a role and a name: the caption, else the hint text, else the
// control's name. Qt's own widgets describe themselves.
#pragma once

class QObject;
class QAccessibleInterface;
class QString;

void installAccessibility();
// The name a screen reader gets for a kit control's widget.
QString accessibleNameOf(QObject* object);
