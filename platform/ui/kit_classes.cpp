#include "platform/ui/kit_classes.h"

#include "platform/ui/bevel.h"
#include "platform/ui/bit_btn.h"
#include "platform/ui/check_box.h"
#include "platform/ui/component.h"
#include "platform/ui/edit.h"
#include "platform/ui/image.h"
#include "platform/ui/label.h"
#include "platform/ui/memo.h"
#include "platform/ui/panel.h"
#include "platform/ui/speed_button.h"

namespace {

template <class T> void add(const char* name)
{
    classregistry::registerClass(QString::fromLatin1(name),
                                 [](QWidget* parent) -> TComponent* { return new T(parent); });
}

} // namespace

void registerKitClasses()
{
    add<TPanel>("TPanel");
    add<TImage>("TImage");
    add<TMemo>("TMemo");
    add<TEdit>("TEdit");
    add<TCheckBox>("TCheckBox");
    add<TSpeedButton>("TSpeedButton");
    add<TBitBtn>("TBitBtn");
    add<TLabel>("TLabel");
    add<TBevel>("TBevel");
}
