#pragma once
#include "platform/host/picture.h"

namespace kelvane::controls {

// The pointing hand that HandPointer shows, as a mouse icon. Built from pixels, so it cannot fail
// to load.
const host::Picture& HandCursorPicture();

}  // namespace kelvane::controls
