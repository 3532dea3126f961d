#include "controls/button/button_properties.h"

#include <array>
#include <string>
#include <variant>

#include "platform/gdi/syscolor.h"
#include "platform/host/errors.h"

namespace kelvane::controls {

namespace {

// Member pointers go by these names: formatters of different versions space "T Class::*name" apart.
template <typename T>
using ButtonMember = T ButtonFields::*;
template <typename T>
using SurfaceMember = T SurfaceSettings::*;

using FieldRef = std::variant<ButtonMember<std::int32_t>, ButtonMember<bool>, ButtonMember<QString>,
                              ButtonMember<host::Picture>, SurfaceMember<bool>, SurfaceMember<host::FontDesc>,
                              SurfaceMember<std::int16_t>, SurfaceMember<host::Picture>>;

struct StoredKey {
  const char* key;
  FieldRef field;
  // When set, a missing key reads as the value just read into this field, not as the Absent value.
  ButtonMember<std::int32_t> absentFollows = nullptr;
};

// Read and write order alike.
const std::array<StoredKey, 23> kStoredKeys{{
    {keys::ButtonType, &ButtonFields::ButtonType},
    {keys::Caption, &ButtonFields::Caption},
    {keys::Enabled, &SurfaceSettings::Enabled},
    {keys::Font, &SurfaceSettings::Font},
    {keys::ColorScheme, &ButtonFields::ColorScheme},
    {keys::ShowFocusRect, &ButtonFields::ShowFocusRect},
    {keys::BackColor, &ButtonFields::BackColor},
    {keys::BackOver, &ButtonFields::BackOver, &ButtonFields::BackColor},
    {keys::ForeColor, &ButtonFields::ForeColor},
    {keys::ForeOver, &ButtonFields::ForeOver, &ButtonFields::ForeColor},
    {keys::MaskColor, &ButtonFields::MaskColor},
    {keys::MousePointer, &SurfaceSettings::MousePointer},
    {keys::MouseIcon, &SurfaceSettings::MouseIcon},
    {keys::PictureNormal, &ButtonFields::PictureNormal},
    {keys::PictureOver, &ButtonFields::PictureOver},
    {keys::UseMaskColor, &ButtonFields::UseMaskColor},
    {keys::SoftBevel, &ButtonFields::SoftBevel},
    {keys::PicturePosition, &ButtonFields::PicturePosition},
    {keys::UseGreyscale, &ButtonFields::UseGreyscale},
    {keys::SpecialEffect, &ButtonFields::SpecialEffect},
    {keys::HandPointer, &ButtonFields::HandPointer},
    {keys::CheckBoxBehaviour, &ButtonFields::CheckBoxBehaviour},
    {keys::Value, &ButtonFields::Value},
}};

template <typename T>
T& Slot(ButtonProperties& p, ButtonMember<T> m) {
  return p.fields.*m;
}
template <typename T>
T& Slot(ButtonProperties& p, SurfaceMember<T> m) {
  return p.surface.*m;
}
template <typename T>
const T& Slot(const ButtonProperties& p, ButtonMember<T> m) {
  return p.fields.*m;
}
template <typename T>
const T& Slot(const ButtonProperties& p, SurfaceMember<T> m) {
  return p.surface.*m;
}

std::int32_t ReadAs(const host::PropertyBag& bag, const QString& key, std::int32_t def) {
  return bag.ReadInt(key, def);
}
bool ReadAs(const host::PropertyBag& bag, const QString& key, bool def) { return bag.ReadBool(key, def); }
QString ReadAs(const host::PropertyBag& bag, const QString& key, const QString& def) {
  return bag.ReadString(key, def);
}
host::FontDesc ReadAs(const host::PropertyBag& bag, const QString& key, const host::FontDesc& def) {
  return bag.ReadFont(key, def);
}
host::Picture ReadAs(const host::PropertyBag& bag, const QString& key, const host::Picture& def) {
  return bag.ReadPicture(key, def);
}
// The surface keeps its mouse pointer in 16 bits; a wider stored number is the host's Overflow.
std::int16_t ReadAs(const host::PropertyBag& bag, const QString& key, std::int16_t def) {
  const std::int32_t stored = bag.ReadInt(key, def);
  try {
    return host::CInt(stored);
  } catch (const host::RuntimeError&) {
    throw host::RuntimeError(host::kErrOverflow, "Overflow: property \"" + key.toStdString() + "\" holds " +
                                                     std::to_string(stored) +
                                                     ", which does not fit in a 16-bit integer");
  }
}

host::PropertyValue Stored(std::int16_t v) { return static_cast<std::int32_t>(v); }
template <typename T>
host::PropertyValue Stored(const T& v) {
  return v;
}

}  // namespace

ButtonProperties NewButtonProperties() {
  ButtonProperties p;
  p.fields.ButtonType = kDefaultButtonType;
  p.fields.ColorScheme = kDefaultColorScheme;
  p.fields.ShowFocusRect = true;
  p.fields.UseMaskColor = true;
  p.fields.MaskColor = kDefaultMaskColor;
  p.surface.Enabled = true;
  return p;
}

ButtonProperties AbsentButtonProperties(const host::FontDesc& currentFont) {
  ButtonProperties p = NewButtonProperties();
  const auto face = static_cast<std::int32_t>(gdi::GetSysColor(gdi::COLOR_BTNFACE));
  const auto text = static_cast<std::int32_t>(gdi::GetSysColor(gdi::COLOR_BTNTEXT));
  p.fields.BackColor = p.fields.BackOver = face;
  p.fields.ForeColor = p.fields.ForeOver = text;
  p.surface.Font = currentFont;
  return p;
}

ButtonProperties ReadButtonProperties(const host::PropertyBag& bag, const ButtonProperties& absent) {
  ButtonProperties out;
  for (const StoredKey& k : kStoredKeys) {
    const QString key = QString::fromLatin1(k.key);
    std::visit(
        [&](auto member) {
          auto def = Slot(absent, member);
          if constexpr (std::is_same_v<decltype(def), std::int32_t>) {
            if (k.absentFollows) def = out.fields.*k.absentFollows;
          }
          Slot(out, member) = ReadAs(bag, key, def);
        },
        k.field);
  }
  return out;
}

void WriteButtonProperties(host::PropertyBag& bag, const ButtonProperties& p) {
  for (const StoredKey& k : kStoredKeys) {
    const QString key = QString::fromLatin1(k.key);
    std::visit([&](auto member) { bag.Write(key, Stored(Slot(p, member))); }, k.field);
  }
}

}  // namespace kelvane::controls
