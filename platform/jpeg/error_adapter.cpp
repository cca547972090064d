#include "platform/jpeg/error_adapter.h"

namespace jpeg {

void useErrorAdapter(jpeg_error_mgr& manager, Warnings warnings)
{
    jpeg_std_error(&manager);
    manager.error_exit = throwError;
    manager.emit_message = warnings == Warnings::Fatal ? failOnWarning : ignoreMessage;
    manager.output_message = ignoreOutput;
}

void throwError(j_common_ptr info)
{
    char text[JMSG_LENGTH_MAX] = {};
    (*info->err->format_message)(info, text);
    throw Error(info->err->msg_code, text);
}

void ignoreMessage(j_common_ptr, int) {}

// The library calls this with level -1 for a warning, 0 and up for trace messages.
void failOnWarning(j_common_ptr info, int level)
{
    if (level < 0)
        throwError(info);
}

void ignoreOutput(j_common_ptr) {}

} // namespace jpeg
