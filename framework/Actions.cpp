#include "framework/Actions.h"

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
    for (IActionClient* client : std::vector<IActionClient*>(clients_))
        client->ActionGone();
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
    for (IActionClient* client : std::vector<IActionClient*>(clients_))
        client->ActionChange(*this);
}

void TBasicAction::AddClient(IActionClient* client)
{
    clients_.push_back(client);
}

void TBasicAction::RemoveClient(IActionClient* client)
{
    clients_.erase(std::remove(clients_.begin(), clients_.end(), client), clients_.end());
}

} // namespace quillon
