#pragma once
// The window shape of each button style: the pixels of a W × H button that belong to it. The rest
// belongs to the container, for painting and for the mouse.
#include <cstdint>

#include "platform/gdi/region.h"

namespace kelvane::controls {

// Styles without a shape of their own (and unknown values) keep the whole rectangle.
gdi::Region BuildShapeRegion(std::int32_t buttonType, std::int32_t width, std::int32_t height);

}  // namespace kelvane::controls
