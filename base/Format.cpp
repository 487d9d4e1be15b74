#include "base/Format.h"

namespace quillon {

std::string FormatArgs(std::string_view pattern, const std::vector<std::string>& args)
{
    std::string out;
    out.reserve(pattern.size() + 32);
    size_t next = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c != '%' || i + 1 >= pattern.size()) {
            out += c;
            continue;
        }
        const char spec = pattern[i + 1];
        if (spec == '%') {
            out += '%';
            ++i;
        } else if ((spec == 's' || spec == 'd') && next < args.size()) {
            out += args[next++];
            ++i;
        } else {
            out += c; // unknown or surplus directive: keep it visible
        }
    }
    return out;
}

} // namespace quillon
