#include "app/platform_env.h"

#include <dlfcn.h>
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

namespace {

// libwayland-client is opened only where a compositor may be asked: on X11 the program starts
// without loading it (and libffi with it).
class WaylandClient {
 public:
  WaylandClient() : lib_(dlopen("libwayland-client.so.0", RTLD_LAZY | RTLD_LOCAL)) {
    if (!lib_) return;
    const bool all = Find(connect, "wl_display_connect") && Find(roundtrip, "wl_display_roundtrip") &&
                     Find(disconnect, "wl_display_disconnect") &&
                     Find(marshalFlags, "wl_proxy_marshal_flags") && Find(version, "wl_proxy_get_version") &&
                     Find(addListener, "wl_proxy_add_listener") && Find(destroy, "wl_proxy_destroy") &&
                     Find(registryInterface, "wl_registry_interface");
    if (!all) connect = nullptr;
  }
  ~WaylandClient() {
    if (lib_) dlclose(lib_);
  }
  WaylandClient(const WaylandClient&) = delete;
  WaylandClient& operator=(const WaylandClient&) = delete;

  bool usable() const { return connect != nullptr; }

  decltype(&wl_display_connect) connect = nullptr;
  decltype(&wl_display_roundtrip) roundtrip = nullptr;
  decltype(&wl_display_disconnect) disconnect = nullptr;
  decltype(&wl_proxy_marshal_flags) marshalFlags = nullptr;
  decltype(&wl_proxy_get_version) version = nullptr;
  decltype(&wl_proxy_add_listener) addListener = nullptr;
  decltype(&wl_proxy_destroy) destroy = nullptr;
  const wl_interface* registryInterface = nullptr;

 private:
  template <typename T>
  bool Find(T& out, const char* name) {
    out = reinterpret_cast<T>(dlsym(lib_, name));
    return out != nullptr;
  }

  void* lib_;
};

}  // namespace

bool CompositorDrawsFrames() {
  const WaylandClient wl;
  if (!wl.usable()) return false;
  wl_display* display = wl.connect(nullptr);
  if (display == nullptr) return false;
  bool offered = false;
  static const wl_registry_listener listener = {
      [](void* data, wl_registry*, std::uint32_t, const char* interface, std::uint32_t) {
        if (std::strcmp(interface, "zxdg_decoration_manager_v1") == 0) *static_cast<bool*>(data) = true;
      },
      [](void*, wl_registry*, std::uint32_t) {},
  };
  // What wl_display_get_registry and wl_registry_add_listener do inline.
  auto* displayProxy = reinterpret_cast<wl_proxy*>(display);
  wl_proxy* registry = wl.marshalFlags(displayProxy, WL_DISPLAY_GET_REGISTRY, wl.registryInterface,
                                       wl.version(displayProxy), 0, nullptr);
  bool answered = false;
  if (registry) {
    wl.addListener(registry, reinterpret_cast<void (**)(void)>(const_cast<wl_registry_listener*>(&listener)),
                   &offered);
    answered = wl.roundtrip(display) >= 0;
    wl.destroy(registry);
  }
  wl.disconnect(display);
  return answered && offered;
}

void SettleWaylandEnvironment() {
  if (ShouldTurnOffClientFrames(ReadWaylandEnvironment(), CompositorDrawsFrames))
    qputenv("QT_WAYLAND_DISABLE_WINDOWDECORATION", "1");
}

}  // namespace kelvane::app
