#pragma once
// Drawing pieces the choice edit, its button and the combo list share:
// one-pixel edges, the dithered face of a disabled button, the greyed glyph,
// and resources by name.
#include "framework/Graphics.h"

#include <string>

namespace quillon {

// A one-pixel ring: the left column and top row in `topLeft`, the right
// column and bottom row in `bottomRight` (which owns the two far corners).
void FrameEdge(TCanvas& canvas, const RECT& r, TColor topLeft, TColor bottomRight);

// The platform's edges by name.
inline void SunkenOuterEdge(TCanvas& c, const RECT& r) { FrameEdge(c, r, clBtnShadow, clBtnHighlight); }
inline void SunkenInnerEdge(TCanvas& c, const RECT& r) { FrameEdge(c, r, cl3DDkShadow, cl3DLight); }
inline void RaisedOuterEdge(TCanvas& c, const RECT& r) { FrameEdge(c, r, cl3DLight, cl3DDkShadow); }
inline void RaisedInnerEdge(TCanvas& c, const RECT& r) { FrameEdge(c, r, clBtnHighlight, clBtnShadow); }
// A plain one-pixel frame.
inline void FrameRect(TCanvas& c, const RECT& r, TColor color) { FrameEdge(c, r, color, color); }

// Alternating pixels of `a` and `b`, `a` where x + y is even.
void DitheredFill(TCanvas& canvas, const RECT& r, TColor a, TColor b);

// DisabledGlyph: every pixel whose red component is below 175 becomes clBtnShadow.
void DisabledGlyph(TBitmap& bitmap);

// A glyph from the program's resources, transparent by its bottom-left pixel.
void LoadGlyph(TBitmap& bitmap, const std::string& name);

// A text of the program's string table, as UTF-8 (empty when missing).
std::string LoadResString(unsigned id);

} // namespace quillon
