#include "app/start_failure.h"

#include <gtest/gtest.h>

namespace kelvane::app {
namespace {

// What Qt 6 says when it cannot bring up a platform, in the order it says it.
const QString kGaveUp = QStringLiteral(
    "This application failed to start because no Qt platform plugin could be initialized. Reinstalling the "
    "application may fix this problem.\n\nAvailable platform plugins are: eglfs, offscreen, wayland, xcb.");
QStringList CouldNotLoad(const char* plugin, const char* before) {
  return {QString::fromUtf8(before),
          QStringLiteral("Could not load the Qt platform plugin \"%1\" in \"\" even though it was found.")
              .arg(QString::fromUtf8(plugin)),
          kGaveUp};
}

struct FailureCase {
  const char* name;
  QStringList said;
  DisplayRequest request;
  const char* line;
};
class StartFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(StartFailure, OneLineNamesTheProblem) {
  EXPECT_EQ(StartFailureLine(GetParam().said, GetParam().request), QString::fromUtf8(GetParam().line));
}

INSTANTIATE_TEST_SUITE_P(
    Qt, StartFailure,
    ::testing::Values(
        FailureCase{"NothingSet",
                    CouldNotLoad("xcb", "could not connect to display "),
                    {},
                    "kelvane: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not set)"},
        FailureCase{"XDisplayDown",
                    CouldNotLoad("xcb", "could not connect to display :99"),
                    {{}, ":99", {}},
                    "kelvane: cannot open display ':99'"},
        // -display wins over DISPLAY, as it does for Qt.
        FailureCase{
            "DisplayOption", CouldNotLoad("xcb", ""), {":7", ":99", {}}, "kelvane: cannot open display ':7'"},
        FailureCase{"X11AskedOnWayland",
                    CouldNotLoad("xcb", ""),
                    {{}, {}, "wayland-1"},
                    "kelvane: cannot open an X display (DISPLAY is not set)"},
        FailureCase{"WaylandDown",
                    CouldNotLoad("wayland", "Failed to create wl_display"),
                    {{}, {}, "wayland-5"},
                    "kelvane: cannot connect to the Wayland display 'wayland-5'"},
        FailureCase{"WaylandDefaultSocket",
                    CouldNotLoad("wayland-egl", ""),
                    {},
                    "kelvane: cannot connect to the Wayland display 'wayland-0'"},
        FailureCase{"UnknownPlatform",
                    {QStringLiteral("Could not find the Qt platform plugin \"bogus\" in \"\""), kGaveUp},
                    {},
                    "kelvane: unknown display platform 'bogus' (available: eglfs, offscreen, wayland, xcb)"},
        FailureCase{"OtherPlugin",
                    CouldNotLoad("eglfs", ""),
                    {},
                    "kelvane: cannot start the display platform 'eglfs'"},
        FailureCase{
            "NothingToGoOn", {QStringLiteral("out of memory")}, {}, "kelvane: cannot open a display"}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace kelvane::app
