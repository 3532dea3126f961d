#include "platform/host/events.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace kelvane::host {
namespace {

TEST(Event, HandlersCanChangeArgumentsPassedByReference) {
  Event<int&, float&> mouseDown;
  mouseDown.connect([](int& button, float& x) {
    button = 2;
    x = 0;
  });
  int button = 1;
  float x = 30;
  EXPECT_TRUE(mouseDown.raise(button, x));
  EXPECT_EQ(button, 2);
  EXPECT_EQ(x, 0.0f);
}

TEST(Event, HandlersRunInConnectionOrderAndCanBeDisconnected) {
  Event<> click;
  std::string order;
  click.connect([&] { order += "a"; });
  const auto b = click.connect([&] { order += "b"; });
  click.raise();
  click.disconnect(b);
  click.raise();
  EXPECT_EQ(order, "aba");
  EXPECT_TRUE(click.hasHandlers());
  click.disconnectAll();
  EXPECT_FALSE(click.hasHandlers());
}

TEST(Event, HandlerDisconnectingALaterOneStopsIt) {
  Event<> e;
  bool laterRan = false;
  Event<>::Id later = 0;
  e.connect([&] { e.disconnect(later); });
  later = e.connect([&] { laterRan = true; });
  e.raise();
  EXPECT_FALSE(laterRan);
}

TEST(Event, HandlerDestroyingTheOwnerEndsTheEmission) {
  struct Owner {
    Event<int&> changed;
  };
  auto owner = std::make_unique<Owner>();
  bool secondRan = false;
  owner->changed.connect([&](int&) { owner.reset(); });
  owner->changed.connect([&](int&) { secondRan = true; });
  int v = 0;
  Event<int&>& ev = owner->changed;
  EXPECT_FALSE(ev.raise(v));  // the event is gone: the caller must return at once
  EXPECT_FALSE(secondRan);
  EXPECT_EQ(owner, nullptr);
}

}  // namespace
}  // namespace kelvane::host
