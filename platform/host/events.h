#pragma once
// Events a control raises to its container. Arguments are passed as declared, so an event declared
// with references (Event<int&, int&>) lets a handler change the values the control then acts on.
#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace kelvane::host {

template <typename... Args>
class Event {
 public:
  using Handler = std::function<void(Args...)>;
  using Id = int;

  Event() = default;
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;
  ~Event() { state_->alive = false; }

  Id connect(Handler h) {
    const Id id = ++state_->lastId;
    state_->handlers.emplace_back(id, std::move(h));
    return id;
  }
  void disconnect(Id id) {
    auto& hs = state_->handlers;
    hs.erase(std::remove_if(hs.begin(), hs.end(), [id](const auto& e) { return e.first == id; }), hs.end());
  }
  void disconnectAll() { state_->handlers.clear(); }
  bool hasHandlers() const { return !state_->handlers.empty(); }

  // Calls every handler connected when the emission starts. Returns false when a handler destroyed
  // the event (and so the control that owns it): the caller must then return at once.
  bool raise(Args... args) const {
    const std::shared_ptr<State> state = state_;  // outlives the event if a handler destroys it
    const std::vector<Entry> snapshot = state->handlers;
    for (const Entry& e : snapshot) {
      if (!state->alive) return false;
      if (!state->isConnected(e.first)) continue;  // disconnected by an earlier handler
      e.second(std::forward<Args>(args)...);
    }
    return state->alive;
  }

 private:
  using Entry = std::pair<Id, Handler>;
  struct State {
    std::vector<Entry> handlers;
    Id lastId = 0;
    bool alive = true;
    bool isConnected(Id id) const {
      return std::any_of(handlers.begin(), handlers.end(), [id](const Entry& e) { return e.first == id; });
    }
  };
  std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace kelvane::host
