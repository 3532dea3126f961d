#include "platform/host/layout/layout_fields.h"

#include <cmath>
#include <limits>

#include "platform/host/layout/layout_error.h"

namespace kelvane::host::layout {

namespace {

constexpr int kMinFontWeight = 1;
constexpr int kMaxFontWeight = 1000;
constexpr int kMaxCharset = 255;
constexpr std::uint32_t kPlainColorMask = 0x00FFFFFFu;
constexpr std::uint32_t kSystemColorFlag = 0x80000000u;
constexpr std::uint32_t kSystemIndexMask = 0x000000FFu;
constexpr double kMaxColorBits = 4294967295.0;  // 0xFFFFFFFF
constexpr int kHexBase = 16;

QString Quoted(const QString& key) { return QStringLiteral("\"%1\"").arg(key); }

bool IsWhole(double v) { return std::isfinite(v) && std::floor(v) == v; }

bool IsColorBits(std::uint32_t bits) {
  if ((bits & ~kPlainColorMask) == 0) return true;
  return (bits & ~(kSystemColorFlag | kSystemIndexMask)) == 0;
}

}  // namespace

Fields::Fields(QJsonObject object, QString who) : object_(std::move(object)), who_(std::move(who)) {}

void Fields::fail(const QString& key, const QString& what) const {
  throw LayoutError(QStringLiteral("%1: %2 %3").arg(who_, Quoted(key), what));
}

QJsonValue Fields::take(const QString& key) const {
  asked_.insert(key);
  return object_.value(key);
}

QJsonValue Fields::require(const QString& key) const {
  QJsonValue v = take(key);
  if (v.isUndefined()) fail(key, QStringLiteral("is missing"));
  return v;
}

double Fields::number(const QString& key) const {
  const QJsonValue v = require(key);
  if (!v.isDouble()) fail(key, QStringLiteral("must be a number"));
  return v.toDouble();
}

std::optional<double> Fields::optionalNumber(const QString& key) const {
  if (take(key).isUndefined()) return std::nullopt;
  return number(key);
}

double Fields::nonNegative(const QString& key) const {
  const double v = number(key);
  if (v < 0) fail(key, QStringLiteral("must not be negative"));
  return v;
}

int Fields::whole(const QString& key, int min, int max) const {
  const double v = number(key);
  if (!IsWhole(v) || v < min || v > max) {
    fail(key, QStringLiteral("must be a whole number from %1 to %2").arg(min).arg(max));
  }
  return static_cast<int>(v);
}

std::optional<int> Fields::optionalWhole(const QString& key, int min, int max) const {
  if (take(key).isUndefined()) return std::nullopt;
  return whole(key, min, max);
}

QString Fields::string(const QString& key) const {
  const QJsonValue v = require(key);
  if (!v.isString()) fail(key, QStringLiteral("must be a string"));
  return v.toString();
}

std::optional<QString> Fields::optionalString(const QString& key) const {
  if (take(key).isUndefined()) return std::nullopt;
  return string(key);
}

bool Fields::boolean(const QString& key, bool def) const {
  const QJsonValue v = take(key);
  if (v.isUndefined()) return def;
  if (!v.isBool()) fail(key, QStringLiteral("must be true or false"));
  return v.toBool();
}

std::int32_t Fields::color(const QString& key, std::int32_t def) const {
  const QJsonValue v = take(key);
  if (v.isUndefined()) return def;
  const auto c = ParseColor(v);
  if (!c) fail(key, QStringLiteral("must be a colour 0xBBGGRR or a system colour 0x800000NN"));
  return *c;
}

FontDesc Fields::font(const QString& key, const FontDesc& def) const {
  const QJsonValue v = take(key);
  if (v.isUndefined()) return def;
  if (!v.isObject()) fail(key, QStringLiteral("must be a font object"));
  return ReadFont(v.toObject(), QStringLiteral("%1: %2").arg(who_, Quoted(key)));
}

host::Picture Fields::picture(const QString& key) const {
  const QJsonValue v = take(key);
  if (v.isUndefined()) return {};
  if (!v.isObject()) fail(key, QStringLiteral("must be a picture object"));
  return ReadPicture(v.toObject(), QStringLiteral("%1: %2").arg(who_, Quoted(key)));
}

QJsonObject Fields::object(const QString& key) const {
  const QJsonValue v = require(key);
  if (!v.isObject()) fail(key, QStringLiteral("must be an object"));
  return v.toObject();
}

std::optional<QJsonObject> Fields::optionalObject(const QString& key) const {
  if (take(key).isUndefined()) return std::nullopt;
  return object(key);
}

QJsonArray Fields::array(const QString& key) const {
  const QJsonValue v = require(key);
  if (!v.isArray()) fail(key, QStringLiteral("must be an array"));
  return v.toArray();
}

int Fields::choice(const QString& key, const QStringList& choices, int def) const {
  const QJsonValue v = take(key);
  if (v.isUndefined()) return def;
  if (v.isString()) {
    for (int i = 0; i < choices.size(); ++i) {
      if (choices[i].compare(v.toString(), Qt::CaseInsensitive) == 0) return i;
    }
  }
  fail(key, QStringLiteral("must be one of \"%1\"").arg(choices.join(QStringLiteral("\", \""))));
}

void Fields::rejectUnknown() const {
  for (auto it = object_.begin(); it != object_.end(); ++it) {
    if (!asked_.contains(it.key())) {
      throw LayoutError(QStringLiteral("%1: unknown key %2").arg(who_, Quoted(it.key())));
    }
  }
}

std::optional<std::int32_t> ParseColor(const QJsonValue& value) {
  std::uint32_t bits = 0;
  if (value.isDouble()) {
    const double v = value.toDouble();
    if (!IsWhole(v) || v > kMaxColorBits || v < std::numeric_limits<std::int32_t>::min()) return std::nullopt;
    bits = v < 0 ? static_cast<std::uint32_t>(static_cast<std::int32_t>(v)) : static_cast<std::uint32_t>(v);
  } else if (value.isString()) {
    QString text = value.toString().trimmed();
    if (!text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive)) return std::nullopt;
    bool ok = false;
    bits = text.mid(2).toUInt(&ok, kHexBase);
    if (!ok || text.size() <= 2) return std::nullopt;
  } else {
    return std::nullopt;
  }
  if (!IsColorBits(bits)) return std::nullopt;
  return static_cast<std::int32_t>(bits);
}

FontDesc ReadFont(const QJsonObject& object, const QString& who) {
  const Fields f(object, who);
  FontDesc d;
  d.name = f.string(QStringLiteral("name"));
  if (d.name.trimmed().isEmpty()) f.fail(QStringLiteral("name"), QStringLiteral("must not be empty"));
  d.size = f.number(QStringLiteral("size"));
  if (!(d.size > 0)) f.fail(QStringLiteral("size"), QStringLiteral("must be a positive number"));
  d.weight = f.optionalWhole(QStringLiteral("weight"), kMinFontWeight, kMaxFontWeight).value_or(d.weight);
  d.italic = f.boolean(QStringLiteral("italic"), false);
  d.underline = f.boolean(QStringLiteral("underline"), false);
  d.strikeout = f.boolean(QStringLiteral("strikeout"), false);
  d.charset = f.optionalWhole(QStringLiteral("charset"), 0, kMaxCharset).value_or(0);
  f.rejectUnknown();
  return d;
}

host::Picture ReadPicture(const QJsonObject& object, const QString& who) {
  const Fields f(object, who);
  const QString path = f.string(QStringLiteral("picture"));
  const int type = f.choice(QStringLiteral("type"), {QStringLiteral("bitmap"), QStringLiteral("icon")}, 0);
  f.rejectUnknown();
  if (path.isEmpty()) return {};
  // A missing resource is not the layout's fault: the control simply shows no picture.
  return host::Picture::load(path, type == 1 ? PictureType::Icon : PictureType::Bitmap);
}

PropertyBag ReadPropertyBag(const QJsonObject& object, const QString& who) {
  PropertyBag bag;
  QSet<QString> seen;
  for (auto it = object.begin(); it != object.end(); ++it) {
    const QString& key = it.key();
    const QString what = QStringLiteral("%1: property \"%2\"").arg(who, key);
    auto fail = [&](const QString& msg) { throw LayoutError(what + QLatin1Char(' ') + msg); };
    if (key.isEmpty()) fail(QStringLiteral("has an empty key"));
    if (seen.contains(key.toLower())) fail(QStringLiteral("is stored twice (keys ignore case)"));
    seen.insert(key.toLower());

    const QJsonValue v = it.value();
    if (v.isBool()) {
      bag.Write(key, v.toBool());
    } else if (v.isString()) {
      bag.Write(key, v.toString());
    } else if (v.isDouble()) {
      const double d = v.toDouble();
      if (!IsWhole(d) || d < std::numeric_limits<std::int32_t>::min() ||
          d > std::numeric_limits<std::int32_t>::max()) {
        fail(QStringLiteral("must be a whole number in the 32-bit range"));
      }
      bag.Write(key, static_cast<std::int32_t>(d));
    } else if (v.isObject() && v.toObject().contains(QStringLiteral("font"))) {
      const QJsonObject o = v.toObject();
      if (o.size() != 1 || !o.value(QStringLiteral("font")).isObject()) {
        fail(QStringLiteral("must be {\"font\": {...}}"));
      }
      bag.Write(key, ReadFont(o.value(QStringLiteral("font")).toObject(), what));
    } else if (v.isObject() && v.toObject().contains(QStringLiteral("picture"))) {
      bag.Write(key, ReadPicture(v.toObject(), what));
    } else {
      fail(QStringLiteral("must be a number, true/false, a string, a font or a picture"));
    }
  }
  return bag;
}

}  // namespace kelvane::host::layout
