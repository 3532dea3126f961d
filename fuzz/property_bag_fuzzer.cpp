// The property store driven by a script of writes and typed reads: every read gives the value
// written (or its conversion) or raises a type mismatch or overflow naming the key.
#include <fuzzer/FuzzedDataProvider.h>

#include <QImage>
#include <charconv>
#include <cstdint>
#include <string>

#include "fuzz/check.h"
#include "platform/host/errors.h"
#include "platform/host/property_bag.h"

namespace {

using namespace kelvane::host;

// Few keys, so writes and reads meet; the case varies to test case-blind keys.
QString Key(FuzzedDataProvider& in) {
  static const char* const kKeys[] = {"btype", "TX", "Enab", "font", "picn", "x"};
  QString key = QString::fromLatin1(in.PickValueInArray(kKeys));
  if (in.ConsumeBool()) key = key.toUpper();
  return key;
}

Picture TinyPicture() {
  static const Picture picture = [] {
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    return Picture::fromBitmap(image);
  }();
  return picture;
}

PropertyValue Value(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 4)) {
    case 0: return in.ConsumeIntegral<std::int32_t>();
    case 1: return in.ConsumeBool();
    case 2: return QString::fromUtf8(in.ConsumeRandomLengthString(64));
    case 3: {
      FontDesc font;
      font.name = QString::fromUtf8(in.ConsumeRandomLengthString(16));
      font.size = in.ConsumeFloatingPoint<double>();
      font.weight = in.ConsumeIntegral<int>();
      font.italic = in.ConsumeBool();
      return font;
    }
    default: return in.ConsumeBool() ? TinyPicture() : Picture();
  }
}

bool IsAscii(const QString& s) {
  for (const QChar c : s) {
    if (c.unicode() > 0x7F) return false;
  }
  return true;
}

// A plain decimal text within int32, which must read as exactly that number.
std::optional<std::int32_t> PlainInt(const QString& text) {
  const std::string s = text.trimmed().toStdString();
  std::int32_t value = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (s.empty() || ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return value;
}

// Every typed read of `key`: a value, or an error the host's callers know, naming the key.
void ReadEveryWay(const PropertyBag& bag, const QString& key) {
  const PropertyValue defaults[] = {std::int32_t{0}, false, QString(), FontDesc{}, Picture()};
  for (const PropertyValue& def : defaults) {
    try {
      const PropertyValue read = bag.Read(key, def);
      FUZZ_CHECK(read.index() == def.index());
    } catch (const RuntimeError& e) {
      FUZZ_CHECK(e.number() == kErrTypeMismatch || e.number() == kErrOverflow);
      FUZZ_CHECK(Readable(e.what()));
      FUZZ_CHECK(std::string(e.what()).find("\"" + key.toStdString() + "\"") != std::string::npos);
    }
  }
}

void CheckStored(const PropertyBag& bag, const QString& key, const PropertyValue& value) {
  FUZZ_CHECK(bag.Read(key, value) == value);
  if (IsAscii(key)) FUZZ_CHECK(bag.Read(key.toLower(), value) == value);
  // Numbers and Booleans survive a trip through text.
  if (std::holds_alternative<std::int32_t>(value) || std::holds_alternative<bool>(value)) {
    PropertyBag text;
    text.Write(key, bag.ReadString(key, QString()));
    FUZZ_CHECK(text.Read(key, value) == value);
  }
  if (const auto* s = std::get_if<QString>(&value)) {
    if (const auto n = PlainInt(*s)) FUZZ_CHECK(bag.ReadInt(key, 0) == *n);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  PropertyBag bag;
  while (in.remaining_bytes() > 0) {
    const QString key = Key(in);
    switch (in.ConsumeIntegralInRange(0, 2)) {
      case 0: {
        const PropertyValue value = Value(in);
        bag.Write(key, value);
        const auto* picture = std::get_if<Picture>(&value);
        if (picture && picture->isNull()) {
          FUZZ_CHECK(!bag.contains(key));
        } else {
          CheckStored(bag, key, value);
        }
        break;
      }
      case 1: {
        const PropertyValue value = Value(in);
        const PropertyValue def = Value(in);
        bag.Write(key, value, def);
        // Whether or not it was kept, reading with the same default gives the value back (an empty
        // picture is never stored, so it reads as the default).
        const auto* picture = std::get_if<Picture>(&value);
        if (value.index() == def.index() && !(picture && picture->isNull())) {
          FUZZ_CHECK(bag.Read(key, def) == value);
        }
        break;
      }
      default: ReadEveryWay(bag, key);
    }
  }
  return 0;
}
