#pragma once
// The combo box's item rules over its item list: lookup, auto-completion and
// the Up/Down keys. Items compare without regard to ASCII case.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace quillon {

// Auto-completion starts only after this many characters.
inline constexpr std::size_t MinCompletionLength = 3;

// Index of the first item equal to text, or -1.
int IndexOfItem(std::span<const std::string> items, std::string_view text);

// Index of the first item that begins with text, or -1 (also when text is
// shorter than MinCompletionLength).
int CompletionIndex(std::span<const std::string> items, std::string_view text);

// The item Up (down false) or Down selects: from itemIndex, or when that is
// -1 from the item equal to text; one step, never below 0. -1 when the step
// leaves the list at its end and nothing is selected.
int UpDownIndex(std::span<const std::string> items, int itemIndex, std::string_view text, bool down);

} // namespace quillon
