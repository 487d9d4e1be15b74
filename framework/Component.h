#pragma once
// Components: objects that others may refer to (an image list, a focus
// partner). A component that asked to be told (FreeNotification) learns when
// the other goes, so no reference outlives its target. The registration is
// mutual: whichever of the two goes first, the other forgets it.
#include <string>
#include <vector>

namespace quillon {

enum class TOperation { opInsert, opRemove };

class TComponent {
public:
    TComponent() = default;
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    std::string Name;

    // `other` is told (Notification with opRemove) when this component goes.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

protected:
    virtual void Notification(TComponent* /*component*/, TOperation /*operation*/) {}

private:
    void Forget(TComponent* other);
    std::vector<TComponent*> linked_;
};

} // namespace quillon
