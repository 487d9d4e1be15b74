#include "controls/choice/ComboItems.h"

namespace quillon {

namespace {

char Upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool StartsWithIgnoringCase(std::string_view item, std::string_view prefix)
{
    if (prefix.size() > item.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (Upper(item[i]) != Upper(prefix[i]))
            return false;
    return true;
}

} // namespace

int IndexOfItem(std::span<const std::string> items, std::string_view text)
{
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].size() == text.size() && StartsWithIgnoringCase(items[i], text))
            return static_cast<int>(i);
    return -1;
}

int CompletionIndex(std::span<const std::string> items, std::string_view text)
{
    if (text.size() < MinCompletionLength)
        return -1;
    for (size_t i = 0; i < items.size(); ++i)
        if (StartsWithIgnoringCase(items[i], text))
            return static_cast<int>(i);
    return -1;
}

int UpDownIndex(std::span<const std::string> items, int itemIndex, std::string_view text, bool down)
{
    const long long current = itemIndex != -1 ? itemIndex : IndexOfItem(items, text);
    long long next = down ? current + 1 : current - 1;
    if (next < 0)
        next = 0;
    return next < static_cast<long long>(items.size()) ? static_cast<int>(next) : -1;
}

} // namespace quillon
