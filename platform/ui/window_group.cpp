#include "platform/ui/window_group.h"

#include "platform/ui/form.h"

#include <QApplication>
#include <QPointer>
#include <algorithm>
#include <vector>

namespace window_group {

namespace {

// The windows that minimising the main window hid, to be shown again with it.
std::vector<QPointer<TForm>>& hiddenWithMain()
{
    static std::vector<QPointer<TForm>> forms;
    return forms;
}

void hideCompanions(const TForm& main)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* form = qobject_cast<TForm*>(widget);
        if (!form || form == &main || !form->isVisible())
            continue;
        hiddenWithMain().emplace_back(form);
        form->hideWithGroup();
    }
}

void showCompanions()
{
    auto forms = std::move(hiddenWithMain());
    hiddenWithMain().clear();
    for (const QPointer<TForm>& form : forms)
        if (form)
            form->show(); // shown as it was: not a new showing, so no OnShow
}

} // namespace

void closed(TForm& form)
{
    auto& forms = hiddenWithMain();
    forms.erase(std::remove(forms.begin(), forms.end(), QPointer<TForm>(&form)), forms.end());
}

void mainWindowStateChanged(TForm& main, Qt::WindowStates oldState)
{
    const bool wasMinimized = oldState.testFlag(Qt::WindowMinimized);
    if (main.isMinimized() && !wasMinimized)
        hideCompanions(main);
    else if (!main.isMinimized() && wasMinimized)
        showCompanions();
}

} // namespace window_group
