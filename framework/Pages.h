#pragma once
// TPageControl: the system tab control with pages. Each TTabSheet is a window
// of its own inside the tab control's display area and a tab of the row, in
// creation order; only the active page is visible, so the controls of the
// other pages take neither Tab nor accelerators. The page control is a tab
// stop, its active page's controls follow it in the tab order. A click on a
// tab, the arrow keys on the focused tab row, Ctrl+Tab and Ctrl+Shift+Tab
// anywhere inside, and a tab's accelerator change the page and run OnChange.
#include "framework/WinControl.h"

#include <vector>

namespace quillon {

class TTabSheet;

class TPageControl : public TWinControl {
public:
    explicit TPageControl(TWinControl* parent);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const { return activePage_; }
    // From code: no OnChange.
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // The next (or previous) page, wrapping around, as Ctrl+Tab does.
    void SelectNextPage(bool forward);

    // Tabs light up under the mouse; re-creates the window.
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool value);

    // The user changed the page.
    TNotifyEvent OnChange;

    // The display area, where the pages lie.
    RECT AlignRect() const override;
    bool DialogChar(wchar_t ch) override;
    bool ChildKey(WORD key, unsigned shift) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void Resize() override;
    void FontChanged() override;
    virtual void Change();

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void UpdateTab(TTabSheet* page);
    void InsertTab(int index);
    void LayoutPages();
    void UserSelects(TTabSheet* page);

    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
    bool hotTrack_ = false;
};

class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TPageControl* pageControl);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return pageControl_; }
    int PageIndex() const;

    void TextChanged() override;

private:
    friend class TPageControl;
    TPageControl* pageControl_;
};

} // namespace quillon
