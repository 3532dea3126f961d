#include <QApplication>
#include <QMessageBox>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "app/command_line.h"
#include "app/form1.h"
#include "app/platform_env.h"
#include "app/start_failure.h"
#include "platform/host/layout/layout_error.h"

namespace {

// False when the text could not be written, a full disk or a closed descriptor say.
bool Print(std::FILE* stream, const QString& text) {
  return std::fprintf(stream, "%s", text.toLocal8Bit().constData()) >= 0 && std::fflush(stream) == 0;
}

int PrintOrFail(const QString& text) {
  if (Print(stdout, text)) return 0;
  const int error = errno;
  Print(stderr, QStringLiteral("kelvane: cannot write to standard output: %1\n")
                    .arg(QString::fromLocal8Bit(std::strerror(error))));
  return kelvane::app::kExitCannotStart;
}

}  // namespace

int main(int argc, char** argv) {
  using kelvane::app::CommandAction;
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  // Before QApplication: creating it without a display aborts, and --help must not need one.
  const kelvane::app::CommandLine command = kelvane::app::ParseCommandLine(arguments);
  switch (command.action) {
    case CommandAction::Help: return PrintOrFail(kelvane::app::HelpText());
    case CommandAction::Version:
      return PrintOrFail(QStringLiteral("kelvane %1\n").arg(QStringLiteral(KELVANE_VERSION)));
    case CommandAction::Error:
      Print(stderr, QStringLiteral("kelvane: %1\n").arg(command.error) + kelvane::app::UsageLine() +
                        QStringLiteral("Try 'kelvane --help' for more information.\n"));
      return kelvane::app::kExitUsage;
    case CommandAction::Run: break;
  }

  kelvane::app::SettleWaylandEnvironment();
  std::optional<kelvane::app::StartFailureGuard> noDisplay(
      std::in_place, kelvane::app::DisplayRequest{command.display, qEnvironmentVariable("DISPLAY"),
                                                  qEnvironmentVariable("WAYLAND_DISPLAY")});
  QApplication app(argc, argv);
  noDisplay.reset();
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
