#include "report/code_page.h"

#include <iconv.h>

#include <cerrno>
#include <memory>
#include <stdexcept>

namespace vortane {

std::string ToCodePage932(std::string_view utf8) {
    const iconv_t converter = iconv_open("CP932", "UTF-8");
    // iconv_open reports failure as (iconv_t)-1.
    if (converter == reinterpret_cast<iconv_t>(-1))  // NOLINT(performance-no-int-to-ptr)
        throw std::runtime_error("No UTF-8 to CP932 converter");
    const std::unique_ptr<void, int (*)(iconv_t)> closer(converter, iconv_close);

    std::string in(utf8);
    std::string out(in.size() * 2, '\0');  // no character grows in CP932
    char* inAt = in.data();
    std::size_t inLeft = in.size();
    char* outAt = out.data();
    std::size_t outLeft = out.size();
    if (iconv(converter, &inAt, &inLeft, &outAt, &outLeft) == static_cast<std::size_t>(-1))
        throw std::runtime_error("Text not representable in code page 932");
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace vortane
