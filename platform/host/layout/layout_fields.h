#pragma once
// Typed reading of one JSON object of a layout, every failure phrased as
// `<who>: "<key>" <what is wrong>`. Keys nobody asked for count as mistakes.
#include <QJsonArray>
#include <QJsonObject>
#include <QSet>
#include <QString>
#include <cstdint>
#include <optional>

#include "platform/host/font_desc.h"
#include "platform/host/picture.h"
#include "platform/host/property_bag.h"

namespace kelvane::host::layout {

class Fields {
 public:
  Fields(QJsonObject object, QString who);

  const QString& who() const { return who_; }
  void setWho(QString who) { who_ = std::move(who); }
  bool has(const QString& key) const { return object_.contains(key); }

  double number(const QString& key) const;
  std::optional<double> optionalNumber(const QString& key) const;
  double nonNegative(const QString& key) const;
  int whole(const QString& key, int min, int max) const;
  std::optional<int> optionalWhole(const QString& key, int min, int max) const;
  QString string(const QString& key) const;
  std::optional<QString> optionalString(const QString& key) const;
  bool boolean(const QString& key, bool def) const;
  std::int32_t color(const QString& key, std::int32_t def) const;
  FontDesc font(const QString& key, const FontDesc& def) const;
  host::Picture picture(const QString& key) const;
  QJsonObject object(const QString& key) const;
  std::optional<QJsonObject> optionalObject(const QString& key) const;
  QJsonArray array(const QString& key) const;
  // One of `choices` (compared without case), as its position in the list.
  int choice(const QString& key, const QStringList& choices, int def) const;

  // Raises for the first key that no reader asked for.
  void rejectUnknown() const;
  [[noreturn]] void fail(const QString& key, const QString& what) const;

 private:
  QJsonValue take(const QString& key) const;  // Undefined when absent
  QJsonValue require(const QString& key) const;

  QJsonObject object_;
  QString who_;
  mutable QSet<QString> asked_;
};

// A font object {"name", "size", "weight", "italic", "underline", "strikeout", "charset"}.
FontDesc ReadFont(const QJsonObject& object, const QString& who);
// A picture object {"picture": path, "type": "icon" | "bitmap"}; an empty path or an unreadable
// resource gives the empty picture.
host::Picture ReadPicture(const QJsonObject& object, const QString& who);
// A user control's stored properties: numbers -> int32, true/false -> Boolean, strings,
// {"font": {...}} -> font, {"picture": ...} -> picture.
PropertyBag ReadPropertyBag(const QJsonObject& object, const QString& who);
// A colour as the layout writes it: a number or a "0x..." string, 0x00BBGGRR or 0x800000NN.
std::optional<std::int32_t> ParseColor(const QJsonValue& value);

}  // namespace kelvane::host::layout
