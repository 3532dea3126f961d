#include "app/front/status.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace kelvane::front {
namespace {

constexpr std::uint64_t kMb = 1044032;

// The terminal's line in the window's formats, whatever the locale's point: the German line reads
// only the whole megabytes into Used and the share, as the window does.
TEST(Status, ShowsTheWindowsTextsInTheLocalesFormat) {
  struct Case {
    std::uint64_t total, avail;
    QLocale locale;
    const char *line, *json;
  };
  const Case cases[] = {
      {257 * kMb, 958 * kMb / 10, QLocale::c(),
       "Total : 257.000 MB   Used : 161.200 Mb   Free : 95.80 MB   37 %",
       R"({"total_kb":262027,"available_kb":97674,"total":"257.000 MB","used":"161.200 Mb","free":"95.80 MB","percent":"37 %"})"},
      {257 * kMb, 958 * kMb / 10, QLocale(QLocale::German),
       "Total : 257,000 MB   Used : 162,000 Mb   Free : 95,80 MB   36 %", nullptr},
      {0, 0, QLocale::c(), "Total : 0.000 MB   Used : 0.000 Mb   Free : 0.00 MB   0 %", nullptr},
  };
  for (const Case& c : cases) {
    const std::string point = c.locale.decimalPoint().toStdString();
    EXPECT_EQ(StatusLine(c.total, c.avail, point), c.line);
    if (c.json) {
      EXPECT_EQ(StatusJson(c.total, c.avail, point), c.json);
    }
  }
}

TEST(Status, TakesOnlyJsonBesideIt) {
  struct Case {
    std::vector<const char*> args;
    bool asked, json, error;
  };
  const Case cases[] = {
      {{"kelvane"}, false, false, false},
      {{"kelvane", "--optimize"}, false, false, false},
      {{"kelvane", "--status"}, true, false, false},
      {{"kelvane", "--json", "--status"}, true, true, false},
      {{"kelvane", "--status", "--tray"}, true, false, true},
      {{"kelvane", "--status", "extra"}, true, false, true},
  };
  for (const Case& c : cases) {
    std::vector<char*> argv;
    for (const char* a : c.args) argv.push_back(const_cast<char*>(a));
    const StatusArguments a = ParseStatusArguments(static_cast<int>(argv.size()), argv.data());
    EXPECT_EQ(a.asked, c.asked) << c.args.back();
    EXPECT_EQ(a.json, c.json) << c.args.back();
    EXPECT_EQ(!a.error.empty(), c.error) << c.args.back();
  }
}

}  // namespace
}  // namespace kelvane::front
