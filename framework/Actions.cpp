#include "framework/Actions.h"

#include "framework/Controls.h"

#include <algorithm>

namespace quillon {

void TActionList::SetImages(TImageList* images)
{
    if (images == images_)
        return;
    if (images_)
        images_->RemoveFreeNotification(this);
    images_ = images;
    if (images_)
        images_->FreeNotification(this);
}

void TActionList::Notification(TComponent* component, TOperation operation)
{
    if (operation == TOperation::opRemove && component == images_)
        images_ = nullptr;
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
