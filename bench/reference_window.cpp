// The yardstick for the idle footprint: a minimal Qt window that shows four memory figures and a
// stock progress bar refreshed from /proc/meminfo every 100 ms.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

namespace {

qint64 MeminfoKb(const QByteArray& text, const QByteArray& key) {
  const int at = text.indexOf(key);
  if (at < 0) return 0;
  return text.mid(at + key.size()).trimmed().split(' ').value(0).toLongLong();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Reference"));
  auto* layout = new QVBoxLayout(&window);
  QLabel* labels[4];
  for (QLabel*& l : labels) layout->addWidget(l = new QLabel(&window));
  auto* bar = new QProgressBar(&window);
  layout->addWidget(bar);

  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    QFile f(QStringLiteral("/proc/meminfo"));
    if (!f.open(QIODevice::ReadOnly)) return;
    const QByteArray text = f.readAll();
    const double total = MeminfoKb(text, "MemTotal:") / 1024.0;
    const double avail = MeminfoKb(text, "MemAvailable:") / 1024.0;
    labels[0]->setText(QString::number(total, 'f', 3) + " MB");
    labels[1]->setText(QString::number(total - avail, 'f', 3) + " Mb");
    labels[2]->setText(QString::number(avail, 'f', 2) + " MB");
    const int percent = total > 0 ? static_cast<int>(avail / total * 100) : 0;
    labels[3]->setText(QString::number(percent) + " %");
    bar->setValue(percent);
  });
  timer.start(100);
  window.resize(359, 305);
  window.show();
  return QApplication::exec();
}
