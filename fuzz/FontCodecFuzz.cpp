// Feeds stored-value texts to the DefaultFont parser and the integer
// conversion: any input may fail with the program's own errors, nothing else.
#include "base/Exceptions.h"
#include "base/IntConvert.h"
#include "tweaks/FontCodec.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    if (auto value = quillon::TryStrToInt(text)) {
        // A decimal result prints back to something the conversion reads again.
        if (quillon::TryStrToInt(std::to_string(*value)) != value)
            std::abort();
    }

    quillon::FontDesc font;
    std::vector<std::string> parts;
    try {
        quillon::ParseDefaultFont(text, font, parts);
    } catch (const quillon::EListError&) {
        return 0;
    } catch (const quillon::EConvertError&) {
        return 0;
    }
    if (parts.size() < 2 || font.Name().size() > 4 * quillon::FontDesc::MaxNameLength)
        std::abort();

    // What was parsed composes to a text that parses to the same font.
    std::vector<std::string> again;
    quillon::FontDesc reparsed = font;
    if (font.Name().find_first_of(",;\"[]") == std::string::npos && !font.Name().empty()) {
        quillon::ParseDefaultFont(quillon::ComposeDefaultFont(font), reparsed, again);
        if (!(reparsed == font))
            std::abort();
    }
    return 0;
}
