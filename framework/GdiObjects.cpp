#include "framework/GdiObjects.h"

namespace quillon {

bool TPaintBuffer::Prepare(const RECT& rect)
{
    bitmap_.SetSize(rect.right - rect.left, rect.bottom - rect.top);
    return !bitmap_.Empty();
}

void TPaintBuffer::CopyFrom(const TCanvas& target, const RECT& rect)
{
    bitmap_.Canvas().CopyFrom(RECT{0, 0, bitmap_.Width(), bitmap_.Height()}, target, rect);
}

void TPaintBuffer::CopyTo(TCanvas& target, const RECT& rect) const
{
    target.CopyFrom(rect, bitmap_.Canvas(), RECT{0, 0, bitmap_.Width(), bitmap_.Height()});
}

} // namespace quillon
