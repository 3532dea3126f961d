#include "app/platform_env.h"

#include <wayland-client.h>

#include <QByteArrayList>
#include <cstdint>
#include <cstring>

namespace kelvane::app {

WaylandEnvironment ReadWaylandEnvironment() {
  WaylandEnvironment env;
  const QByteArray display = qgetenv("WAYLAND_DISPLAY");
  // A relative socket name with no runtime directory makes libwayland complain on stderr, and Qt
  // could not connect either.
  const bool displayReachable =
      !display.isEmpty() && (display.startsWith('/') || !qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"));
  // Qt tries the platforms of QT_QPA_PLATFORM in order; only the first one counts here.
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM").split(';').first().trimmed();
  env.mayUseWayland = displayReachable && (platform.isEmpty() || platform.startsWith("wayland"));
  env.socketHandedOver = qEnvironmentVariableIsSet("WAYLAND_SOCKET");
  env.bufferIntegrationChosen = qEnvironmentVariableIsSet("QT_WAYLAND_CLIENT_BUFFER_INTEGRATION");
  env.decorationChosen = qEnvironmentVariableIsSet("QT_WAYLAND_DISABLE_WINDOWDECORATION") ||
                         qEnvironmentVariableIsSet("QT_WAYLAND_DECORATION");
  return env;
}

bool ShouldTurnOffClientFrames(const WaylandEnvironment& env,
                               const std::function<bool()>& compositorDrawsFrames) {
  if (!env.mayUseWayland || env.socketHandedOver || env.bufferIntegrationChosen || env.decorationChosen)
    return false;
  return compositorDrawsFrames();
}

bool CompositorDrawsFrames() {
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) return false;
  bool offered = false;
  static const wl_registry_listener listener = {
      [](void* data, wl_registry*, std::uint32_t, const char* interface, std::uint32_t) {
        if (std::strcmp(interface, "zxdg_decoration_manager_v1") == 0) *static_cast<bool*>(data) = true;
      },
      [](void*, wl_registry*, std::uint32_t) {},
  };
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &listener, &offered);
  const bool answered = wl_display_roundtrip(display) >= 0;
  wl_registry_destroy(registry);
  wl_display_disconnect(display);
  return answered && offered;
}

void SettleWaylandEnvironment() {
  if (ShouldTurnOffClientFrames(ReadWaylandEnvironment(), CompositorDrawsFrames))
    qputenv("QT_WAYLAND_DISABLE_WINDOWDECORATION", "1");
}

}  // namespace kelvane::app
