// Fuzzes the stored-layout reader and the building of a window from it: the
// text is parsed into its object tree, then a window is built from it with
// every class the program's layouts may name. A layout the reader or the
// builder refuses raises one of the kit's errors (an Exception); anything
// else escaping, or a crash, is a fault.
#include "platform/exception/exception.h"
#include "platform/ui/form.h"
#include "platform/ui/layout_reader.h"
#include "tests/fuzz/support/fuzz_application.h"
#include "windows/window_classes.h"

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char*** argv)
{
    startOffscreenApplication((*argv)[0]);
    registerWindowClasses();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        (void)layout::parse(text, layout::layoutFile);
    } catch (const Exception&) {
        return 0;
    }
    try {
        TForm form{TForm::LayoutText{text}};
        // A hidden window gets no resize event: the aligned controls are placed again by hand.
        form.resize(form.width() + 7, form.height() + 5);
        form.realign();
    } catch (const Exception&) {}
    return 0;
}
