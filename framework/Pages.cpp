#include "framework/Pages.h"

#include "base/TextConvert.h"

#include <algorithm>

#include <commctrl.h>

namespace quillon {

TPageControl::TPageControl(TWinControl* parent) : TWinControl(parent)
{
    // The system tab control class exists once the common controls are set up.
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_TAB_CLASSES};
    InitCommonControlsEx(&init);
    SetBounds(Left(), Top(), 289, 193);
    SetTabStop(true);
    SetControlStyle(ControlStyle() | csAcceptsControls);
}

TPageControl::~TPageControl()
{
    for (TTabSheet* page : pages_)
        page->pageControl_ = nullptr;
}

void TPageControl::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.superclassOf = WC_TABCONTROLW;
    params.style |= TCS_TABS;
    if (hotTrack_)
        params.style |= TCS_HOTTRACK;
}

void TPageControl::HandleCreated()
{
    TWinControl::HandleCreated();
    for (int i = 0; i < PageCount(); ++i)
        InsertTab(i);
    if (activePage_)
        SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(activePage_->PageIndex()), 0);
    LayoutPages();
}

TTabSheet* TPageControl::Pages(int index) const
{
    return index >= 0 && index < PageCount() ? pages_[static_cast<size_t>(index)] : nullptr;
}

int TPageControl::ActivePageIndex() const
{
    return activePage_ ? activePage_->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int index)
{
    SetActivePage(Pages(index));
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    if (page == activePage_ || (page && page->pageControl_ != this))
        return;
    TTabSheet* old = activePage_;
    // The focus must not stay in a page that is hidden: the tab row takes it.
    if (old && old->HandleAllocated() && CanFocus()) {
        HWND focus = GetFocus();
        if (focus && (focus == old->Handle() || IsChild(old->Handle(), focus)))
            SetFocus();
    }
    activePage_ = page;
    if (page)
        page->SetVisible(true);
    if (old)
        old->SetVisible(false);
    if (HandleAllocated())
        SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(page ? page->PageIndex() : -1), 0);
}

void TPageControl::SelectNextPage(bool forward)
{
    const int count = PageCount();
    if (count == 0)
        return;
    const int current = ActivePageIndex();
    const int next = current < 0 ? 0 : (current + (forward ? 1 : count - 1)) % count;
    UserSelects(pages_[static_cast<size_t>(next)]);
}

void TPageControl::UserSelects(TTabSheet* page)
{
    if (page == activePage_)
        return;
    SetActivePage(page);
    Change();
}

void TPageControl::Change()
{
    if (!Loading() && OnChange)
        OnChange(*this);
}

void TPageControl::SetHotTrack(bool value)
{
    if (value == hotTrack_)
        return;
    hotTrack_ = value;
    RecreateWnd();
}

bool TPageControl::Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lp)->code == static_cast<UINT>(TCN_SELCHANGE)) {
        if (TTabSheet* page = Pages(static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0))))
            UserSelects(page);
        result = 0;
        return true;
    }
    return TWinControl::Reflected(msg, wp, lp, result);
}

bool TPageControl::DialogChar(wchar_t ch)
{
    for (TTabSheet* page : pages_)
        if (IsAccel(ch, page->Caption())) {
            UserSelects(page);
            if (CanFocus())
                SetFocus();
            return true;
        }
    return false;
}

bool TPageControl::ChildKey(WORD key, unsigned shift)
{
    if (key != VK_TAB || !(shift & ssCtrl) || (shift & ssAlt))
        return TWinControl::ChildKey(key, shift);
    SelectNextPage(!(shift & ssShift));
    return true;
}

// ---- the display area and the tabs

RECT TPageControl::AlignRect() const
{
    RECT r = ClientRect();
    if (HandleAllocated())
        SendMessageW(const_cast<TPageControl*>(this)->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    else
        InflateRect(&r, -4, -4); // a guess until the window can tell
    if (r.right < r.left)
        r.right = r.left;
    if (r.bottom < r.top)
        r.bottom = r.top;
    return r;
}

void TPageControl::LayoutPages()
{
    const RECT r = AlignRect();
    for (TTabSheet* page : pages_)
        page->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TPageControl::Resize()
{
    LayoutPages();
    TWinControl::Resize();
}

void TPageControl::FontChanged()
{
    TWinControl::FontChanged(); // the tab row's height follows the font
    LayoutPages();
}

void TPageControl::InsertTab(int index)
{
    std::wstring text = Utf8ToWide(pages_[static_cast<size_t>(index)]->Caption());
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(Handle(), TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void TPageControl::UpdateTab(TTabSheet* page)
{
    if (!HandleAllocated())
        return;
    std::wstring text = Utf8ToWide(page->Caption());
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(Handle(), TCM_SETITEMW, static_cast<WPARAM>(page->PageIndex()), reinterpret_cast<LPARAM>(&item));
    LayoutPages(); // a new caption may need another row
}

void TPageControl::InsertPage(TTabSheet* page)
{
    pages_.push_back(page);
    if (HandleAllocated())
        InsertTab(PageCount() - 1);
    LayoutPages();
    if (!activePage_)
        SetActivePage(page);
    else
        page->SetVisible(false);
}

void TPageControl::RemovePage(TTabSheet* page)
{
    const auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end())
        return;
    const auto index = static_cast<size_t>(it - pages_.begin());
    pages_.erase(it);
    page->pageControl_ = nullptr;
    if (HandleAllocated())
        SendMessageW(Handle(), TCM_DELETEITEM, index, 0);
    if (activePage_ == page) {
        activePage_ = nullptr;
        if (!pages_.empty())
            SetActivePage(pages_[std::min(index, pages_.size() - 1)]);
    } else if (activePage_ && HandleAllocated()) {
        SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(activePage_->PageIndex()), 0);
    }
}

// ---- TTabSheet

TTabSheet::TTabSheet(TPageControl* pageControl) : TWinControl(pageControl), pageControl_(pageControl)
{
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetParentColor(true);
    SetParentFont(true);
    pageControl->InsertPage(this);
}

TTabSheet::~TTabSheet()
{
    if (pageControl_)
        pageControl_->RemovePage(this);
}

int TTabSheet::PageIndex() const
{
    if (!pageControl_)
        return -1;
    const auto& pages = pageControl_->pages_;
    const auto it = std::find(pages.begin(), pages.end(), this);
    return it == pages.end() ? -1 : static_cast<int>(it - pages.begin());
}

void TTabSheet::TextChanged()
{
    TWinControl::TextChanged();
    if (pageControl_)
        pageControl_->UpdateTab(this);
}

} // namespace quillon
