#include "framework/ImageList.h"

#include <algorithm>

namespace quillon {

TImageList::TImageList(int width, int height) : width_(std::max(width, 1)), height_(std::max(height, 1)) {}

int TImageList::Add(const TBitmap& image, TColor maskColor)
{
    if (image.Empty())
        return -1;
    const TColor mask = ColorToRGB(maskColor);
    const int first = Count();
    const int cells = std::max(1, image.Width() / width_);
    for (int i = 0; i < cells; ++i) {
        auto cell = std::make_unique<TBitmap>(width_, height_);
        // A picture smaller than the cell leaves the rest transparent.
        cell->Fill(mask);
        const int w = std::min(width_, image.Width() - i * width_), h = std::min(height_, image.Height());
        cell->Canvas().CopyFrom(RECT{0, 0, w, h}, image.Canvas(), RECT{i * width_, 0, i * width_ + w, h});
        images_.push_back(Image{std::move(cell), mask});
    }
    return first;
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index) const
{
    if (index < 0 || index >= Count())
        return;
    const Image& image = images_[static_cast<size_t>(index)];
    canvas.DrawTransparent(x, y, *image.bitmap, image.mask);
}

void TImageList::GetBitmap(int index, TBitmap& out) const
{
    if (index < 0 || index >= Count()) {
        out.Clear();
        return;
    }
    out.Assign(*images_[static_cast<size_t>(index)].bitmap);
}

} // namespace quillon
