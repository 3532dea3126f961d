// What Kelvane's command line asks for, worked out before any window system is touched, so
// --help, --version and a mistyped option answer even where no display can be opened.
#pragma once

#include <QString>
#include <QStringList>

namespace kelvane::app {

enum class CommandAction { Run, Help, Version, Error };

struct CommandLine {
  CommandAction action = CommandAction::Run;
  QString error;    // set for CommandAction::Error
  QString display;  // Qt's -display option, if given
};

// `arguments` is argv as given, program name first. Qt's own options (-platform, -style, ...)
// are accepted here and left for QApplication to consume.
CommandLine ParseCommandLine(const QStringList& arguments);

QString HelpText();
QString UsageLine();

// Exit status for a command line Kelvane cannot make sense of, as most Unix tools use.
inline constexpr int kExitUsage = 2;

}  // namespace kelvane::app
