// The yardstick for idle cost and start-up: the leanest Qt 6 Widgets window doing Kelvane's job.
// Same client size and fonts, four figure texts and a bar from /proc/meminfo every 100 ms, labels
// sized to their text before the window shows, and pending events run once per tick.
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace {

long long MeminfoKb(const char* text, const char* key) {
  const char* at = std::strstr(text, key);
  return at ? std::atoll(at + std::strlen(key)) : 0;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Reference"));
  window.setFixedSize(359, 305);
  QFont verdana(QStringLiteral("Verdana"));
  verdana.setPointSizeF(8.25);
  window.setFont(verdana);
  auto* title = new QLabel(QStringLiteral("Kelvane"), &window);
  QFont arial(QStringLiteral("Arial"), 18);
  arial.setBold(true);
  title->setFont(arial);
  title->move(49, 5);
  title->adjustSize();
  QLabel* labels[4];
  for (int i = 0; i < 4; ++i) {
    labels[i] = new QLabel(&window);
    labels[i]->setGeometry(71, 82 + 19 * i, 200, 16);
  }
  auto* bar = new QProgressBar(&window);
  bar->setGeometry(28, 165, 260, 12);
  bar->setTextVisible(false);

  const int fd = ::open("/proc/meminfo", O_RDONLY | O_CLOEXEC);
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    QCoreApplication::processEvents();
    char text[4096];
    const ssize_t n = ::pread(fd, text, sizeof text - 1, 0);
    if (n <= 0) return;
    text[n] = 0;
    const double total = MeminfoKb(text, "MemTotal:") * 1024.0 / 1044032.0;
    const double avail = MeminfoKb(text, "MemAvailable:") * 1024.0 / 1044032.0;
    labels[0]->setText(QString::number(total, 'f', 3) + QStringLiteral(" MB"));
    labels[1]->setText(QString::number(total - avail, 'f', 3) + QStringLiteral(" Mb"));
    labels[2]->setText(QString::number(avail, 'f', 2) + QStringLiteral(" MB"));
    const int percent = total > 0 ? static_cast<int>(avail / total * 100) : 0;
    labels[3]->setText(QString::number(percent) + QStringLiteral(" %"));
    bar->setValue(percent);
  });
  timer.start(100);
  for (QLabel* l : labels) {
    l->setText(QStringLiteral("00000.000 MB"));
    l->adjustSize();
  }
  window.show();
  return QApplication::exec();
}
