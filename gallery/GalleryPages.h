#pragma once
// The control gallery shows one page per family of controls, each a form of
// its own, chosen by name on the command line (scripts/test shows each in
// turn and saves build/screenshots/gallery-<name>.png). A page registers
// itself from its own file.
#include "framework/Forms.h"

#include <memory>

namespace quillon::gallery {

using TPageFactory = std::unique_ptr<TForm> (*)();

struct TGalleryPage {
    TGalleryPage(const char* name, TPageFactory make);
};

} // namespace quillon::gallery
