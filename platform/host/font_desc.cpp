#include "platform/host/font_desc.h"

#include <QGuiApplication>

#include <algorithm>

namespace kelvane::host {

namespace {
constexpr int kMinWeight = 1;  // QFont's accepted weight range
constexpr int kMaxWeight = 1000;
constexpr double kPointsPerPixel = 72.0 / 96.0;
}  // namespace

QString ApplicationFontFamily() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return QGuiApplication::font().family();
  return QStringLiteral("Sans Serif");
}

QFont FontDesc::toQFont() const {
  QFont f(name);
  if (size > 0) f.setPointSizeF(size);
  // The stored weight uses the same 100..900 scale as QFont::Weight.
  f.setWeight(static_cast<QFont::Weight>(std::clamp(weight, kMinWeight, kMaxWeight)));
  f.setItalic(italic);
  f.setUnderline(underline);
  f.setStrikeOut(strikeout);
  return f;
}

FontDesc FontDesc::fromQFont(const QFont& f, int charset) {
  FontDesc d;
  d.name = f.family();
  d.size = f.pointSizeF() > 0 ? f.pointSizeF() : f.pixelSize() * kPointsPerPixel;
  d.weight = static_cast<int>(f.weight());
  d.italic = f.italic();
  d.underline = f.underline();
  d.strikeout = f.strikeOut();
  d.charset = charset;
  return d;
}

}  // namespace kelvane::host
