#include "tools/content/windows1251.h"

#include "platform/ui/exception.h"

#include <cerrno>
#include <iconv.h>
#include <memory>
#include <type_traits>

namespace content {

namespace {

struct IconvCloser {
    void operator()(iconv_t cd) const noexcept { iconv_close(cd); }
};
using IconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

// glibc's iconv_open reports failure as (iconv_t)-1, not as a null handle.
IconvHandle openConverter()
{
    iconv_t cd = iconv_open("CP1251", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw Exception("Cannot convert from UTF-8 to Windows-1251");
    return IconvHandle(cd);
}

} // namespace

std::string toWindows1251(std::string_view utf8)
{
    IconvHandle cd = openConverter();
    // Windows-1251 never needs more bytes than UTF-8 for the same text.
    std::string out(utf8.size(), '\0');
    std::string in(utf8);
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    if (iconv(cd.get(), &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
        const bool badChar = errno == EILSEQ || errno == EINVAL;
        throw Exception(std::string(badChar ? "No Windows-1251 form for the text: "
                                            : "Cannot convert the text: ")
                        + std::string(utf8));
    }
    out.resize(out.size() - outLeft);
    return out;
}

std::string windows1251Lines(const std::vector<std::string>& utf8Lines)
{
    std::string joined;
    for (const std::string& line : utf8Lines) {
        if (line.find_first_of("\r\n") != std::string::npos)
            throw Exception("A line must not hold a line break: " + line);
        joined += line;
        joined += "\r\n";
    }
    return toWindows1251(joined);
}

} // namespace content
