#pragma once
// The button's stored properties as plain values, and the one table that says under which key each
// is kept, what a missing key reads as, and in which order the keys are read and written.
#include <QString>
#include <cstdint>

#include "platform/host/font_desc.h"
#include "platform/host/picture.h"
#include "platform/host/property_bag.h"

namespace kelvane::controls {

// Booleans are kept as C++ bools; the store writes and reads them as True/False, as saved layouts hold them.
struct ButtonFields {
  std::int32_t ButtonType = 0;
  QString Caption;
  std::int32_t ColorScheme = 0;
  bool ShowFocusRect = false;
  std::int32_t BackColor = 0;
  std::int32_t BackOver = 0;
  std::int32_t ForeColor = 0;
  std::int32_t ForeOver = 0;
  std::int32_t MaskColor = 0;
  host::Picture PictureNormal;
  host::Picture PictureOver;
  bool UseMaskColor = false;
  bool SoftBevel = false;
  std::int32_t PicturePosition = 0;
  bool UseGreyscale = false;
  std::int32_t SpecialEffect = 0;
  bool HandPointer = false;
  bool CheckBoxBehaviour = false;
  bool Value = false;
  friend bool operator==(const ButtonFields&, const ButtonFields&) = default;
};

// What the control's surface holds rather than the button.
struct SurfaceSettings {
  bool Enabled = true;
  host::FontDesc Font;
  std::int16_t MousePointer = 0;
  host::Picture MouseIcon;
  friend bool operator==(const SurfaceSettings&, const SurfaceSettings&) = default;
};

struct ButtonProperties {
  ButtonFields fields;
  SurfaceSettings surface;
  friend bool operator==(const ButtonProperties&, const ButtonProperties&) = default;
};

// The store keys; each property's change notice carries its key, except PictureOver's.
namespace keys {
inline constexpr const char* ButtonType = "BTYPE";
inline constexpr const char* Caption = "TX";
inline constexpr const char* Enabled = "ENAB";
inline constexpr const char* Font = "FONT";
inline constexpr const char* ColorScheme = "COLTYPE";
inline constexpr const char* ShowFocusRect = "FOCUSR";
inline constexpr const char* BackColor = "BCOL";
inline constexpr const char* BackOver = "BCOLO";
inline constexpr const char* ForeColor = "FCOL";
inline constexpr const char* ForeOver = "FCOLO";
inline constexpr const char* MaskColor = "MCOL";
inline constexpr const char* MousePointer = "MPTR";
inline constexpr const char* MouseIcon = "MICON";
inline constexpr const char* PictureNormal = "PICN";
inline constexpr const char* PictureOver = "PICH";
inline constexpr const char* UseMaskColor = "UMCOL";
inline constexpr const char* SoftBevel = "SOFT";
inline constexpr const char* PicturePosition = "PICPOS";
inline constexpr const char* UseGreyscale = "NGREY";
inline constexpr const char* SpecialEffect = "FX";
inline constexpr const char* HandPointer = "HAND";
inline constexpr const char* CheckBoxBehaviour = "CHECK";
inline constexpr const char* Value = "VALUE";
}  // namespace keys

// Saved layouts know PictureOver's key as "PICH", but its change notice says "PICO": a container watching
// notices knows it by that name.
inline constexpr const char* kPictureOverNotice = "PICO";

inline constexpr std::int32_t kDefaultButtonType = 2;
inline constexpr std::int32_t kDefaultColorScheme = 1;
inline constexpr std::int32_t kDefaultMaskColor = 0xC0C0C0;

// The values a new instance starts from before its colours, caption and font are filled in.
ButtonProperties NewButtonProperties();

// What each key reads as when the store lacks it. `currentFont` is the surface's font; the colours
// are the system's button face and text. BackOver and ForeOver follow the value just read for
// BackColor and ForeColor instead (see ReadButtonProperties).
ButtonProperties AbsentButtonProperties(const host::FontDesc& currentFont);

// Reads every key in the stored order. A value of the wrong type raises the store's RuntimeError; a
// mouse pointer outside 16 bits raises Overflow. Either leaves nothing half-read for the caller.
ButtonProperties ReadButtonProperties(const host::PropertyBag& bag, const ButtonProperties& absent);

// Writes every key whatever its value (no defaults), so a saved layout is complete; the store
// itself leaves out an empty picture.
void WriteButtonProperties(host::PropertyBag& bag, const ButtonProperties& p);

}  // namespace kelvane::controls
