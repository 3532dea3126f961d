// Environment that Qt reads as it starts, settled before QApplication exists.
#pragma once

#include <functional>

namespace kelvane::app {

// What Kelvane can tell of the Wayland side of the environment without talking to anyone.
struct WaylandEnvironment {
  bool mayUseWayland = false;            // a compositor is named and Qt is not told to use another platform
  bool socketHandedOver = false;         // WAYLAND_SOCKET: a connection that can be taken only once
  bool bufferIntegrationChosen = false;  // QT_WAYLAND_CLIENT_BUFFER_INTEGRATION
  bool decorationChosen = false;         // QT_WAYLAND_DISABLE_WINDOWDECORATION or QT_WAYLAND_DECORATION
};

WaylandEnvironment ReadWaylandEnvironment();

// Qt 6.4 loads its EGL client-buffer stack (some 50 MB resident with Mesa) when the first window is
// shown, only to learn whether it may draw window frames; Kelvane draws no GL. Where the compositor
// draws frames itself, turning Qt's frames off avoids the load and changes nothing on screen; where
// the window needs a frame of its own, Qt keeps its default. A choice the user made wins either way.
// `compositorDrawsFrames` connects to the compositor, so it is asked only when the rest allows.
bool ShouldTurnOffClientFrames(const WaylandEnvironment& env,
                               const std::function<bool()>& compositorDrawsFrames);

// Whether the compositor offers server-side decorations (xdg-decoration), as Qt's xdg-shell asks for.
bool CompositorDrawsFrames();

// Call before QApplication: sets QT_WAYLAND_DISABLE_WINDOWDECORATION=1 when the above says so.
void SettleWaylandEnvironment();

}  // namespace kelvane::app
