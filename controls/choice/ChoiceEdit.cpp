#include "controls/choice/ChoiceEdit.h"

#include "base/TextConvert.h"
#include "controls/choice/ChoicePaint.h"
#include "framework/Forms.h"
#include "framework/GdiObjects.h"

#include <windowsx.h>

#include <string_view>

namespace quillon {

namespace {

const char* GlyphResource(TChoiceBtnStyle style)
{
    switch (style) {
    case TChoiceBtnStyle::btsForm:
        return "QN_FLATCHOICE";
    case TChoiceBtnStyle::btsCombo:
        return "QN_BTNCOMBO";
    case TChoiceBtnStyle::btsEllipsis:
        return "QN_BTNELLIPSIS";
    case TChoiceBtnStyle::btsCustom:
        break;
    }
    return nullptr;
}

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

} // namespace

TQnCustomChoiceEdit::TQnCustomChoiceEdit(TWinControl* parent) : TQnParentEdit(parent)
{
    SetControlStyle(ControlStyle() | csCaptureMouse | csClickEvents);
    SetCtl3D(false);
    checkGlyph_.Transparent = true;
    frameGlyph_.Transparent = true;
    UpdateButton();
}

TQnCustomChoiceEdit::~TQnCustomChoiceEdit()
{
    if (HandleAllocated())
        ShowWindow(Handle(), SW_HIDE);
    button_.reset();
    SetLinkControl(nullptr);
}

// ---- properties

void TQnCustomChoiceEdit::SetDrawStyle(TControlStyle value)
{
    if (value == drawStyle_)
        return;
    drawStyle_ = value;
    UpdateButton();
    LayoutText();
    RecreateWnd();
}

void TQnCustomChoiceEdit::SetButtonChoiceStyle(TChoiceBtnStyle value)
{
    choiceStyle_ = value;
    if (Parent())
        UpdateButton();
    LayoutText();
}

void TQnCustomChoiceEdit::SetGlyph(const TBitmap* glyph)
{
    choiceStyle_ = TChoiceBtnStyle::btsCustom;
    if (glyph && !glyph->Empty()) {
        customGlyph_.Assign(*glyph);
        choiceButtonWidth_ = glyph->Width() + 6;
    } else {
        customGlyph_.Clear();
        choiceButtonWidth_ = StandardButtonWidth;
    }
    UpdateButton();
    LayoutText();
}

void TQnCustomChoiceEdit::SetChoiceButtonWidth(int value)
{
    choiceStyle_ = TChoiceBtnStyle::btsCustom;
    choiceButtonWidth_ = value;
    Invalidate();
    UpdateButton();
    LayoutText();
    PaintButton();
}

void TQnCustomChoiceEdit::SetButtonExist(bool value)
{
    buttonExist_ = value;
    if (value)
        UpdateButton();
    else
        button_.reset();
    LayoutText();
    Invalidate();
}

void TQnCustomChoiceEdit::SetButtonStyle(TEventStyle value)
{
    buttonStyle_ = value;
    if (button_) {
        button_->SetButtonStyle(value);
        PaintButton();
    }
}

void TQnCustomChoiceEdit::SetCheckGlyph(const TBitmap* glyph)
{
    if (glyph)
        checkGlyph_.Assign(*glyph);
    else
        checkGlyph_.Clear();
    checkGlyph_.Transparent = true;
    LayoutText();
    Invalidate();
}

void TQnCustomChoiceEdit::SetShowCheckGlyph(bool value)
{
    showCheckGlyph_ = value;
    LayoutText();
    Invalidate();
}

void TQnCustomChoiceEdit::SetLinkControl(TControl* control)
{
    if (link_ == control)
        return;
    if (link_)
        link_->RemoveFreeNotification(this);
    link_ = control;
    if (link_)
        link_->FreeNotification(this);
}

void TQnCustomChoiceEdit::Notification(TComponent* component, TOperation operation)
{
    TQnParentEdit::Notification(component, operation);
    if (operation == TOperation::opRemove && component == link_)
        link_ = nullptr;
}

void TQnCustomChoiceEdit::EnabledChanged()
{
    TQnParentEdit::EnabledChanged();
    if (!Enabled())
        SetHot(false); // a disabled control has no focus and takes no pointer
    if (button_)
        button_->ButtonEnabled = Enabled();
    PaintButton();
    Invalidate();
}

void TQnCustomChoiceEdit::FontChanged()
{
    TQnParentEdit::FontChanged();
    LayoutText();
}

void TQnCustomChoiceEdit::Resize()
{
    TQnParentEdit::Resize();
    UpdateButton();
    LayoutText();
}

void TQnCustomChoiceEdit::ScaleChanged()
{
    TQnParentEdit::ScaleChanged();
    UpdateButton();
    LayoutText();
}

void TQnCustomChoiceEdit::Loaded()
{
    TQnParentEdit::Loaded();
    LayoutText();
}

// ---- window

void TQnCustomChoiceEdit::CreateParams(TCreateParams& params)
{
    TQnParentEdit::CreateParams(params);
    // Multi-line only so that a formatting rectangle can be set.
    params.style |= ES_MULTILINE | ES_AUTOHSCROLL | WS_CLIPCHILDREN;
    params.style &= ~static_cast<DWORD>(ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_HSCROLL);
    // A centred or right-aligned multi-line edit wraps instead of scrolling,
    // and refuses what needs more lines than it shows: the window stays left
    // aligned, and the formatting rectangle places a text that fits.
    params.style &= ~static_cast<DWORD>(ES_CENTER | ES_RIGHT);
    if (MultiLine)
        params.style |= ES_WANTRETURN;
    if (drawStyle_ == TControlStyle::fsNone)
        params.exStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    else if (drawStyle_ == TControlStyle::fsSingle)
        params.style |= WS_BORDER;
}

void TQnCustomChoiceEdit::HandleCreated()
{
    TQnParentEdit::HandleCreated();
    LayoutText();
}

int TQnCustomChoiceEdit::EditBorder() const
{
    if (BorderStyle() == TBorderStyle::bsNone)
        return 0;
    return Ctl3D() && drawStyle_ != TControlStyle::fsNone ? 2 : 1;
}

int TQnCustomChoiceEdit::EditClientWidth() const
{
    return Width() - 2 * EditBorder();
}

int TQnCustomChoiceEdit::EditClientHeight() const
{
    return Height() - 2 * EditBorder();
}

int TQnCustomChoiceEdit::WidestChar() const
{
    return SharedFontMetrics(ScaledFont()).tmMaxCharWidth;
}

int TQnCustomChoiceEdit::MinButtonWidth()
{
    return quillon::MinButtonWidth(WidestChar(), button_ != nullptr, button_ ? button_->Width : 0, PixelsPerInch());
}

bool TQnCustomChoiceEdit::CheckGlyphShown()
{
    return quillon::CheckGlyphShown(showCheckGlyph_, checkGlyph_.Empty() ? 0 : checkGlyph_.Width(), Width(),
                                    MinButtonWidth());
}

void TQnCustomChoiceEdit::UpdateButton()
{
    if (!Parent() || !buttonExist_)
        return;
    const int clientHeight = EditClientHeight();
    if (!button_) {
        button_ = std::make_unique<TQnEditButton>();
        button_->Left = 0;
        button_->Top = 2;
        button_->Width = clientHeight;
        button_->Height = clientHeight;
        button_->FaceColor = clBtnFace;
        button_->SetButtonStyle(buttonStyle_);
        button_->OnClick = [this] { ButtonClick(); };
    }
    button_->ButtonEnabled = Enabled();
    if (const char* name = GlyphResource(choiceStyle_))
        button_->LoadGlyph(name);
    else if (!customGlyph_.Empty())
        button_->SetGlyph(customGlyph_);
    else
        button_->Glyph().Clear();
    const EditButtonBounds b =
        EditButtonGeometry(Width(), clientHeight, drawStyle_, choiceStyle_, choiceButtonWidth_, PixelsPerInch());
    button_->GlyphZoom = PixelArtMultiple(PixelsPerInch());
    button_->Left = b.left;
    button_->Top = b.top;
    button_->Width = b.width;
    button_->Height = b.height;
    button_->DrawStyle = b.drawStyle;
    button_->EditHot = hot_;
    PaintButton();
    Invalidate();
}

void TQnCustomChoiceEdit::LayoutText()
{
    TextLayoutInput in;
    in.width = Width();
    in.height = Height();
    in.widestChar = WidestChar();
    in.drawStyle = drawStyle_;
    in.alignedCentreOrRight = Alignment() != TAlignment::taLeftJustify;
    in.showCheckGlyph = showCheckGlyph_;
    in.glyphWidth = checkGlyph_.Empty() ? 0 : checkGlyph_.Width();
    in.hasButton = button_ != nullptr;
    in.buttonWidth = button_ ? button_->Width : 0;
    in.ppi = PixelsPerInch();
    const TextLayout out = quillon::LayoutText(in);
    if (button_ && !out.keepButton)
        button_.reset();
    textLeft_ = out.leftMargin;
    textRect_ = RECT{out.formatRect.left, out.formatRect.top, out.formatRect.right, out.formatRect.bottom};
    AlignText();
}

// The formatting rectangle for the text as it stands: a centred or right-
// aligned text that fits starts where the platform would put it; one that
// does not fit fills the rectangle and scrolls.
void TQnCustomChoiceEdit::AlignText()
{
    if (!HandleAllocated())
        return;
    RECT r = textRect_;
    const LRESULT margins = SendMessageW(Handle(), EM_GETMARGINS, 0, 0);
    auto setRect = [&](const RECT& rect) {
        SendMessageW(Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&rect));
        SendMessageW(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, margins);
    };
    if (Alignment() != TAlignment::taLeftJustify) {
        // The platform keeps its margins and a border's inset inside the
        // rectangle: the room is what it makes of the whole one.
        setRect(textRect_);
        RECT full{};
        SendMessageW(Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&full));
        const int room = full.right - full.left;
        TBitmap probe(1, 1);
        probe.Canvas().SetFont(ScaledFont());
        const int width = probe.Canvas().MeasureText(Text(), DT_SINGLELINE | DT_NOPREFIX).cx;
        if (width < room)
            r.left += Alignment() == TAlignment::taCenter ? (room - width) / 2 : room - width;
    }
    setRect(r);
    // A text that fits shows from its start.
    if (r.left > textRect_.left)
        SendMessageW(Handle(), EM_LINESCROLL, static_cast<WPARAM>(-0x7FFF), 0);
    SendMessageW(Handle(), EM_SCROLLCARET, 0, 0);
}

void TQnCustomChoiceEdit::Change()
{
    AlignText();
    TQnParentEdit::Change();
}

POINT TQnCustomChoiceEdit::ClientToWindow(POINT client) const
{
    if (!HandleAllocated())
        return client;
    RECT window{};
    GetWindowRect(const_cast<TQnCustomChoiceEdit*>(this)->Handle(), &window);
    const POINT screen = ClientToScreen(client);
    return POINT{screen.x - window.left, screen.y - window.top};
}

// ---- painting

void TQnCustomChoiceEdit::PaintButton()
{
    if (!button_ || !HandleAllocated())
        return;
    TWindowDC dc(Handle());
    if (!dc.Handle())
        return;
    TCanvas canvas(dc.Handle());
    button_->Paint(canvas);
}

void TQnCustomChoiceEdit::PaintCheckGlyph(TCanvas& c)
{
    if (textLeft_ == 0)
        LayoutText();
    const int cw = EditClientWidth(), ch = EditClientHeight();
    const CheckGlyphFrame place =
        CheckGlyphPlacement(Width(), Height(), cw, ch, checkGlyph_.Width(), checkGlyph_.Height());
    frameGlyph_.SetSize(checkGlyph_.Width() + 2, ch);
    frameGlyph_.Fill(Color());
    frameGlyph_.Canvas().Draw(place.glyph.x, place.glyph.y, checkGlyph_);
    if (!Enabled())
        DisabledGlyph(frameGlyph_);
    const RECT dest{place.frame.left, place.frame.top, place.frame.right, place.frame.bottom};
    c.CopyFrom(dest, frameGlyph_.Canvas(), RECT{0, 0, dest.right - dest.left, dest.bottom - dest.top});
}

bool TQnCustomChoiceEdit::DesignTimeHot() const
{
    return Focused() || hot_;
}

void TQnCustomChoiceEdit::PaintBorder(TCanvas& c, RECT r)
{
    const int buttonLeft = button_ ? button_->Left : 0;
    switch (drawStyle_) {
    case TControlStyle::fcsNormal:
        SunkenOuterEdge(c, r);
        InflateRect(&r, -1, -1);
        SunkenInnerEdge(c, r);
        break;
    case TControlStyle::fsFlat:
        if (DesignTimeHot()) {
            SunkenOuterEdge(c, r);
            InflateRect(&r, -1, -1);
            c.FillRect(RECT{r.left, r.top, r.left + 1, r.bottom - 1}, clBtnFace);
            c.FillRect(RECT{r.left, r.top, r.right - 1, r.top + 1}, clBtnFace);
            c.FillRect(RECT{r.right - 1, r.top, r.right, r.bottom}, cl3DLight);
            c.FillRect(RECT{r.left, r.bottom - 1, r.right, r.bottom}, cl3DLight);
            InflateRect(&r, -1, -1);
            if (button_)
                c.FillRect(RECT{buttonLeft - 1, r.top - 1, buttonLeft, r.bottom + 1}, clBtnFace);
        } else {
            if (button_)
                c.FillRect(RECT{buttonLeft - 1, r.top - 1, buttonLeft, r.bottom + 1}, clWindow);
            FrameRect(c, r, clBtnFace);
            InflateRect(&r, -1, -1);
            FrameRect(c, r, clBtnFace);
        }
        break;
    case TControlStyle::fsNone:
        break;
    case TControlStyle::fsSingle:
        // Sunken inner on the left and top, raised outer on the right and bottom.
        FrameEdge(c, r, cl3DDkShadow, cl3DDkShadow);
        InflateRect(&r, -1, -1);
        FrameRect(c, r, Color());
        InflateRect(&r, -1, -1);
        FrameRect(c, r, Color());
        break;
    }
}

void TQnCustomChoiceEdit::PaintFrame(bool drawBorder, HRGN clip)
{
    if (!HandleAllocated())
        return;
    TWindowDC dc(Handle());
    if (!dc.Handle())
        return;
    TCanvas c(dc.Handle());
    const TSavedDC state(dc.Handle());
    if (clip)
        ExtSelectClipRgn(dc.Handle(), clip, RGN_AND);
    if (CheckGlyphShown())
        PaintCheckGlyph(c);
    if (!drawBorder)
        return;
    {
        const TSavedDC border(dc.Handle());
        if (button_)
            ExcludeClipRect(dc.Handle(), button_->Left, button_->Top, button_->Left + button_->Width,
                            button_->Top + button_->Height);
        PaintBorder(c, RECT{0, 0, Width(), Height()});
        PaintFrameExtra(c);
    }
    if (button_)
        button_->Paint(c);
}

void TQnCustomChoiceEdit::EraseClient(HDC dc)
{
    const bool glyph = CheckGlyphShown();
    const EditRect r = EraseRect(ClientWidth(), ClientHeight(), glyph, glyph ? checkGlyph_.Width() : 0,
                                 button_ != nullptr, button_ ? button_->Left : 0, drawStyle_);
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    TCanvas canvas(dc);
    canvas.FillRect(RECT{r.left, r.top, r.right, r.bottom}, Color());
}

// ---- mouse

void TQnCustomChoiceEdit::HitTest(int clientX)
{
    const bool glyph = CheckGlyphShown();
    const EditHit hit = EditHitTest(clientX, Width(), glyph, glyph ? checkGlyph_.Width() : 0, button_ != nullptr,
                                    button_ ? button_->Width : 0);
    overCheckGlyph_ = hit.overCheckGlyph;
    overButton_ = hit.overButton;
}

TCursor TQnCustomChoiceEdit::CursorAt(POINT client) const
{
    auto* self = const_cast<TQnCustomChoiceEdit*>(this);
    const bool glyph = self->CheckGlyphShown();
    const EditHit hit = EditHitTest(client.x, Width(), glyph, glyph ? checkGlyph_.Width() : 0, button_ != nullptr,
                                    button_ ? button_->Width : 0);
    if (hit.overCheckGlyph || hit.overButton)
        return TCursor::crArrow;
    return TQnParentEdit::CursorAt(client);
}

bool TQnCustomChoiceEdit::LeftHeld() const
{
    const int button = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    return GetAsyncKeyState(button) < 0;
}

bool TQnCustomChoiceEdit::FeedButton(TButtonMouse event, POINT window, bool leftHeld)
{
    if (!button_)
        return false;
    const EditButtonStep step = button_->Mouse(event, window, leftHeld, DroppedDown());
    const bool inside = button_->Contains(window);
    if (step.changed)
        PaintButton();
    if (step.click)
        button_->OnClick();
    return inside;
}

void TQnCustomChoiceEdit::ButtonPress(POINT window)
{
    if (FeedButton(TButtonMouse::bmPress, window, true) && HandleAllocated()) {
        buttonCapture_ = true;
        SetCapture(Handle());
    }
}

void TQnCustomChoiceEdit::ButtonClick()
{
    RequestHideError();
    if (OnButtonClick)
        OnButtonClick(*this);
}

void TQnCustomChoiceEdit::CheckGlyphClick()
{
    if (OnCheckClick)
        OnCheckClick(*this);
}

void TQnCustomChoiceEdit::SetHot(bool value)
{
    if (value == hot_)
        return;
    hot_ = value;
    if (button_)
        button_->EditHot = value;
    if (drawStyle_ == TControlStyle::fsFlat)
        PaintFrame(true);
}

void TQnCustomChoiceEdit::MouseMove(unsigned shift, int x, int y)
{
    HitTest(x);
    if (drawStyle_ == TControlStyle::fsFlat)
        SetHot(true);
    FeedButton(TButtonMouse::bmMove, ClientToWindow(POINT{x, y}), (shift & ssLeft) != 0);
    // A move over the button is the button's; the hint and the enter/leave
    // tracking have seen it all the same.
    if (overButton_)
        return;
    TQnParentEdit::MouseMove(shift, x, y);
}

void TQnCustomChoiceEdit::MouseEnter()
{
    TQnParentEdit::MouseEnter();
    if (mouseDown_ && !LeftHeld()) {
        mouseDown_ = false;
        if (button_ && button_->Reset())
            PaintButton();
    }
    if (drawStyle_ == TControlStyle::fsFlat && !hot_)
        SetHot(true);
}

void TQnCustomChoiceEdit::MouseLeave()
{
    TQnParentEdit::MouseLeave();
    if (button_ && !(buttonCapture_ && LeftHeld()) && !DroppedDown() && button_->Reset())
        PaintButton();
    if (!Focused())
        SetHot(false);
}

LRESULT TQnCustomChoiceEdit::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // The focus this press gives (on the glyph or the button too) comes by click.
        const TClickFocus click(*this);
        const POINT client{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        HitTest(client.x);
        if (msg == WM_LBUTTONDOWN)
            mouseDown_ = true;
        if (overCheckGlyph_) {
            SetFocus();
            if (Focused())
                CheckGlyphClick();
        } else if (overButton_ && (msg == WM_LBUTTONDOWN || buttonStyle_ == TEventStyle::esDropDown)) {
            SetFocus();
            if (Focused() && button_ && button_->Contains(ClientToWindow(client))) {
                ButtonPress(ClientToWindow(client));
                return 0; // the edit never sees a press on its button
            }
        }
        return TQnParentEdit::WndProc(msg, wp, lp);
    }
    case WM_LBUTTONUP: {
        const POINT client{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        mouseDown_ = false;
        HitTest(client.x);
        const bool captured = buttonCapture_;
        if (Focused() && (overButton_ || captured))
            FeedButton(TButtonMouse::bmRelease, ClientToWindow(client), false);
        if (captured) {
            buttonCapture_ = false;
            if (GetCapture() == Handle())
                ReleaseCapture();
        }
        // Then the release's normal handling (OnMouseUp); the edit saw no
        // press, so it selects nothing and no click comes of it.
        if (!HandleAllocated())
            return 0;
        break;
    }
    case WM_CAPTURECHANGED:
        if (buttonCapture_ && reinterpret_cast<HWND>(lp) != Handle()) {
            buttonCapture_ = false;
            if (button_ && !DroppedDown() && button_->Reset())
                PaintButton();
        }
        break;
    case WM_ERASEBKGND:
        EraseClient(reinterpret_cast<HDC>(wp));
        return 1;
    case WM_PAINT: {
        const LRESULT result = TQnParentEdit::WndProc(msg, wp, lp);
        PaintFrame(true);
        return result;
    }
    case WM_NCPAINT:
        TQnParentEdit::WndProc(msg, wp, lp);
        PaintFrame(true);
        return 0;
    case WM_PASTE:
        return Paste(msg, wp, lp);
    case WM_SYSKEYDOWN:
        if (wp == VK_DOWN && button_) {
            PressButtonByKey();
            return 0;
        }
        break;
    case WM_GETDLGCODE: {
        // Tab belongs to the form; Enter and Esc come here and the edit hands
        // them to the form itself.
        auto code = static_cast<UINT>(TQnParentEdit::WndProc(msg, wp, lp));
        if (wp == VK_TAB)
            code &= ~static_cast<UINT>(DLGC_WANTALLKEYS | DLGC_WANTTAB);
        else if (wp == VK_RETURN || wp == VK_ESCAPE)
            code |= DLGC_WANTALLKEYS;
        return code;
    }
    }
    return TQnParentEdit::WndProc(msg, wp, lp);
}

// ---- keyboard and focus

// The paste of a single-line edit: the clipboard's text up to its first
// line break replaces the selection. One that would pass the length limit
// is refused whole, with a beep (the platform would cut it silently).
LRESULT TQnCustomChoiceEdit::Paste(UINT msg, WPARAM wp, LPARAM lp)
{
    if (ReadOnly())
        return TQnParentEdit::WndProc(msg, wp, lp);
    std::wstring text = ClipboardText();
    text = text.substr(0, text.find_first_of(L"\r\n"));
    if (!FitsMaxLength(text)) {
        MessageBeep(MB_OK);
        return 0;
    }
    if (!text.empty())
        SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    return 0;
}

bool TQnCustomChoiceEdit::KeyDown(WORD key, unsigned shift)
{
    if (TQnParentEdit::KeyDown(key, shift))
        return true;
    // The platform's multi-line edit would send Enter to a default button
    // and close the window on Esc; the character that follows is ours.
    if (key == VK_ESCAPE || (key == VK_RETURN && !MultiLine))
        return true;
    if (key == VK_F2 && (shift & (ssShift | ssAlt | ssCtrl)) == 0 && button_) {
        PressButtonByKey();
        return true;
    }
    return false;
}

// A press (and, for a normal button, the release) at the button's corner:
// the keyboard reaches every button that the mouse does.
void TQnCustomChoiceEdit::PressButtonByKey()
{
    const POINT corner{button_->Left + 1, button_->Top + 1};
    FeedButton(TButtonMouse::bmPress, corner, true);
    if (button_ && buttonStyle_ == TEventStyle::esNormal)
        FeedButton(TButtonMouse::bmRelease, corner, false);
    if (button_ && !DroppedDown() && button_->Reset())
        PaintButton();
}

bool TQnCustomChoiceEdit::KeyPress(wchar_t& key)
{
    if (TQnParentEdit::KeyPress(key) || key == 0)
        return true;
    if (key == L'\r' || key == 0x1B || key == L'\n') {
        if (key == 0x1B && HandleAllocated())
            SendMessageW(Handle(), EM_UNDO, 0, 0);
        if (MultiLine)
            return false;
        if (key != L'\n')
            if (TForm* form = ParentForm(*this))
                form->DialogKey(key == L'\r' ? VK_RETURN : VK_ESCAPE);
        key = 0;
        return true;
    }
    return false;
}

void TQnCustomChoiceEdit::FocusReceived()
{
    TQnParentEdit::FocusReceived();
    if (drawStyle_ == TControlStyle::fsFlat)
        SetHot(true);
}

void TQnCustomChoiceEdit::FocusLost()
{
    CloseUp(false, false);
    TQnParentEdit::FocusLost();
    if (drawStyle_ == TControlStyle::fsFlat && !ErrorShown())
        SetHot(false);
}

void TQnCustomChoiceEdit::BeforeValidate()
{
    CloseUp(false, true);
    if (drawStyle_ == TControlStyle::fsFlat && !ErrorShown())
        SetHot(false);
}

void TQnCustomChoiceEdit::ValidateText()
{
    if (CanValidate() && !CanEmpty && IsBlank(Text()))
        ErrorCode = ErrEmptyValue;
    TQnParentEdit::ValidateText();
}

void TQnCustomChoiceEdit::CancelMode(TControl* sender)
{
    TQnParentEdit::CancelMode(sender);
    if (sender != this) {
        CloseUp(false, true);
        mouseDown_ = false;
    }
}

} // namespace quillon
