#include "framework/Component.h"

#include <algorithm>

namespace quillon {

TComponent::~TComponent()
{
    // A handler may unlink others; work on a copy.
    const std::vector<TComponent*> linked = linked_;
    linked_.clear();
    for (TComponent* other : linked) {
        other->Forget(this);
        other->Notification(this, TOperation::opRemove);
    }
}

void TComponent::FreeNotification(TComponent* other)
{
    if (!other || other == this)
        return;
    if (std::find(linked_.begin(), linked_.end(), other) == linked_.end())
        linked_.push_back(other);
    if (std::find(other->linked_.begin(), other->linked_.end(), this) == other->linked_.end())
        other->linked_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other)
{
    if (!other)
        return;
    Forget(other);
    other->Forget(this);
}

void TComponent::Forget(TComponent* other)
{
    linked_.erase(std::remove(linked_.begin(), linked_.end(), other), linked_.end());
}

} // namespace quillon
