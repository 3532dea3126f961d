#include "app/command_line.h"

#include <QCommandLineParser>

namespace kelvane::app {

namespace {

// QGuiApplication's and QApplication's own options: QApplication removes them from argv later,
// so here they only need to be recognised, with or without their value.
constexpr const char* kQtOptionsWithValue[] = {
    "platform",        "platformpluginpath",
    "platformtheme",   "plugin",
    "qwindowgeometry", "geometry",
    "qwindowtitle",    "title",
    "qwindowicon",     "icon",
    "display",         "name",
    "session",         "style",
    "stylesheet",      "qmljsdebugger",
};
constexpr const char* kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  // Qt's options are single-dash words ("-platform"), not bundles of letters.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
  const QCommandLineOption tray(QStringLiteral("tray"));
  const QCommandLineOption optimize(QStringLiteral("optimize"));
  const QCommandLineOption quiet(QStringLiteral("quiet"));
  const QCommandLineOption notify(QStringLiteral("notify"));
  const QCommandLineOption json(QStringLiteral("json"));
  parser.addOptions({help, version, tray, optimize, quiet, notify, json});
  for (const char* name : kQtOptionsWithValue) {
    parser.addOption(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
  }
  for (const char* name : kQtFlags) parser.addOption(QCommandLineOption(QString::fromLatin1(name)));

  CommandLine result;
  const bool parsed = parser.parse(arguments);
  result.display = parser.value(QStringLiteral("display"));
  if (!parsed) {
    result.action = CommandAction::Error;
    result.error = parser.errorText();
  } else if (parser.isSet(help)) {
    result.action = CommandAction::Help;
  } else if (parser.isSet(version)) {
    result.action = CommandAction::Version;
  } else if (!parser.positionalArguments().isEmpty()) {
    result.action = CommandAction::Error;
    result.error = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
  } else if (parser.isSet(json)) {
    result.action = CommandAction::Error;
    result.error = QStringLiteral("--json goes with --status.");
  } else if (parser.isSet(optimize) && parser.isSet(tray)) {
    result.action = CommandAction::Error;
    result.error = QStringLiteral("--optimize runs in the terminal; it does not take --tray.");
  } else if (!parser.isSet(optimize) && (parser.isSet(quiet) || parser.isSet(notify))) {
    result.action = CommandAction::Error;
    result.error = QStringLiteral("--%1 goes with --optimize.").arg(parser.isSet(quiet) ? "quiet" : "notify");
  } else if (parser.isSet(optimize)) {
    result.action = CommandAction::Optimize;
  }
  result.tray = parser.isSet(tray);
  result.quiet = parser.isSet(quiet);
  result.notify = parser.isSet(notify);
  return result;
}

QString UsageLine() { return QStringLiteral("Usage: kelvane [options]\n"); }

QString HelpText() {
  return UsageLine() + QStringLiteral(
                           "Shows the machine's total, used and free physical memory and frees memory "
                           "on demand.\n"
                           "\n"
                           "Options:\n"
                           "  --tray         Also show Kelvane in the panel; closing the window then\n"
                           "                 hides it. Where the panel can hold it, the window starts\n"
                           "                 hidden.\n"
                           "  --status       Print the memory figures on one line and exit; no display\n"
                           "                 is needed.\n"
                           "  --json         With --status: the raw kB and the shown texts as JSON.\n"
                           "  --optimize     Run Optimize in the terminal: progress, then what the run\n"
                           "                 did. No display is needed.\n"
                           "  --quiet        With --optimize: no progress, only the result.\n"
                           "  --notify       With --optimize: the result as a desktop notification too.\n"
                           "  -h, --help     Show this help and exit.\n"
                           "  -v, --version  Show the version and exit.\n"
                           "\n"
                           "Qt's own options, such as -platform <name>, -display <display> and\n"
                           "-style <name>, are passed on to Qt.\n"
                           "\n"
                           "Exit status:\n"
                           "  0    done: ended by End or the window manager, a run finished, or an\n"
                           "       answer printed\n"
                           "  1    could not start: no display for the window, the memory figures or\n"
                           "       the stored layout unreadable, the text could not be written\n"
                           "  2    an unknown option or an unexpected argument\n"
                           "  130  an --optimize run stopped by Ctrl+C (SIGINT), every block given back\n"
                           "  143  an --optimize run stopped by SIGTERM, every block given back\n"
                           "\n"
                           "Runs of one user never hold more than one run's blocks together: a run that\n"
                           "finds another Kelvane's run holding memory reserves nothing and says so.\n"
                           "Each run's record is kept in $XDG_STATE_HOME/kelvane/runs.\n");
}

}  // namespace kelvane::app
