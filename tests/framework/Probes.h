#pragma once
// Small controls for the framework tests that write what the framework tells
// them into a shared log ("enter:a", "exit:a", "cancel:a<-b", "loaded:a").
#include "framework/Forms.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace quillon::test {

using TLog = std::vector<std::string>;

inline std::string NameOf(const TControl* c)
{
    return c ? c->Name : std::string("none");
}

// A windowed control: a container, a focus target, a paint counter.
class TWindowProbe : public TCustomControl {
public:
    TWindowProbe(TWinControl* parent, const std::string& name, TLog* log = nullptr, RECT bounds = {0, 0, 20, 20})
        : TCustomControl(parent), log_(log)
    {
        Name = name;
        SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
        SetControlStyle(ControlStyle() | csAcceptsControls);
    }

    int paints = 0;
    int sysColorChanges = 0;
    int changes = 0;
    bool throwOnPaint = false;
    DWORD extraStyle = 0;
    std::function<void()> onExit;

    void Paint(TCanvas& canvas) override
    {
        ++paints;
        canvas.FillRect(ClientRect(), Color());
        if (throwOnPaint) {
            TBitmap scratch(8, 8); // released on the way out too
            scratch.Canvas().SetFont(Font());
            throw std::runtime_error("paint failed");
        }
    }
    void DoEnter() override { Write("enter:" + Name); }
    void DoExit() override
    {
        Write("exit:" + Name);
        if (onExit)
            onExit();
    }
    void CancelMode(TControl* sender) override { Write("cancel:" + Name + "<-" + NameOf(sender)); }
    void Loaded() override { Write("loaded:" + Name); }
    void SysColorChange() override { ++sysColorChanges; }
    void TextChanged() override
    {
        TCustomControl::TextChanged();
        if (!Loading())
            ++changes; // an OnChange stays silent while loading
    }

protected:
    void CreateParams(TCreateParams& params) override
    {
        TCustomControl::CreateParams(params);
        params.style |= extraStyle;
    }

private:
    void Write(const std::string& line)
    {
        if (log_)
            log_->push_back(line);
    }
    TLog* log_;
};

// A windowless control with an accelerator and a cursor.
class TLabelProbe : public TGraphicControl {
public:
    TLabelProbe(TWinControl* parent, const std::string& name, TLog* log = nullptr, RECT bounds = {0, 0, 20, 20})
        : TGraphicControl(parent), log_(log)
    {
        Name = name;
        SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
    }
    int accels = 0;
    int sysColorChanges = 0;
    void Paint(TCanvas& canvas) override { canvas.FillRect(ClientRect(), Color()); }
    bool DialogChar(wchar_t ch) override { return IsAccel(ch, Caption()) && (++accels, true); }
    void Loaded() override
    {
        if (log_)
            log_->push_back("loaded:" + Name);
    }
    void SysColorChange() override { ++sysColorChanges; }

private:
    TLog* log_;
};

// A native control wrapped as a superclass of a system class, which answers
// the notifications its parent reflects back to it.
class TNativeProbe : public TWinControl {
public:
    TNativeProbe(TWinControl* parent, const wchar_t* systemClass, DWORD style, RECT bounds, bool pushButton = false)
        : TWinControl(parent), systemClass_(systemClass), style_(style), pushButton_(pushButton)
    {
        SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
        SetTabStop(true);
    }

    std::vector<UINT> reflected; // the parent's messages that reached us
    std::vector<WORD> keys;      // key-downs our handler saw
    int textChanges = 0;
    int clicks = 0;
    UINT measuredHeight = 21;
    HBRUSH ctlBrush = nullptr;

    bool IsPushButton() const override { return pushButton_; }
    void Click() override
    {
        ++clicks;
        TWinControl::Click();
    }
    void TextChanged() override
    {
        TWinControl::TextChanged();
        ++textChanges;
    }

protected:
    void CreateParams(TCreateParams& params) override
    {
        TWinControl::CreateParams(params);
        params.superclassOf = systemClass_;
        params.style |= style_;
    }
    bool KeyDown(WORD key, unsigned) override
    {
        keys.push_back(key);
        return false; // the native control handles it as ever
    }
    bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override
    {
        reflected.push_back(msg);
        switch (msg) {
        case WM_COMMAND:
            if (HIWORD(wp) == BN_CLICKED)
                Click();
            return true;
        case WM_MEASUREITEM:
            reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight = measuredHeight;
            result = TRUE;
            return true;
        case WM_DRAWITEM:
            result = TRUE;
            return true;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
            if (!ctlBrush)
                return false;
            result = reinterpret_cast<LRESULT>(ctlBrush);
            return true;
        case WM_NOTIFY:
            result = 77;
            return true;
        }
        return false;
    }

private:
    const wchar_t* systemClass_;
    DWORD style_;
    bool pushButton_;
};

} // namespace quillon::test
