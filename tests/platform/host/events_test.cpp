#include "platform/host/events.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace kelvane::host {
namespace {

TEST(Event, HandlersRunInOrderChangeReferenceArgumentsAndCanBeDisconnected) {
  Event<int&> e;
  std::string order;
  e.connect([&](int& v) { order += "a" + std::to_string(v++); });
  const auto b = e.connect([&](int& v) { order += "b" + std::to_string(v++); });
  int v = 1;
  EXPECT_TRUE(e.raise(v));
  e.disconnect(b);
  e.raise(v);
  EXPECT_EQ(order, "a1b2a3");
  e.disconnectAll();
  EXPECT_FALSE(e.hasHandlers());
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
}

}  // namespace
}  // namespace kelvane::host
