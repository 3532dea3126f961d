#pragma once
// Names a screen reader needs that the stored layout does not give.
#include "platform/host/layout/loaded_form.h"

namespace kelvane::app {

// The free-share bar is named by the heading above it, the banner's picture by the window's title,
// the indicator by the button whose run it follows.
// Raises host::layout::LayoutError when a control it names is missing.
void NameForScreenReaders(const host::layout::LoadedForm& form);

}  // namespace kelvane::app
