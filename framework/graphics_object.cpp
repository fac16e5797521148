#include "framework/graphics_object.h"

#include "framework/properties.h"

namespace orvo {

ORVO_IMPLEMENT_CLASS(TGraphicsObject);

} // namespace orvo
