#include "app/AboutForm.h"

#include "app/HideTitleBar.h"
#include "framework/Dialogs.h"

namespace quillon {

namespace {

constexpr TColor GradientStart = 13612943; // a light blue at the left
constexpr TColor GradientEnd = 10053171;   // a darker blue at the right

TFont Tahoma(int height, TColor color = clWindowText)
{
    TFont font;
    font.height = height;
    font.color = color;
    return font;
}

TFont LinkFont()
{
    TFont font = Tahoma(-11, clBlue);
    font.underline = true;
    return font;
}

// A link: hand cursor and its own hint, shown whatever the window says.
void MakeLink(TControl& control, const char* hint)
{
    control.SetCursor(TCursor::crHandPoint);
    control.Hint = hint;
    control.ShowHint = true;
    control.ParentShowHint = false;
}

} // namespace

TfrmAbout::TfrmAbout()
{
    Load([this] { SetProperties(); });
    lblEMail.OnClick = [this](TControl& sender) { lblEMailClick(sender); };
    imgDBox.OnClick = [this](TControl& sender) { imgDBoxClick(sender); };
    lblSite.OnClick = [this](TControl& sender) { lblSiteClick(sender); };
}

// Each control's stored properties in the stored order; only what differs
// from the control's defaults.
void TfrmAbout::SetProperties()
{
    SetCaption("About...");
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetClientSize(358, 271);
    Position = TPosition::poScreenCenter;

    lblNote.SetBounds(5, 234, 248, 33);
    lblNote.SetCaption("NOTE: Please close Delphi before using this program.\r\n"
                       "This 3rd party program is not supported by example.org\r\n"
                       "* Use this program at your own risk.");
    lblNote.SetFont(Tahoma(-9, clAppWorkSpace));

    imgDBox.SetBounds(220, 190, 88, 32);
    imgDBox.SetAutoSize(true);
    imgDBox.SetCenter(true);
    imgDBox.LoadFromResourceName("QN_IMGDBOX");
    MakeLink(imgDBox, "Click me !!!");

    lblDBox.SetBounds(36, 194, 162, 26);
    lblDBox.SetCaption("To the tips collected at\r\nexample.org, where it all began");

    lblSpecialThx.SetBounds(14, 171, 66, 13);
    lblSpecialThx.SetCaption("Special Thanx");

    bvlLine00.SetBounds(84, 169, 269, 11);
    bvlLine00.SetShape(TBevelShape::bsBottomLine);

    lblProgrammedBy.SetBounds(110, 72, 139, 16);
    // Sized to the text: the name is ours and longer than the box.
    lblProgrammedBy.SetAutoSize(true);
    lblProgrammedBy.SetCaption("Programmed by: the Quillon team");
    TFont trebuchet = Tahoma(-11);
    trebuchet.name = "Trebuchet MS";
    trebuchet.bold = true;
    lblProgrammedBy.SetFont(trebuchet);

    lblAppInfo.SetBounds(58, 102, 101, 52);
    lblAppInfo.SetCaption("Bugs?, Suggestions ?\r\nDrop me a line at:\r\n\r\nOr visit my site...");

    lblEMail.SetBounds(173, 115, 128, 13);
    lblEMail.SetCaption(MailAddress);
    lblEMail.SetFont(LinkFont());
    MakeLink(lblEMail, "E-mail me ! :D");

    lblSite.SetBounds(173, 141, 92, 13);
    lblSite.SetCaption("www.example.org");
    lblSite.SetFont(LinkFont());
    MakeLink(lblSite, "Wanna visit my site?");

    lblGradient.SetBounds(0, 55, 358, 5);
    lblGradient.SetAlign(TAlign::alTop);
    lblGradient.SetBevelOuter(TBevelCut::bvNone);
    lblGradient.Gradient().SetColorSteps(255);
    lblGradient.Gradient().SetEndColor(GradientEnd);
    lblGradient.Gradient().SetStartColor(GradientStart);
    TFont subCaption = Tahoma(-11);
    subCaption.name = "MS Sans Serif";
    lblGradient.SubCaption().SetFont(subCaption);

    pnlTitle.SetBounds(0, 0, 358, 55);
    pnlTitle.SetAlign(TAlign::alTop);
    pnlTitle.SetColor(clWhite);
    pnlTitle.SetColorHighLight(clWhite);
    pnlTitle.SetColorShadow(clWhite);

    imbAbout.SetBounds(301, 3, 49, 49);
    imbAbout.SetCenter(true);
    imbAbout.SetTransparent(true);
    imbAbout.LoadFromResourceName("QN_IMBABOUT");

    lblAppName.SetBounds(24, 17, 197, 21);
    lblAppName.SetCaption("About Quillon");
    TFont title = Tahoma(-17);
    title.bold = true;
    lblAppName.SetFont(title);

    lblCompany.SetBounds(121, 41, 179, 11);
    lblCompany.SetCaption("Quillon - free and open to everyone");
    lblCompany.SetFont(Tahoma(-9, clSilver));

    btnOk.SetBounds(279, 245, 75, 21);
    btnOk.SetCaption("Thanks !!!");
    btnOk.SetDefault(true);
    btnOk.SetCancel(true);
    btnOk.ModalResult = mrOk;
}

// The window is made on first showing, not at the program's start, so the
// start makes one top-level window only.
void TfrmAbout::HandleCreated()
{
    TForm::HandleCreated();
    RunCreateEvent([this] { FormCreate(); });
}

void TfrmAbout::FormCreate()
{
    HideTitleBar(*this);
}

void TfrmAbout::lblEMailClick(TControl&)
{
    OpenShellTarget(MailLink);
}

void TfrmAbout::imgDBoxClick(TControl&)
{
    OpenShellTarget(TipsSite);
}

void TfrmAbout::lblSiteClick(TControl&)
{
    OpenShellTarget(OwnSite);
}

void TfrmAbout::OpenShellTarget(const std::string& target)
{
    ShellOpen(target);
}

} // namespace quillon
