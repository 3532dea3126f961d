#include "platform/host/property_bag.h"

#include <string>

#include "platform/host/errors.h"

namespace kelvane::host {

namespace {

QString NormalKey(const QString& key) { return key.toLower(); }

std::string Describe(const PropertyValue& v) {
  struct {
    std::string operator()(std::int32_t i) const { return "the number " + std::to_string(i); }
    std::string operator()(bool b) const { return b ? "True" : "False"; }
    std::string operator()(const QString& s) const { return "the text \"" + MessageText(s) + "\""; }
    std::string operator()(const FontDesc& f) const { return "the font \"" + MessageText(f.name) + "\""; }
    std::string operator()(const Picture&) const { return "a picture"; }
  } describe;
  return std::visit(describe, v);
}

[[noreturn]] void Mismatch(const QString& key, const PropertyValue& stored, const char* wanted) {
  throw RuntimeError(kErrTypeMismatch, "Type mismatch: property \"" + MessageText(key) + "\" holds " +
                                           Describe(stored) + ", which cannot be read as " + wanted);
}

// Booleans read as numbers are -1 and 0, the values saved layouts use for True and False.
constexpr std::int32_t kTrueNumber = -1;

bool ParseBoolWord(const QString& text, bool* out) {
  const QString t = text.trimmed();
  if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return *out = true, true;
  if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return *out = false, true;
  return false;
}

std::int32_t ToInt(const QString& key, const PropertyValue& v) {
  if (auto i = std::get_if<std::int32_t>(&v)) return *i;
  if (auto b = std::get_if<bool>(&v)) return *b ? kTrueNumber : 0;
  if (auto s = std::get_if<QString>(&v)) {
    bool word = false;
    if (ParseBoolWord(*s, &word)) return word ? kTrueNumber : 0;
    bool ok = false;
    const double d = s->trimmed().toDouble(&ok);
    if (!ok) Mismatch(key, v, "a number");
    try {
      return CLng(d);
    } catch (const RuntimeError&) {
      throw RuntimeError(kErrOverflow, "Overflow: property \"" + MessageText(key) + "\" holds " +
                                           Describe(v) + ", which does not fit in a 32-bit integer");
    }
  }
  Mismatch(key, v, "a number");
}

bool ToBool(const QString& key, const PropertyValue& v) {
  if (auto b = std::get_if<bool>(&v)) return *b;
  if (auto i = std::get_if<std::int32_t>(&v)) return *i != 0;
  if (auto s = std::get_if<QString>(&v)) {
    bool word = false;
    if (ParseBoolWord(*s, &word)) return word;
    bool ok = false;
    const double d = s->trimmed().toDouble(&ok);
    if (ok) return d != 0.0;
  }
  Mismatch(key, v, "a Boolean");
}

QString ToText(const QString& key, const PropertyValue& v) {
  if (auto s = std::get_if<QString>(&v)) return *s;
  if (auto i = std::get_if<std::int32_t>(&v)) return QString::number(*i);
  if (auto b = std::get_if<bool>(&v)) return *b ? QStringLiteral("True") : QStringLiteral("False");
  Mismatch(key, v, "a text");
}

FontDesc ToFont(const QString& key, const PropertyValue& v) {
  if (auto f = std::get_if<FontDesc>(&v)) return *f;
  Mismatch(key, v, "a font");
}

Picture ToPicture(const QString& key, const PropertyValue& v) {
  if (auto p = std::get_if<Picture>(&v)) return *p;
  Mismatch(key, v, "a picture");
}

// `v` converted to the alternative that `like` holds.
PropertyValue ConvertLike(const QString& key, const PropertyValue& v, const PropertyValue& like) {
  switch (like.index()) {
    case 0: return ToInt(key, v);
    case 1: return ToBool(key, v);
    case 2: return ToText(key, v);
    case 3: return ToFont(key, v);
    default: return ToPicture(key, v);
  }
}

bool Equivalent(const PropertyValue& value, const PropertyValue& def) {
  if (value.index() == def.index()) return value == def;
  try {
    return ConvertLike(QString(), def, value) == value;
  } catch (const RuntimeError&) {
    return false;  // a default that cannot take the value's type never equals it
  }
}

bool IsEmptyPicture(const PropertyValue& v) {
  auto p = std::get_if<Picture>(&v);
  return p && p->isNull();
}

}  // namespace

const PropertyValue* PropertyBag::find(const QString& key) const {
  auto it = entries_.find(NormalKey(key));
  return it == entries_.end() ? nullptr : &it->second;
}

std::int32_t PropertyBag::ReadInt(const QString& key, std::int32_t def) const {
  const PropertyValue* v = find(key);
  return v ? ToInt(key, *v) : def;
}

bool PropertyBag::ReadBool(const QString& key, bool def) const {
  const PropertyValue* v = find(key);
  return v ? ToBool(key, *v) : def;
}

QString PropertyBag::ReadString(const QString& key, const QString& def) const {
  const PropertyValue* v = find(key);
  return v ? ToText(key, *v) : def;
}

FontDesc PropertyBag::ReadFont(const QString& key, const FontDesc& def) const {
  const PropertyValue* v = find(key);
  return v ? ToFont(key, *v) : def;
}

Picture PropertyBag::ReadPicture(const QString& key, const Picture& def) const {
  const PropertyValue* v = find(key);
  return v ? ToPicture(key, *v) : def;
}

PropertyValue PropertyBag::Read(const QString& key, const PropertyValue& def) const {
  const PropertyValue* v = find(key);
  return v ? ConvertLike(key, *v, def) : def;
}

void PropertyBag::Write(const QString& key, const PropertyValue& value) {
  if (IsEmptyPicture(value)) {
    entries_.erase(NormalKey(key));
    return;
  }
  entries_.insert_or_assign(NormalKey(key), value);
}

void PropertyBag::Write(const QString& key, const PropertyValue& value, const PropertyValue& def) {
  if (Equivalent(value, def)) {
    entries_.erase(NormalKey(key));
    return;
  }
  Write(key, value);
}

bool PropertyBag::contains(const QString& key) const { return find(key) != nullptr; }

}  // namespace kelvane::host
