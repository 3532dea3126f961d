#include "app/platform_env.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <optional>
#include <utility>
#include <vector>

namespace kelvane::app {
namespace {

struct DecisionCase {
  const char* name;
  WaylandEnvironment env;
  bool compositorDrawsFrames;
  bool turnOff;
  bool asksCompositor;
};

class FramesDecision : public ::testing::TestWithParam<DecisionCase> {};

TEST_P(FramesDecision, TurnsFramesOffOnlyWhereNothingElseDecides) {
  const DecisionCase& c = GetParam();
  int asked = 0;
  const bool turnOff = ShouldTurnOffClientFrames(c.env, [&] {
    ++asked;
    return c.compositorDrawsFrames;
  });
  EXPECT_EQ(turnOff, c.turnOff);
  EXPECT_EQ(asked, c.asksCompositor ? 1 : 0);
}

constexpr WaylandEnvironment kPlain{.mayUseWayland = true};
constexpr WaylandEnvironment kNoWayland{};
constexpr WaylandEnvironment kSocket{.mayUseWayland = true, .socketHandedOver = true};
constexpr WaylandEnvironment kIntegration{.mayUseWayland = true, .bufferIntegrationChosen = true};
constexpr WaylandEnvironment kDecoration{.mayUseWayland = true, .decorationChosen = true};

INSTANTIATE_TEST_SUITE_P(Table, FramesDecision,
                         ::testing::Values(DecisionCase{"ServerSideFrames", kPlain, true, true, true},
                                           DecisionCase{"ClientSideFrames", kPlain, false, false, true},
                                           DecisionCase{"NotWayland", kNoWayland, true, false, false},
                                           DecisionCase{"HandedSocket", kSocket, true, false, false},
                                           DecisionCase{"UserIntegration", kIntegration, true, false, false},
                                           DecisionCase{"UserDecoration", kDecoration, true, false, false}),
                         [](const auto& test) { return std::string(test.param.name); });

// Sets the variables for one case (nullopt: unset) and puts back what was there before.
class ScopedEnv {
 public:
  explicit ScopedEnv(std::vector<std::pair<const char*, std::optional<QByteArray>>> vars) {
    for (const auto& [name, value] : vars) {
      saved_.emplace_back(name,
                          qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
      Apply(name, value);
    }
  }
  ~ScopedEnv() {
    for (const auto& [name, value] : saved_) Apply(name, value);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  static void Apply(const char* name, const std::optional<QByteArray>& value) {
    if (value)
      qputenv(name, *value);
    else
      qunsetenv(name);
  }
  std::vector<std::pair<const char*, std::optional<QByteArray>>> saved_;
};

struct EnvCase {
  const char* name;
  const char* display;
  const char* runtimeDir;
  const char* platform;
  bool mayUseWayland;
};

class ReadEnv : public ::testing::TestWithParam<EnvCase> {};

TEST_P(ReadEnv, WaylandOnlyWhereQtWouldReachIt) {
  const EnvCase& c = GetParam();
  const auto opt = [](const char* v) { return v ? std::optional(QByteArray(v)) : std::nullopt; };
  ScopedEnv env({{"WAYLAND_DISPLAY", opt(c.display)},
                 {"XDG_RUNTIME_DIR", opt(c.runtimeDir)},
                 {"QT_QPA_PLATFORM", opt(c.platform)}});
  EXPECT_EQ(ReadWaylandEnvironment().mayUseWayland, c.mayUseWayland);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReadEnv,
    ::testing::Values(EnvCase{"DefaultPlatform", "wayland-0", "/run/user/1", nullptr, true},
                      EnvCase{"WaylandPlatform", "wayland-0", "/run/user/1", "wayland", true},
                      EnvCase{"WaylandFirst", "wayland-0", "/run/user/1", "wayland;xcb", true},
                      EnvCase{"EglPlugin", "wayland-0", "/run/user/1", "wayland-egl", true},
                      EnvCase{"XcbFirst", "wayland-0", "/run/user/1", "xcb;wayland", false},
                      EnvCase{"Offscreen", "wayland-0", "/run/user/1", "offscreen", false},
                      EnvCase{"NoDisplay", nullptr, "/run/user/1", "wayland", false},
                      EnvCase{"EmptyDisplay", "", "/run/user/1", nullptr, false},
                      EnvCase{"NoRuntimeDir", "wayland-0", nullptr, nullptr, false},
                      EnvCase{"AbsoluteSocket", "/tmp/w/wayland-0", nullptr, nullptr, true}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(ReadEnv, UserChoicesCountWhenSetEvenIfEmpty) {
  const std::optional<QByteArray> unset;
  for (const char* decoration : {"QT_WAYLAND_DISABLE_WINDOWDECORATION", "QT_WAYLAND_DECORATION"}) {
    ScopedEnv env({{"WAYLAND_SOCKET", QByteArray("5")},
                   {"QT_WAYLAND_CLIENT_BUFFER_INTEGRATION", QByteArray("")},
                   {"QT_WAYLAND_DISABLE_WINDOWDECORATION", unset},
                   {"QT_WAYLAND_DECORATION", unset},
                   {decoration, QByteArray("0")}});
    const WaylandEnvironment read = ReadWaylandEnvironment();
    EXPECT_TRUE(read.socketHandedOver);
    EXPECT_TRUE(read.bufferIntegrationChosen);
    EXPECT_TRUE(read.decorationChosen) << decoration;
  }
}

}  // namespace
}  // namespace kelvane::app
