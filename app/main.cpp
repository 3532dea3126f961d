#include <QApplication>
#include <QMessageBox>

#include "app/form1.h"
#include "platform/host/layout/layout_error.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kelvane"));
  QApplication::setDesktopFileName(QStringLiteral("kelvane"));

  kelvane::mem::ProcMeminfoSource memory;
  kelvane::mem::PageBlockAllocator allocator;
  try {
    kelvane::app::Form1 form(memory, allocator);
    form.Show();
    return QApplication::exec();
  } catch (const kelvane::host::layout::LayoutError& e) {
    QMessageBox::critical(
        nullptr, QStringLiteral("Kelvane"),
        QStringLiteral("The window's stored layout is damaged:\n%1").arg(QString::fromUtf8(e.what())));
    return 1;
  }
}
