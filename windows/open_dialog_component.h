// The main window's open-file dialog as a component of its stored layout: it
// reads the dialog's stored settings (filter, default extension, options) into
// the plain settings value that ChooseFile shows.
#pragma once

#include "app/open_dialog.h"
#include "platform/ui/component.h"

class TOpenDialogComponent : public TComponent {
public:
    TOpenDialog Dialog;

    bool setLayoutProperty(const QString& name, const LayoutValue& value) override;
};
