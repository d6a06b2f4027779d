// The CLI is a program, not a library; its shared helpers are compiled into
// this test directly.
#include <gtest/gtest.h>

#include "cli/cli_common.cpp"

namespace balancer::cli {
namespace {

TEST(CliTextTest, AnsiToUtf8) {
  EXPECT_EQ(AnsiToUtf8("12\xB0"), "12\xC2\xB0");
  EXPECT_EQ(AnsiToUtf8("\x80 \x93x\x94"), "\xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D");
  EXPECT_EQ(AnsiToUtf8("\xFF\x81"), "\xC3\xBF\xC2\x81");
  EXPECT_EQ(AnsiToUtf8("plain\n"), "plain\n");
}

TEST(CliTextTest, OptionsAndPaths) {
  std::vector<std::string> args{"--left", "1,2", "--add-left", "--zones"};
  std::string value;
  EXPECT_TRUE(TakeOption(args, "--left", value));
  EXPECT_EQ(value, "1,2");
  EXPECT_TRUE(TakeFlag(args, "--add-left"));
  EXPECT_FALSE(TakeFlag(args, "--add-left"));
  EXPECT_TRUE(TakeOption(args, "--zones", value));  // value missing at the end
  EXPECT_EQ(value, "");
  EXPECT_TRUE(args.empty());

  CliContext ctx;
  ctx.folder = "/tmp/x/";
  EXPECT_EQ(FolderPath(ctx, "balsetup.dta"), "/tmp/x/balsetup.dta");
  ctx.folder = "/tmp/x";
  EXPECT_EQ(FolderPath(ctx, "balsetup.dta"), "/tmp/x/balsetup.dta");
}

}  // namespace
}  // namespace balancer::cli
