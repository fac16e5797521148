// The named types of the graphics properties, for the property tables and stored forms.
#pragma once

#include "framework/base/type_info.h"

namespace orvo {

const TIntegerType& ColorType();        // clBtnFace, ... or a number
const TIntegerType& CharsetType();      // DEFAULT_CHARSET, GB2312_CHARSET, ... or a number
const TEnumType& FontStyleType();       // fsBold, fsItalic, fsUnderline, fsStrikeOut
const TEnumType& FontPitchType();       // fpDefault, fpVariable, fpFixed
const TEnumType& BrushStyleType();      // bsSolid, bsClear, ...
const TEnumType& PenStyleType();        // psSolid, psDash, ...
const TEnumType& PenModeType();         // pmBlack, ..., pmCopy, ...
const TEnumType& PixelFormatType();     // pf1bit, ..., pf32bit
const TEnumType& TransparentModeType(); // tmAuto, tmFixed

} // namespace orvo
