#include "framework/Actions.h"

#include "framework/Controls.h"

#include <algorithm>

namespace quillon {

void TImageList::Add(const TBitmap& image, TColor maskColor)
{
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(image);
    images_.push_back(Image{std::move(copy), maskColor});
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index) const
{
    if (index < 0 || index >= Count())
        return;
    const Image& image = images_[static_cast<size_t>(index)];
    canvas.DrawTransparent(x, y, *image.bitmap, image.mask);
}

TBasicAction::~TBasicAction()
{
    for (TControl* client : std::vector<TControl*>(clients_))
        client->SetAction(nullptr);
}

bool TBasicAction::Execute()
{
    if (!OnExecute)
        return false;
    OnExecute();
    return true;
}

void TBasicAction::Change()
{
    for (TControl* client : std::vector<TControl*>(clients_))
        client->ActionChange(*this);
}

} // namespace quillon
