#pragma once
// Actions and image lists: an action carries a caption, hint, enabled and
// visible state, an image and an execute handler for the controls that use
// it, and tells them when it changes.
#include "framework/Graphics.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quillon {

class TControl;

class TImageList {
public:
    TImageList(int width, int height) : width_(width), height_(height) {}
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return static_cast<int>(images_.size()); }
    // Pixels of `maskColor` are the image's transparent parts.
    void Add(const TBitmap& image, TColor maskColor);
    void Draw(TCanvas& canvas, int x, int y, int index) const;

private:
    struct Image {
        std::unique_ptr<TBitmap> bitmap;
        TColor mask;
    };
    int width_, height_;
    std::vector<Image> images_;
};

class TActionList {
public:
    TImageList* Images = nullptr;
};

class TBasicAction {
public:
    virtual ~TBasicAction();
    std::function<void()> OnExecute;
    bool Execute();
    // Tells every control that uses the action.
    void Change();

private:
    friend class TControl;
    std::vector<TControl*> clients_;
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
