// The control gallery: every look of the program's own controls, side by
// side, labelled. Built with the project for looking at, never shipped.
#include "framework/Application.h"
#include "framework/Dpi.h"
#include "gallery/GalleryPages.h"

#include <windows.h>

#include <map>
#include <sstream>
#include <string>

namespace quillon::gallery {

namespace {
std::map<std::string, TPageFactory>& Pages()
{
    static std::map<std::string, TPageFactory> pages;
    return pages;
}
} // namespace

TGalleryPage::TGalleryPage(const char* name, TPageFactory make)
{
    Pages()[name] = make;
}

} // namespace quillon::gallery

namespace {
int galleryPpi = 0;
int GalleryPpi(HWND)
{
    return galleryPpi;
}
} // namespace

// gallery [PAGE [PPI]]: a page at a display scale (the system's by default).
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    using namespace quillon;
    std::istringstream words(commandLine ? commandLine : "");
    std::string name;
    words >> name >> galleryPpi;
    if (name.empty())
        name = "flat";
    if (galleryPpi > 0)
        SetPpiSource(&GalleryPpi);
    const auto page = gallery::Pages().find(name);
    if (page == gallery::Pages().end())
        return 2;
    std::unique_ptr<TForm> form = page->second();
    form->SetCaption("Quillon control gallery: " + name);
    Application().Run(*form);
    return 0;
}
