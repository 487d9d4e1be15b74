#include "framework/ControlColors.h"

namespace quillon {

HBRUSH TControlBrush::Get(TColor color)
{
    if (IsSystemColor(color))
        return GetSysColorBrush(static_cast<int>(static_cast<uint32_t>(color) & 0xFF));
    if (owned_ && ownedColor_ == color)
        return owned_.Get();
    owned_.Reset(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(color))));
    ownedColor_ = color;
    return owned_.Get();
}

void TControlBrush::Reset()
{
    owned_.Reset();
}

LRESULT AnswerControlColor(HDC dc, TColor text, TColor back, TControlBrush& brush)
{
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(text)));
    SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(back)));
    return reinterpret_cast<LRESULT>(brush.Get(back));
}

} // namespace quillon
