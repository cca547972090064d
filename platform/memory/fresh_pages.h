// Freshly allocated memory is mapped by the kernel one page at a time, at the
// first touch of each; on a virtual machine every such fault costs several
// microseconds, so a picture or a sound of a megabyte pays milliseconds for its
// buffer alone. A buffer that is about to be filled whole is better mapped in
// one call.
#pragma once

#include <cstddef>

namespace memory {

// Maps every whole page of [data, data + bytes) for writing now, keeping what
// they hold. Only a hint: where the kernel cannot (false), the pages are mapped
// at their first touch as before.
bool mapForWriting(void* data, std::size_t bytes);

} // namespace memory
