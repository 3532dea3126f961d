#include <QApplication>
#include <QMessageBox>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "app/window_main.h"

#include "app/command_line.h"
#include "app/form1.h"
#include "app/panel_item.h"
#include "app/platform_env.h"
#include "app/run_store.h"
#include "app/single_instance.h"
#include "app/start_failure.h"
#include "app/terminal_run.h"
#include "platform/host/layout/layout_error.h"

namespace kelvane::app {
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
  return kExitCannotStart;
}

}  // namespace

int RunKelvane(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  // Before QApplication: creating it without a display aborts, and --help must not need one.
  const CommandLine command = ParseCommandLine(arguments);
  switch (command.action) {
    case CommandAction::Help: return PrintOrFail(HelpText());
    case CommandAction::Version:
      return PrintOrFail(QStringLiteral("kelvane %1\n").arg(QStringLiteral(KELVANE_VERSION)));
    case CommandAction::Error:
      Print(stderr, QStringLiteral("kelvane: %1\n").arg(command.error) + UsageLine() +
                        QStringLiteral("Try 'kelvane --help' for more information.\n"));
      return kExitUsage;
    case CommandAction::Optimize: return RunInTerminal(command);
    case CommandAction::Run: break;
  }
  // A Kelvane in the panel shows its window instead; asked before any display is opened.
  if (const std::optional<int> handed = HandOverToPanelKelvane()) return *handed;

  SettleWaylandEnvironment();
  std::optional<StartFailureGuard> noDisplay(std::in_place,
                                             DisplayRequest{command.display, qEnvironmentVariable("DISPLAY"),
                                                            qEnvironmentVariable("WAYLAND_DISPLAY")});
  QApplication app(argc, argv);
  noDisplay.reset();
  QApplication::setApplicationName(QStringLiteral("Kelvane"));
  QApplication::setApplicationVersion(QStringLiteral(KELVANE_VERSION));
  // Matches the installed desktop entry, so a desktop shell shows its icon and name for the window.
  QApplication::setDesktopFileName(QStringLiteral(KELVANE_APP_ID));

  mem::ProcMeminfoSource memory;
  mem::PageBlockAllocator allocator;
  try {
    OptimizeRunsOptions runOptions;
    runOptions.useLock = true;
    Form1 form(memory, allocator, QLocale(), QString::fromLatin1(kForm1Layout), runOptions);
    RunStore store;
    form.addRunHandlers(nullptr, [&store](const RunRecord& record) { store.Append(record); });
    return RunWindow(form, command.tray);
  } catch (const host::layout::LayoutError& e) {
    QMessageBox::critical(
        nullptr, QStringLiteral("Kelvane"),
        QStringLiteral("The window's stored layout is damaged:\n%1").arg(QString::fromUtf8(e.what())));
    return 1;
  }
}

}  // namespace kelvane::app
