#pragma once
// Kelvane's icon at every size it is drawn at (tools/make_app_icons draws the resources, which the
// desktop theme installs as they are), so the window manager and the theme pick the same picture.
#include <QIcon>
#include <QString>
#include <array>

class QWidget;

namespace kelvane::app {

inline constexpr std::array<int, 8> kWindowIconSides{16, 22, 24, 32, 48, 64, 128, 256};

// The resource holding the icon drawn `side` pixels square, e.g. ":/app/kelvane32.png".
QString WindowIconResource(int side);

// Every size, each image its own; nothing is scaled from the 32 px one.
QIcon WindowIcon();

// Gives a shown window its icon once the first frame is on screen (at the latest 200 ms after):
// decoding and sending every size takes milliseconds the first frame need not wait for. A window
// not yet shown gets it at once.
void SetWindowIconAfterFirstFrame(QWidget& window);

}  // namespace kelvane::app
