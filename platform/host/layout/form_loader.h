#pragma once
// Builds a window and its controls from a JSON layout.
//
// {
//   "form": {"name": "Form1", "caption": "...", "clientWidth": twips, "clientHeight": twips,
//            "backColor": colour, "font": {font}, "icon": "resource path", "fixedSize": true},
//   "controls": [ {"name": "Label2", "index": 3, "kind": "Label", "container": "Frame1",
//                  "left": twips, "top": twips, "width": twips, "height": twips,
//                  "tabIndex": 7, "visible": true, ...kind-specific keys...}, ... ]
// }
//
// Stock kinds: Label, Frame, PictureBox, Image, Shape, Timer, ProgressBar. Any other kind must be
// registered (control_kinds.h); its "properties" object becomes the PropertyBag it loads from.
// Colours are numbers 0xBBGGRR or strings "0xBBGGRR"; fonts are
// {"name", "size", "weight", "italic", "underline", "strikeout", "charset"}.
#include <QByteArray>
#include <QString>

#include "platform/host/layout/loaded_form.h"

namespace kelvane::host::layout {

// Raises LayoutError naming the control and key at fault.
LoadedForm loadForm(const QByteArray& json);
// Reads a file or a Qt resource (":/layout/form1.json") first.
LoadedForm loadFormFile(const QString& path);

}  // namespace kelvane::host::layout
