#include "app/single_instance.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <cstring>

namespace kelvane::app {
namespace {

constexpr int kAnswerMs = 5000;      // a Kelvane that takes longer is taken as hung
constexpr int kRequestLimit = 4096;  // "show " and a token
constexpr const char kShow[] = "show";

bool FillAddress(const QString& path, sockaddr_un& address) {
  const QByteArray name = QFile::encodeName(path);
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (name.isEmpty() || static_cast<std::size_t>(name.size()) >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, name.constData(), name.size());
  return true;
}

int Connect(const QString& path) {
  sockaddr_un address;
  if (!FillAddress(path, address)) return -1;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// Another user's process cannot reach a 0700 runtime folder; this guards a folder made looser.
bool SameUser(int fd) {
  ucred peer{};
  socklen_t length = sizeof peer;
  return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 && peer.uid == ::getuid();
}

// One request per connection: "show[ token]\n", answered with "ok\n" once the window is shown.
class Request final : public QObject {
 public:
  Request(int fd, const PanelInstanceServer::ShowHandler& show, QObject* parent)
      : QObject(parent), fd_(fd), show_(show), notifier_(fd, QSocketNotifier::Read, this) {
    connect(&notifier_, &QSocketNotifier::activated, this, [this] { Read(); });
    QTimer::singleShot(kAnswerMs, this, [this] { deleteLater(); });
  }
  ~Request() override { ::close(fd_); }

 private:
  void Read() {
    char buffer[512];
    const ssize_t n = ::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
    if (n <= 0 || data_.size() + n > kRequestLimit) return Finish();
    data_.append(buffer, n);
    if (data_.contains('\n')) Finish();
  }

  void Finish() {
    notifier_.setEnabled(false);
    const QByteArray line = data_.left(data_.indexOf('\n'));
    if (data_.contains('\n') && (line == kShow || line.startsWith(QByteArray(kShow) + ' '))) {
      show_(line.mid(sizeof kShow).trimmed());
      (void)::send(fd_, "ok\n", 3, MSG_NOSIGNAL | MSG_DONTWAIT);
    }
    deleteLater();
  }

  int fd_;
  PanelInstanceServer::ShowHandler show_;
  QSocketNotifier notifier_;
  QByteArray data_;
};

}  // namespace

QString PanelSocketPath() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (runtime.isEmpty() || !QDir::isAbsolutePath(runtime)) return {};
  return runtime + QStringLiteral("/kelvane/panel");
}

QByteArray ActivationToken() {
  QByteArray token = qgetenv("XDG_ACTIVATION_TOKEN");
  if (token.isEmpty()) token = qgetenv("DESKTOP_STARTUP_ID");
  // The token travels on one line.
  return token.contains('\n') ? QByteArray() : token;
}

bool AskPanelKelvaneToShow(const QString& path, const QByteArray& token) {
  struct stat info;
  if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISSOCK(info.st_mode)) {
    return false;
  }
  const int fd = Connect(path);
  if (fd < 0) return false;
  QByteArray request(kShow);
  if (!token.isEmpty()) request += ' ' + token;
  request += '\n';
  bool answered = ::send(fd, request.constData(), request.size(), MSG_NOSIGNAL) == request.size();
  if (answered) {
    pollfd wait{fd, POLLIN, 0};
    char reply[3] = {};
    answered = ::poll(&wait, 1, kAnswerMs) == 1 && ::recv(fd, reply, sizeof reply, 0) == 3 &&
               std::memcmp(reply, "ok\n", 3) == 0;
  }
  ::close(fd);
  return answered;
}

std::optional<int> HandOverToPanelKelvane() {
  if (AskPanelKelvaneToShow(PanelSocketPath(), ActivationToken())) return 0;
  return std::nullopt;
}

PanelInstanceServer::PanelInstanceServer(ShowHandler show, QObject* parent)
    : QObject(parent), show_(std::move(show)) {}

PanelInstanceServer::~PanelInstanceServer() {
  if (fd_ < 0) return;
  ::close(fd_);
  ::unlink(QFile::encodeName(path_).constData());
}

bool PanelInstanceServer::Listen(const QString& path) {
  sockaddr_un address;
  if (!FillAddress(path, address)) return false;
  const QString folder = path.left(path.lastIndexOf(u'/'));
  if (::mkdir(QFile::encodeName(folder).constData(), 0700) != 0 && errno != EEXIST) return false;
  const int live = Connect(path);
  if (live >= 0) {
    ::close(live);
    return false;
  }
  // Nobody answers: a socket left by a Kelvane that died.
  ::unlink(address.sun_path);
  fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd_ < 0) return false;
  if (::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(fd_, 8) != 0) {
    ::close(fd_);
    fd_ = -1;
    return false;
  }
  path_ = path;
  notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] { Accept(); });
  return true;
}

void PanelInstanceServer::Accept() {
  for (;;) {
    const int client = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (client < 0) return;
    if (!SameUser(client)) {
      ::close(client);
      continue;
    }
    new Request(client, show_, this);
  }
}

}  // namespace kelvane::app
