// The gallery's page of choice edits, the colour combo box and the error
// balloon: the main window's looks (disabled, idle, hot, button hot,
// pressed), the other frame and button styles, the combo closed and open.
#include "controls/choice/ChoicePaint.h"
#include "controls/choice/ColorComboBox.h"
#include "controls/choice/ErrorPopup.h"
#include "framework/Timer.h"
#include "gallery/GalleryPages.h"

#include <memory>
#include <vector>

using namespace quillon;

namespace {

// Shows a fixed state, as the pointer or a press would.
class TShownEdit : public TQnChoiceEdit {
public:
    using TQnChoiceEdit::TQnChoiceEdit;
    void ShowHot(bool hot, TEditButtonState button)
    {
        SetHot(hot);
        if (EditButton())
            EditButton()->SetState(button);
        Invalidate();
    }
};

class TGallery : public TForm {
public:
    TGallery()
    {
        SetClientSize(760, 430);
        Position = TPosition::poScreenCenter;
        MainWindowEditors();
        OtherStyles();
        Combos();
        timer_.OnTimer = [this] { AfterShow(); };
    }

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg == WM_SHOWWINDOW && wp)
            timer_.SetEnabled(true);
        return TForm::WndProc(msg, wp, lp);
    }

private:
    template <class T>
    T& Add(TWinControl* parent = nullptr)
    {
        owned_.push_back(std::make_unique<T>(parent ? parent : this));
        return static_cast<T&>(*owned_.back());
    }

    void Label(int x, int y, const std::string& text)
    {
        owned_.push_back(std::make_unique<gallery::TCaptionLabel>(this, x, y, 380, text));
    }

    TShownEdit& PathEditor(int x, int y, int height = 19)
    {
        auto& e = Add<TShownEdit>();
        e.SetBounds(x, y, 187, height);
        e.SetColor(clWhite);
        e.SetReadOnly(true);
        e.SetButtonChoiceStyle(TChoiceBtnStyle::btsEllipsis);
        e.SetDrawStyle(TControlStyle::fsFlat);
        e.SetText("C:\\Delphi5\\MyComps");
        return e;
    }

    void MainWindowEditors()
    {
        Label(10, 8, "Path editors 187 x 19: flat, read-only, ellipsis");
        const char* names[] = {"disabled", "idle", "hot", "button hot", "button pressed"};
        for (int i = 0; i < 5; ++i) {
            const int y = 28 + 30 * i;
            TShownEdit& e = PathEditor(20, y);
            if (i == 0)
                e.SetEnabled(false);
            if (i >= 2)
                e.ShowHot(true, i == 3   ? TEditButtonState::ebsHot
                                : i == 4 ? TEditButtonState::ebsDown
                                         : TEditButtonState::ebsUp);
            Label(220, y + 3, names[i]);
        }
        Label(10, 184, "Error balloon under an editor (stays while shown here)");
        balloonOwner_ = &PathEditor(20, 204);
        balloonOwner_->SetReadOnly(false);
        balloonOwner_->SetText("");
    }

    void OtherStyles()
    {
        Label(380, 8, "Other frames and buttons");
        struct Style {
            TControlStyle draw;
            TChoiceBtnStyle button;
            const char* name;
        } styles[] = {
            {TControlStyle::fcsNormal, TChoiceBtnStyle::btsForm, "normal frame, form button"},
            {TControlStyle::fsNone, TChoiceBtnStyle::btsCombo, "no frame, combo button"},
            {TControlStyle::fsSingle, TChoiceBtnStyle::btsEllipsis, "single frame, ellipsis"},
            {TControlStyle::fsFlat, TChoiceBtnStyle::btsCustom, "flat, custom glyph 24 wide"},
        };
        for (int i = 0; i < 4; ++i) {
            const int y = 28 + 30 * i;
            auto& e = Add<TQnChoiceEdit>();
            if (i == 0)
                SetActiveControl(&e); // the flat editors show their idle look
            e.SetBounds(390, y, 160, 21);
            e.SetText("Choice");
            e.SetDrawStyle(styles[i].draw);
            if (styles[i].button == TChoiceBtnStyle::btsCustom) {
                TBitmap glyph(18, 11);
                glyph.Fill(clFuchsia);
                glyph.Canvas().FillRect(RECT{1, 4, 17, 7}, 0x800000);
                e.SetGlyph(&glyph);
            } else {
                e.SetButtonChoiceStyle(styles[i].button);
            }
            Label(560, y + 4, styles[i].name);
        }
        Label(380, 148, "Check glyph, disabled check glyph");
        TBitmap check(12, 12);
        check.Fill(clFuchsia);
        check.Canvas().FillRect(RECT{2, 2, 10, 10}, 0x008000);
        for (int i = 0; i < 2; ++i) {
            auto& e = Add<TQnChoiceEdit>();
            e.SetBounds(390 + 180 * i, 168, 160, 21);
            e.SetText("With glyph");
            e.SetDrawStyle(TControlStyle::fsFlat);
            e.SetCheckGlyph(&check);
            e.SetEnabled(i == 0);
        }
    }

    void Combos()
    {
        Label(10, 270, "Colour combo 143 x 19 (cbColor): disabled, enabled, typed number");
        for (int i = 0; i < 3; ++i) {
            auto& c = Add<TQnColorComboBox>();
            c.SetBounds(20 + 175 * (i % 2), 290 + 32 * (i / 2), 143, 19);
            c.SetColor(clWhite);
            c.SetAlignment(TAlignment::taCenter);
            c.SetColorWidth(15);
            c.SetDrawStyle(TControlStyle::fsFlat);
            c.SetColorValue(i == 2 ? 0x123456 : clHighlight);
            c.SetEnabled(i != 0);
        }
        Label(380, 270, "Open list (flat), list style (no swatch)");
        openCombo_ = &Add<TQnColorComboBox>();
        openCombo_->SetBounds(390, 290, 150, 21);
        openCombo_->SetColorValue(0x0000FF);
        openCombo_->SetDrawStyle(TControlStyle::fsFlat);
        auto& list = Add<TQnColorComboBox>();
        list.SetBounds(560, 290, 150, 21);
        list.SetDropDownStyle(TDropDownStyle::clsDropDownList);
        list.SetColorValue(SystemColor(5));
    }

    void AfterShow()
    {
        timer_.SetEnabled(false);
        balloon_ = std::make_unique<TQnMessageWindow>(balloonOwner_);
        balloon_->SetKind(TMessageKind::mkError);
        balloon_->SetAnchor(5, balloonOwner_->Height() - 5);
        balloon_->SetShape(TPopupShape::psBalloon);
        balloon_->SetText(LoadResString(ResInvalidInteger));
        balloon_->Popup();
        openCombo_->DropDown();
    }

    std::vector<std::unique_ptr<TControl>> owned_;
    TShownEdit* balloonOwner_ = nullptr;
    TQnColorComboBox* openCombo_ = nullptr;
    std::unique_ptr<TQnMessageWindow> balloon_;
    TTimer timer_{300};
};

const gallery::TGalleryPage page("choice", [] { return std::unique_ptr<TForm>(std::make_unique<TGallery>()); });

} // namespace
