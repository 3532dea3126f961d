// What Kelvane's command line asks for, worked out before any window system is touched, so
// --help, --version and a mistyped option answer even where no display can be opened.
#pragma once

#include <QString>
#include <QStringList>

namespace kelvane::app {

// Run: the window (and the panel item with --tray). Optimize: a run in the terminal.
// --status never reaches here: the program answers it before loading Qt.
enum class CommandAction { Run, Optimize, Help, Version, Error };

struct CommandLine {
  CommandAction action = CommandAction::Run;
  QString error;        // set for CommandAction::Error
  QString display;      // Qt's -display option, if given
  bool tray = false;    // --tray
  bool quiet = false;   // --optimize --quiet: no progress
  bool notify = false;  // --optimize --notify: the result as a desktop notification too
};

// `arguments` is argv as given, program name first. Qt's own options (-platform, -style, ...)
// are accepted here and left for QApplication to consume.
CommandLine ParseCommandLine(const QStringList& arguments);

QString HelpText();
QString UsageLine();

// Exit status for a command line Kelvane cannot make sense of, as most Unix tools use.
inline constexpr int kExitUsage = 2;
// Exit statuses of an --optimize run ended by a signal, every block given back first: the
// shell's 128 + the signal's number, as the signal itself would have given.
inline constexpr int kExitInterrupted = 130;
inline constexpr int kExitTerminated = 143;

}  // namespace kelvane::app
