#include "framework/Color.h"

#include <windows.h>

namespace quillon {

TColor ColorToRGB(TColor color)
{
    if (IsSystemColor(color))
        return static_cast<TColor>(GetSysColor(static_cast<int>(static_cast<uint32_t>(color) & 0xFF)));
    return color & 0x00FFFFFF;
}

} // namespace quillon
