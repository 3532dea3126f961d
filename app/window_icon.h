#pragma once
// Kelvane's icon at every size it is drawn at (tools/make_app_icons writes the resources and the
// desktop theme from one list), so the window manager and the theme pick the same picture.
#include <QIcon>
#include <QString>
#include <array>

namespace kelvane::app {

inline constexpr std::array<int, 8> kWindowIconSides{16, 22, 24, 32, 48, 64, 128, 256};

// The resource holding the icon drawn `side` pixels square, e.g. ":/app/kelvane32.png".
QString WindowIconResource(int side);

// Every size, each image its own; nothing is scaled from the 32 px one.
QIcon WindowIcon();

}  // namespace kelvane::app
