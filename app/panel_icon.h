#pragma once
// The panel item's picture: a memory module whose body fills from the left with the free share, drawn
// pixel by pixel for each size a panel asks for, so nothing is scaled and a 16 px icon stays sharp.
#include <QIcon>
#include <QImage>
#include <QRgb>
#include <array>

namespace kelvane::app {

// Panel icon sizes in logical pixels, each drawn at scale 1 and 2: the device sizes below.
inline constexpr std::array<int, 4> kPanelIconSides{16, 22, 24, 32};
inline constexpr std::array<int, 7> kPanelIconDeviceSides{16, 22, 24, 32, 44, 48, 64};

// Opaque everywhere it draws, so it reads the same on a light and on a dark panel: a dark outline
// shows on light panels, the light body and the gold contacts on dark ones.
inline constexpr QRgb kPanelOutline = 0xff2b2b2b;
inline constexpr QRgb kPanelEmpty = 0xffe4e4e4;
inline constexpr QRgb kPanelPlenty = 0xff2e9d4f;  // the window icon's green
inline constexpr QRgb kPanelLow = 0xffe8a317;
inline constexpr QRgb kPanelCritical = 0xffd93a2b;
inline constexpr QRgb kPanelContacts = 0xffd4a72c;
inline constexpr int kLowPercent = 25;       // below this the fill turns amber
inline constexpr int kCriticalPercent = 10;  // below this, red

// Where one size's parts go, in device pixels.
struct PanelIconGeometry {
  int side;
  int border;  // outline width
  int bodyLeft, bodyTop, bodyWidth, bodyHeight;
  int contactsTop, contactsHeight;
  int innerWidth() const { return bodyWidth - 2 * border; }
};
PanelIconGeometry PanelIconLayout(int side);

// Columns of the body's inside filled for `percent` (clamped to 0..100): rounded, but a share
// above 0 never shows empty and one below 100 never shows full.
int PanelFillColumns(int innerWidth, int percent);
QRgb PanelFillColour(int percent);

// One size, `side` device pixels square.
QImage DrawPanelIcon(int side, int percent);
// Every device size, drawn when a size is asked for.
QIcon PanelIcon(int percent);

// What the icon draws for `percent`: equal keys draw the same pictures at every size.
struct PanelIconKey {
  std::array<int, kPanelIconDeviceSides.size()> columns{};
  QRgb colour = 0;
  friend bool operator==(const PanelIconKey&, const PanelIconKey&) = default;
};
PanelIconKey PanelIconKeyFor(int percent);

}  // namespace kelvane::app
