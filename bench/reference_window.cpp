// The yardstick for idle cost and start-up: the leanest Qt 6 Widgets window doing Kelvane's job.
// Same client size and fonts, four figure texts and a bar from /proc/meminfo every 100 ms, labels
// sized to their text before the window shows, and pending events run once per tick.
// With --same-content it also shows what Kelvane's window shows besides: the banner's icon, the
// group and its four captions, the two buttons (End with its picture) and the outline.
#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
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
  const bool sameContent = app.arguments().contains(QStringLiteral("--same-content"));
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
  // The figures and the bar sit in the group when there is one, at the same place in the window.
  QWidget* figures = &window;
  QPoint origin;
  if (sameContent) {
    auto* outline = new QFrame(&window);
    outline->setFrameShape(QFrame::Box);
    outline->setGeometry(0, 46, 358, 221);
    auto* icon = new QLabel(&window);
    icon->setPixmap(QPixmap(QStringLiteral(":/app/kelvane32.png"), "PNG"));
    icon->setGeometry(13, 5, 32, 32);
    auto* group = new QGroupBox(QStringLiteral("Physical Memory"), &window);
    group->setGeometry(18, 54, 323, 134);
    figures = group;
    origin = group->pos();
    const char* captions[] = {"Total :", "Used :", "Free :", "Free Memory In Percent"};
    for (int i = 0; i < 4; ++i) {
      auto* caption = new QLabel(QString::fromLatin1(captions[i]), group);
      caption->move(9, 28 + 19 * i);
      caption->adjustSize();
    }
    auto* optimize = new QPushButton(QStringLiteral("Optimize"), &window);
    optimize->setGeometry(19, 199, 93, 26);
    auto* end = new QPushButton(QIcon(QPixmap(QStringLiteral(":/app/end16.png"), "PNG")),
                                QStringLiteral("End"), &window);
    end->setGeometry(274, 274, 76, 26);
    QObject::connect(end, &QPushButton::clicked, &app, &QApplication::quit);
  }
  QLabel* labels[4];
  for (int i = 0; i < 4; ++i) {
    // Kelvane's window shows the per cent beside the bar, the plain window under the other figures.
    const QPoint at = sameContent && i == 3 ? QPoint(293, 165) : QPoint(71, 82 + 19 * i);
    labels[i] = new QLabel(figures);
    labels[i]->setGeometry(QRect(at - origin, QSize(200, 16)));
  }
  auto* bar = new QProgressBar(figures);
  bar->setGeometry(QRect(28, 165, 260, 12).translated(-origin));
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
