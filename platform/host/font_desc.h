#pragma once
// A stored font: the fields a saved layout keeps.
#include <QFont>
#include <QString>

namespace kelvane::host {

struct FontDesc {
  QString name = "MS Sans Serif";
  double size = 8.25;  // points
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  int charset = 0;

  QFont toQFont() const;
  static FontDesc fromQFont(const QFont& f, int charset = 0);
  friend bool operator==(const FontDesc&, const FontDesc&) = default;
};

}  // namespace kelvane::host
