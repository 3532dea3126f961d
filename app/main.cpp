#include <QApplication>
#include <QMessageBox>
#include <cstdio>

#include "app/command_line.h"
#include "app/form1.h"
#include "app/platform_env.h"
#include "platform/host/layout/layout_error.h"

namespace {

void Print(std::FILE* stream, const QString& text) { std::fputs(text.toLocal8Bit().constData(), stream); }

}  // namespace

int main(int argc, char** argv) {
  using kelvane::app::CommandAction;
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  // Before QApplication: creating it without a display aborts, and --help must not need one.
  const kelvane::app::CommandLine command = kelvane::app::ParseCommandLine(arguments);
  switch (command.action) {
    case CommandAction::Help: Print(stdout, kelvane::app::HelpText()); return 0;
    case CommandAction::Version: std::printf("kelvane %s\n", KELVANE_VERSION); return 0;
    case CommandAction::Error:
      Print(stderr, QStringLiteral("kelvane: %1\n").arg(command.error) + kelvane::app::UsageLine() +
                        QStringLiteral("Try 'kelvane --help' for more information.\n"));
      return kelvane::app::kExitUsage;
    case CommandAction::Run: break;
  }

  kelvane::app::SettleWaylandEnvironment();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kelvane"));
  QApplication::setApplicationVersion(QStringLiteral(KELVANE_VERSION));
  // Matches the installed desktop entry, so a desktop shell shows its icon and name for the window.
  QApplication::setDesktopFileName(QStringLiteral(KELVANE_APP_ID));

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
