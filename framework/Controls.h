#pragma once
// The control classes in one include: TControl (Control.h), TWinControl
// (WinControl.h), TCustomControl and TGraphicControl (GraphicControl.h).
#include "framework/Control.h"
#include "framework/GraphicControl.h"
#include "framework/WinControl.h"
