// The small pictures of menu items, shared by every painter of menu items: the system's check mark
// and radio bullet in any colour, and the sunken, hatched box behind the image of a checked item.
#pragma once

#include "framework/graphics/color.h"

#include <windows.h>

namespace orvo {

// `kind` is DFCS_MENUCHECK or DFCS_MENUBULLET; the glyph fills `box`.
void DrawMenuGlyph(HDC dc, const RECT& box, UINT kind, TColor color);
void DrawCheckedBox(HDC dc, RECT box);

} // namespace orvo
