// Reading setuplist.txt: the header, the folder section, the file entries,
// control lines and the version ranges they apply to.
#include "setup/setup_list.h"

#include <gtest/gtest.h>

#include <sstream>

namespace balancer {
namespace {

const char kHeader[] = "Balancer setup list\nline 2\nline 3\nline 4\nline 5\nline 6\n";

SetupListStatus Read(const std::string& body, SetupList& list) {
  std::istringstream in(std::string(kHeader) + body);
  return ReadSetupList(in, list);
}

TEST(SetupListRead, FoldersThenFilesWithTheirPaths) {
  SetupList list;
  ASSERT_EQ(Read("00510\nc:\\balancer\n00510\r\nc:\\balancer\\drivers\r\n"
                 "10510\nbalancer.exe\nc:\\balancer\\balancer.exe\n"
                 "20510\nbalancer.lnk\nBalancer.lnk\n"
                 "30510\nsmall.bmp\nc:\\balancer\\shaft.bmp\n",
                 list),
            SetupListStatus::kOk);
  ASSERT_EQ(list.folders.size(), 2u);
  EXPECT_EQ(list.folders[0].path, "c:\\balancer");
  EXPECT_EQ(list.folders[1].path, "c:\\balancer\\drivers");  // CR LF line ends too
  ASSERT_EQ(list.files.size(), 3u);
  EXPECT_EQ(list.files[0].type, kEntryCopy);
  EXPECT_EQ(list.files[0].path, "balancer.exe");
  EXPECT_EQ(list.files[0].destination, "c:\\balancer\\balancer.exe");
  EXPECT_EQ(list.files[1].type, kEntryDesktop);
  EXPECT_EQ(list.files[2].type, kEntryVersionOne);
}

TEST(SetupListRead, TheLastLineNeedsNoLineEndAndAHalfEntryIsDropped) {
  SetupList list;
  ASSERT_EQ(Read("00510\nc:\\b\n10510\na.txt\nc:\\b\\a.txt", list), SetupListStatus::kOk);
  ASSERT_EQ(list.files.size(), 1u);
  EXPECT_EQ(list.files[0].destination, "c:\\b\\a.txt");

  ASSERT_EQ(Read("10510\na.txt\nc:\\b\\a.txt\n10510\nb.txt\n", list), SetupListStatus::kOk);
  EXPECT_EQ(list.files.size(), 1u);
  EXPECT_TRUE(list.folders.empty());
}

TEST(SetupListRead, AShortHeaderOrAFolderSectionRunningOutIsBroken) {
  SetupList list;
  std::istringstream shortHeader("one\ntwo\nthree\n");
  EXPECT_EQ(ReadSetupList(shortHeader, list), SetupListStatus::kBroken);
  std::istringstream empty("");
  EXPECT_EQ(ReadSetupList(empty, list), SetupListStatus::kBroken);

  // Header only: the folder section has no end.
  EXPECT_EQ(Read("", list), SetupListStatus::kBroken);
  // Folders to the end of the file, no file entry.
  EXPECT_EQ(Read("00510\nc:\\balancer\n", list), SetupListStatus::kBroken);
  // A folder control line without its path.
  EXPECT_EQ(Read("00510\n", list), SetupListStatus::kBroken);
  EXPECT_TRUE(list.folders.empty());
  EXPECT_TRUE(list.files.empty());
}

TEST(SetupListRead, ALineLongerThanTheListAllowsIsBroken) {
  SetupList list;
  const std::string longest(kSetupListMaxLine, 'x');
  EXPECT_EQ(Read("10510\n" + longest + "\nc:\\x\n", list), SetupListStatus::kOk);
  EXPECT_EQ(list.files[0].path, longest);
  EXPECT_EQ(Read("10510\n" + longest + "y\nc:\\x\n", list), SetupListStatus::kBroken);
  EXPECT_EQ(Read("0" + longest + "\nc:\\x\n", list), SetupListStatus::kBroken);
}

TEST(SetupControlLine, TypeAndVersionRange) {
  SetupListEntry e = ParseControlLine("10510");
  EXPECT_EQ(e.type, 1);
  EXPECT_EQ(e.lowest, 5);
  EXPECT_EQ(e.highest, 10);
  e = ParseControlLine("40406 trailing words");
  EXPECT_EQ(e.type, 4);
  EXPECT_EQ(e.lowest, 4);
  EXPECT_EQ(e.highest, 6);
  // Missing or non-digit versions: applies nowhere.
  EXPECT_FALSE(EntryApplies(ParseControlLine("1"), 1, 10));
  EXPECT_FALSE(EntryApplies(ParseControlLine("105x0"), 1, 10));
  EXPECT_FALSE(EntryApplies(ParseControlLine("x0510"), 1, 10));
}

TEST(SetupControlLine, WindowsXpThroughElevenAndTheVersionChoice) {
  const SetupListEntry copy = ParseControlLine("10510");
  EXPECT_FALSE(EntryApplies(copy, 1, 4));
  EXPECT_TRUE(EntryApplies(copy, 1, 5));  // XP
  EXPECT_TRUE(EntryApplies(copy, 2, 6));
  EXPECT_TRUE(EntryApplies(copy, 1, 10));  // 10 and 11 both report 10
  EXPECT_FALSE(EntryApplies(copy, 1, 11));

  EXPECT_TRUE(EntryApplies(ParseControlLine("20510"), 2, 6));
  EXPECT_TRUE(EntryApplies(ParseControlLine("30510"), 1, 6));
  EXPECT_FALSE(EntryApplies(ParseControlLine("30510"), 2, 6));
  EXPECT_TRUE(EntryApplies(ParseControlLine("40510"), 2, 6));
  EXPECT_FALSE(EntryApplies(ParseControlLine("40510"), 1, 6));
  EXPECT_FALSE(EntryApplies(ParseControlLine("50510"), 1, 6));
  EXPECT_FALSE(EntryApplies(ParseControlLine("90510"), 2, 6));
}

}  // namespace
}  // namespace balancer
