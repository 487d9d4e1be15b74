#pragma once
// Actions: an action carries a caption, hint, enabled and visible state, an
// image and an execute handler for the controls that use it, and tells them
// when it changes.
#include "framework/Component.h"
#include "framework/ImageList.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quillon {

class TBasicAction;

// A user of an action (a control): told when the action changes or goes.
class IActionClient {
public:
    virtual void ActionChange(TBasicAction& sender) = 0;
    virtual void ActionGone() = 0;

protected:
    ~IActionClient() = default;
};

// Holds the image list of its actions; forgets the list when it goes.
class TActionList : public TComponent {
public:
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TImageList* images_ = nullptr;
};

class TBasicAction {
public:
    virtual ~TBasicAction();
    std::function<void()> OnExecute;
    bool Execute();
    // Tells every control that uses the action.
    void Change();
    void AddClient(IActionClient* client);
    void RemoveClient(IActionClient* client);

private:
    std::vector<IActionClient*> clients_;
};

// An action with the properties a control takes over.
class TCustomAction : public TBasicAction {
public:
    std::string Caption;
    std::string Hint;
    bool Enabled = true;
    bool Visible = true;
    int ImageIndex = -1;
    TActionList* ActionList = nullptr;
};

} // namespace quillon
