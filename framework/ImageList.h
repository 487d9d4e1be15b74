#pragma once
// An image list: pictures of one size, drawn by index. Each image keeps the
// colour that marks its transparent parts.
#include "framework/Component.h"
#include "framework/Graphics.h"

#include <memory>
#include <vector>

namespace quillon {

class TImageList : public TComponent {
public:
    TImageList(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return static_cast<int>(images_.size()); }
    // Adds the picture cut into cells of Width() side by side (one at least);
    // pixels of `maskColor` are transparent. Returns the first new index, or
    // -1 for an empty picture.
    int Add(const TBitmap& image, TColor maskColor);
    // Nothing for an index outside the list.
    void Draw(TCanvas& canvas, int x, int y, int index) const;
    // The image itself, its transparent parts in its mask colour; empty for
    // an index outside the list.
    void GetBitmap(int index, TBitmap& out) const;

private:
    struct Image {
        std::unique_ptr<TBitmap> bitmap;
        TColor mask;
    };
    int width_, height_;
    std::vector<Image> images_;
};

} // namespace quillon
