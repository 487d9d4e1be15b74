#include "app/HideTitleBar.h"

namespace quillon {

void HideTitleBar(TForm& form)
{
    const TFormBorderStyle border = form.BorderStyle();
    if (border == TFormBorderStyle::bsNone)
        return;
    // A tool window's small caption is not the caption height: shrinking by
    // that would cut the client area and leave the title bar in place.
    if (border == TFormBorderStyle::bsToolWindow || border == TFormBorderStyle::bsSizeToolWin)
        return;
    const HWND window = form.Handle();
    LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    if ((style & WS_CAPTION) != WS_CAPTION)
        return;
    style &= ~static_cast<LONG_PTR>(WS_CAPTION);
    if (border == TFormBorderStyle::bsDialog)
        style |= DS_MODALFRAME | WS_DLGFRAME;
    else
        style |= WS_BORDER;
    SetWindowLongPtrW(window, GWL_STYLE, style);
    // The frame is measured anew before the height changes.
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    form.SetHeight(form.Height() - SystemMetricForPpi(SM_CYCAPTION, form.PixelsPerInch()));
    form.Repaint();
}

} // namespace quillon
