#pragma once
// The whole drawing layer in one include.
#include "platform/gdi/bits.h"
#include "platform/gdi/colorref.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/draw.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/rect.h"
#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/syscolor.h"
#include "platform/gdi/text.h"
#include "platform/gdi/window.h"
