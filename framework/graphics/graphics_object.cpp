#include "framework/graphics/graphics_object.h"

#include "framework/base/properties.h"

namespace orvo {

ORVO_IMPLEMENT_CLASS(TGraphicsObject);

} // namespace orvo
