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
  parser.addOption(help);
  parser.addOption(version);
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
  }
  return result;
}

QString UsageLine() { return QStringLiteral("Usage: kelvane [options]\n"); }

QString HelpText() {
  return UsageLine() + QStringLiteral(
                           "Shows the machine's total, used and free physical memory and frees memory "
                           "on demand.\n"
                           "\n"
                           "Options:\n"
                           "  -h, --help     Show this help and exit.\n"
                           "  -v, --version  Show the version and exit.\n"
                           "\n"
                           "Qt's own options, such as -platform <name>, -display <display> and\n"
                           "-style <name>, are passed on to Qt.\n");
}

}  // namespace kelvane::app
