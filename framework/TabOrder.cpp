// Tab order of windowed controls (an order of its own, not the z-order) and
// their focus.
#include "framework/WinControl.h"

#include <algorithm>

namespace quillon {

void TWinControl::SetTabStop(bool value)
{
    tabStop_ = value;
    if (hwnd_) {
        LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
        style = value ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        SetWindowLongPtrW(hwnd_, GWL_STYLE, style);
    }
}

void TWinControl::SetTabOrder(int value)
{
    if (Loading() || !Parent()) {
        tabOrder_ = value;
        return;
    }
    Parent()->RenumberTabOrder(this, value);
}

std::vector<TWinControl*> TWinControl::TabOrderedChildren() const
{
    std::vector<TWinControl*> list;
    for (TControl* c : children_)
        if (c->IsWindowed())
            list.push_back(static_cast<TWinControl*>(c));
    std::stable_sort(list.begin(), list.end(),
                     [](const TWinControl* a, const TWinControl* b) { return a->tabOrder_ < b->tabOrder_; });
    return list;
}

void TWinControl::RenumberTabOrder(TWinControl* moved, int position)
{
    std::vector<TWinControl*> list = TabOrderedChildren();
    if (moved) {
        list.erase(std::remove(list.begin(), list.end(), moved), list.end());
        const int count = static_cast<int>(list.size());
        if (position < 0 || position > count)
            position = count; // past the end: last
        list.insert(list.begin() + position, moved);
    }
    for (size_t i = 0; i < list.size(); ++i)
        list[i]->tabOrder_ = static_cast<int>(i);
}

bool TWinControl::Focused() const
{
    return hwnd_ && GetFocus() == hwnd_;
}

bool TWinControl::CanFocus() const
{
    return EffectivelyVisible() && EffectivelyEnabled();
}

void TWinControl::SetFocus()
{
    ::SetFocus(Handle());
}

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(*this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(*this);
}

} // namespace quillon
