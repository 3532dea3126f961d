// Start-up as a user sees it: from exec to the first painted frame of the program's window.
// Usage: window_start <runs> <command A> [<command B>] — with two commands, runs alternate A, B, A, B...
// Prints each run and the median per command, in milliseconds, with the minor page faults the program
// had taken when its frame was seen (each one fresh memory touched, a trip into the kernel). Needs an
// X server with no window manager (the window is then a child of the root window) and nothing else
// mapping windows.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kTimeout = std::chrono::seconds(20);
constexpr auto kPollStep = std::chrono::microseconds(250);

struct Free {
  void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, Free>;

pid_t Spawn(const std::string& command) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::execl("/bin/sh", "sh", "-c", ("exec " + command).c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  return pid;
}

void Stop(pid_t pid) {
  ::kill(pid, SIGTERM);
  int status = 0;
  ::waitpid(pid, &status, 0);
}

// The window that was mapped on the root, or 0 when time ran out.
xcb_window_t WaitForMap(xcb_connection_t* c, Clock::time_point deadline) {
  while (Clock::now() < deadline) {
    Reply<xcb_generic_event_t> e(xcb_poll_for_event(c));
    if (!e) {
      if (xcb_connection_has_error(c)) return 0;
      std::this_thread::sleep_for(kPollStep);
      continue;
    }
    if ((e->response_type & 0x7f) == XCB_MAP_NOTIFY) {
      const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(e.get());
      if (!map->override_redirect) return map->window;
    }
  }
  return 0;
}

// Painted means more than one colour: an unpainted window shows the plain root behind it.
bool Painted(xcb_connection_t* c, xcb_window_t w) {
  Reply<xcb_get_geometry_reply_t> g(xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr));
  if (!g || g->width == 0 || g->height == 0) return false;
  Reply<xcb_get_image_reply_t> img(xcb_get_image_reply(
      c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, w, 0, 0, g->width, g->height, ~0u), nullptr));
  if (!img) return false;
  const auto* px = reinterpret_cast<const std::uint32_t*>(xcb_get_image_data(img.get()));
  const int n = xcb_get_image_data_length(img.get()) / 4;
  return std::any_of(px, px + n, [&](std::uint32_t p) { return (p & 0xffffff) != (px[0] & 0xffffff); });
}

// The minor page faults a running process has taken, or -1 when they cannot be read.
long MinorFaults(pid_t pid) {
  std::FILE* f = std::fopen(("/proc/" + std::to_string(pid) + "/stat").c_str(), "r");
  if (!f) return -1;
  char text[1024] = {};
  const std::size_t n = std::fread(text, 1, sizeof text - 1, f);
  std::fclose(f);
  // The command name may hold spaces and brackets: the fields that follow start after its last ')'.
  const char* rest = std::strrchr(text, ')');
  long faults = -1;
  if (n == 0 || !rest || std::sscanf(rest + 1, " %*c %*d %*d %*d %*d %*d %*u %ld", &faults) != 1) return -1;
  return faults;
}

struct Start {
  double ms = -1;  // negative on failure
  long minorFaults = -1;
};

// From exec to the first painted frame.
Start TimeOneStart(xcb_connection_t* c, const std::string& command) {
  const auto start = Clock::now();
  const auto deadline = start + kTimeout;
  const pid_t pid = Spawn(command);
  const xcb_window_t w = WaitForMap(c, deadline);
  Start result;
  while (w != 0 && Clock::now() < deadline) {
    if (Painted(c, w)) {
      result.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
      result.minorFaults = MinorFaults(pid);
      break;
    }
    std::this_thread::sleep_for(kPollStep);
  }
  Stop(pid);
  // Drop the unmap and destroy events of this run.
  while (Reply<xcb_generic_event_t>(xcb_poll_for_event(c))) {
  }
  return result;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <runs> <command A> [<command B>]\n", argv[0]);
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  std::vector<std::string> commands(argv + 2, argv + argc);
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(c)) {
    std::fprintf(stderr, "cannot connect to the X server\n");
    return 1;
  }
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(c);

  std::vector<std::vector<double>> times(commands.size());
  std::vector<std::vector<double>> faults(commands.size());
  for (int run = 0; run < runs; ++run) {
    for (std::size_t i = 0; i < commands.size(); ++i) {
      const Start one = TimeOneStart(c, commands[i]);
      if (one.ms < 0) {
        std::fprintf(stderr, "%s: no painted window within %lld s\n", commands[i].c_str(),
                     static_cast<long long>(kTimeout.count()));
        return 1;
      }
      times[i].push_back(one.ms);
      faults[i].push_back(static_cast<double>(one.minorFaults));
      std::printf("run %2d  %-40s %7.1f ms %6ld faults\n", run + 1, commands[i].c_str(), one.ms,
                  one.minorFaults);
    }
  }
  for (std::size_t i = 0; i < commands.size(); ++i) {
    std::printf("median  %-40s %7.1f ms %6.0f faults\n", commands[i].c_str(), Median(times[i]),
                Median(faults[i]));
  }
  if (commands.size() == 2) std::printf("ratio   %.2f\n", Median(times[0]) / Median(times[1]));
  xcb_disconnect(c);
  return 0;
}
