// Feeds typed colour-combo texts to the colour conversions and the item
// rules: only the program's own errors may come out, and every colour that
// becomes text reads back as the same colour.
#include "base/Exceptions.h"
#include "base/IntConvert.h"
#include "controls/choice/ColorText.h"
#include "controls/choice/ComboItems.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace quillon;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

TColor FixedToRgb(TColor color)
{
    return color >= 0 ? color : 0x010101 * (color & 0x1F);
}

// Colour to text and back, directly and through the combo's hexadecimal steps.
void CheckColour(TColor color)
{
    const std::string text = ColorToString(color);
    Check(StringToColor(text) == color);
    Check(ColorToString(StringToColor(text)) == text);

    const std::vector<std::string> steps = ColorToHexTextSteps(color);
    Check(steps.size() >= 2 && steps.back().size() == 9 && steps.back()[0] == '$');
    for (size_t i = 1; i + 1 < steps.size(); ++i)
        Check(steps[i] == "0" + steps[i - 1]);
    Check(StringToColor(steps.back()) == color);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    if (size >= 4) {
        TColor color = 0;
        std::memcpy(&color, data, sizeof color);
        CheckColour(color);
    }

    try {
        CheckColour(StringToColor(text));
    } catch (const EConvertError&) {
        Check(!TryStrToInt(text));
    }

    // The 64-bit read agrees with the 32-bit one on every text both accept.
    const int64_t wide = StrToInt64Def(text, 0);
    const bool number = StrToInt64Def(text, 1) == wide;
    if (auto narrow = TryStrToInt(text))
        Check(number && static_cast<int32_t>(static_cast<uint32_t>(wide)) == *narrow);

    const bool colour = number && wide >= INT32_MIN && wide <= INT32_MAX;
    Check(SwatchColorFromText(text) == (colour ? wide : SwatchFallbackColor));

    const ColorTextCheck check = CheckColorText(text, FixedToRgb);
    if (check.valid) {
        Check(number && check.value >= 0 && check.value == wide);
        if (check.itemIndex >= 0)
            Check(FixedToRgb(ColorNames[static_cast<size_t>(check.itemIndex)].value) == check.value);
        else
            Check(SwatchColorFromText(ColorToHexTextSteps(check.value).back()) == check.value);
    }

    static const std::vector<std::string> items = ColorNameItems();
    const int completed = CompletionIndex(items, text);
    if (completed >= 0)
        Check(text.size() >= MinCompletionLength && IndexOfItem(items, items[static_cast<size_t>(completed)]) ==
                                                        completed);
    const int equal = IndexOfItem(items, text);
    if (equal >= 0)
        Check(IdentToColor(text) == ColorNames[static_cast<size_t>(equal)].value);
    for (bool down : {false, true}) {
        const int next = UpDownIndex(items, equal, text, down);
        Check(next >= -1 && next < static_cast<int>(items.size()));
    }
    return 0;
}
