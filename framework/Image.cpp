#include "framework/Image.h"

namespace quillon {

TImage::TImage(TWinControl* parent) : TGraphicControl(parent)
{
    SetBounds(Left(), Top(), 105, 105);
    SetControlStyle(ControlStyle() | csClickEvents | csCaptureMouse);
}

void TImage::SetPicture(const TBitmap& picture)
{
    picture_.Assign(picture);
    PictureChanged();
}

void TImage::LoadFromResourceName(const std::string& name)
{
    picture_.LoadFromResourceName(name);
    PictureChanged();
}

void TImage::PictureChanged()
{
    if (autoSize_ && !picture_.Empty())
        SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
    Invalidate();
}

void TImage::Paint(TCanvas& canvas)
{
    if (picture_.Empty())
        return;
    int x = 0, y = 0;
    if (center_) {
        x = (Width() - picture_.Width()) / 2;
        y = (Height() - picture_.Height()) / 2;
    }
    picture_.Transparent = transparent_;
    canvas.Draw(x, y, picture_);
}

void TImage::SetCenter(bool value)
{
    if (value == center_)
        return;
    center_ = value;
    Invalidate();
}

void TImage::SetTransparent(bool value)
{
    if (value == transparent_)
        return;
    transparent_ = value;
    Invalidate();
}

void TImage::SetAutoSize(bool value)
{
    if (value == autoSize_)
        return;
    autoSize_ = value;
    PictureChanged();
}

} // namespace quillon
