#pragma once
// TfrmAbout: the about box. A white title band with the program's name and
// picture, a thin gradient strip under it, a note on using the program and
// links that the shell opens (a mail message, two web pages). "Thanks !!!"
// (or Enter, or Escape) closes it with 1, Alt+F4 with 2. It has no title bar
// and keeps its raised dialog frame.
#include "controls/flat/FlatPanel.h"
#include "controls/label/GradientCaptionLabel.h"
#include "framework/Bevel.h"
#include "framework/Buttons.h"
#include "framework/Forms.h"
#include "framework/Image.h"
#include "framework/Label.h"

#include <string>

namespace quillon {

class TfrmAbout : public TForm {
public:
    // What the links open.
    static constexpr const char* MailAddress = "quillon@example.com";
    static constexpr const char* MailLink = "mailto:quillon@example.com?subject=Quillon";
    static constexpr const char* TipsSite = "https://example.org/";
    static constexpr const char* OwnSite = "https://www.example.org/";

    TfrmAbout();

    TGradientCaptionLabel lblGradient{this};
    TFlatPanel pnlTitle{this};
    TImage imbAbout{&pnlTitle};
    TLabel lblAppName{&pnlTitle};
    TLabel lblCompany{&pnlTitle};
    TLabel lblNote{this};
    TImage imgDBox{this};
    TLabel lblDBox{this};
    TLabel lblSpecialThx{this};
    TBevel bvlLine00{this};
    TLabel lblProgrammedBy{this};
    TButton btnOk{this};
    TLabel lblAppInfo{this};
    TLabel lblEMail{this};
    TLabel lblSite{this};

    void FormCreate();
    void lblEMailClick(TControl& sender);
    void imgDBoxClick(TControl& sender);
    void lblSiteClick(TControl& sender);
    // The shell's "open" of a mail link or web page; what becomes of it is
    // not examined, so a missing mail program or browser shows nothing.
    void OpenShellTarget(const std::string& target);

protected:
    void HandleCreated() override;

private:
    void SetProperties();
};

} // namespace quillon
