#pragma once
// The progress bar's design pictures, embedded as resources.
#include <QString>
#include <array>
#include <optional>

#include "controls/progressbar/bar_state.h"
#include "platform/host/picture.h"

namespace kelvane::controls {

using LookPictures = std::array<host::Picture, kLookSlots>;

// Resource path of a picture by its file stem ("img", "blank", "master_2", ...).
QString BarPicturePath(const QString& stem);

// The picture set's name for a ProgressLook ("master" for 0, ...); nullopt outside 0..7.
std::optional<QString> LookName(std::int32_t look);

// The frame and eraser. A picture missing from the resources raises host::RuntimeError.
host::Picture FramePicture();
host::Picture BlankPicture();
// The three pictures of a look; nullopt for a ProgressLook outside 0..7.
std::optional<LookPictures> LookPicturesFor(std::int32_t look);

}  // namespace kelvane::controls
