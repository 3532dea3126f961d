#pragma once
// The host's keyed store of a control's saved properties.
#include <QString>
#include <cstdint>
#include <map>
#include <variant>

#include "platform/host/font_desc.h"
#include "platform/host/picture.h"

namespace kelvane::host {

// Colours are int32 values (0x00BBGGRR, or a system colour with the top bit set).
using PropertyValue = std::variant<std::int32_t, bool, QString, FontDesc, Picture>;

class PropertyBag {
 public:
  // The stored value under `key` (compared without case), or `def` when absent.
  // A stored value of another type is converted like the host would (numbers <-> Booleans <-> text);
  // one that cannot be converted raises RuntimeError naming the key (13 type mismatch, 6 overflow).
  std::int32_t ReadInt(const QString& key, std::int32_t def) const;
  std::int32_t ReadColor(const QString& key, std::int32_t def) const { return ReadInt(key, def); }
  bool ReadBool(const QString& key, bool def) const;
  QString ReadString(const QString& key, const QString& def) const;
  FontDesc ReadFont(const QString& key, const FontDesc& def) const;
  Picture ReadPicture(const QString& key, const Picture& def = {}) const;
  // The stored value converted to the type of `def`.
  PropertyValue Read(const QString& key, const PropertyValue& def) const;

  // Stores under the lower-cased key; a value equal to `def` removes the key instead.
  // An empty picture is never stored.
  void Write(const QString& key, const PropertyValue& value);
  void Write(const QString& key, const PropertyValue& value, const PropertyValue& def);
  // Keeps a literal text a text (a bare pointer would otherwise risk becoming a Boolean).
  void Write(const QString& key, const char* text) { Write(key, PropertyValue(QString::fromUtf8(text))); }

  bool contains(const QString& key) const;
  bool empty() const { return entries_.empty(); }
  const std::map<QString, PropertyValue>& entries() const { return entries_; }  // keys lower-case

 private:
  const PropertyValue* find(const QString& key) const;
  std::map<QString, PropertyValue> entries_;
};

}  // namespace kelvane::host
