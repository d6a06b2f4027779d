#include "base/field_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "base/help_file.h"

namespace balancer {
namespace {

TEST(FieldTable, LabelsAndHintsByCode) {
  EXPECT_STREQ(FieldLabel(112), "&Shaft RPM (250-1000)");
  EXPECT_STREQ(FieldLabel(145), "Max Depth");
  EXPECT_STREQ(FieldLabel(146), "Max Depth");
  EXPECT_STREQ(FieldLabel(198), "Rod #12 Total Weight");
  EXPECT_STREQ(FieldLabel(199), "Rod #1 Big End Weight");
  EXPECT_STREQ(FieldLabel(222), "Piston #12 Weight");
  EXPECT_STREQ(FieldLabel(234), "Pin Weight");
  EXPECT_STREQ(FieldLabel(350), "Slug Installation Radius");
  EXPECT_STREQ(FieldLabelByIndex(41), "OK");
  EXPECT_STREQ(FieldLabelByIndex(206), "Help");
  // The external weights borrow their entries.
  EXPECT_STREQ(FieldLabel(15), "Front External Weight");
  EXPECT_STREQ(FieldHint(16), FieldHint(157));
  EXPECT_STREQ(FieldLabel(175), "");
  EXPECT_STREQ(FieldHint(175), "Minimum extra weight");
  EXPECT_STREQ(FieldLabel(99), "");
  EXPECT_STREQ(FieldLabel(359), "");
  EXPECT_STREQ(FieldHint(102),
               "Both Left and Right Sides\n\nEnter a decimal number\nor fractional size.\n\n"
               "Examples: .625, 5/8, 1 3/16");
  EXPECT_STREQ(FieldHint(321),
               "Enter a decimal number\n"
               "or fractional size.\n\n"
               "Examples: .625, 5/8, 1 3/16");
  EXPECT_STREQ(
      FieldHint(349),
      "Enter 0 to allow the software\nto calculate the weight\nbased on size and density.");
}

TEST(FieldTable, EveryMarkedFieldHasAHintAndNoOtherDoes) {
  const int marked[] = {100, 101, 102, 105, 108, 109, 110, 112, 113, 114, 118, 119, 122, 123,
                        124, 125, 126, 131, 132, 133, 137, 138, 139, 140, 145, 146, 153, 154,
                        155, 156, 157, 175, 176, 181, 182, 183, 235, 236, 237, 241, 242, 248,
                        256, 261, 262, 263, 265, 266, 320, 321, 348, 349, 350, 351, 352};
  int withHint = 0;
  for (int code = kFirstFieldCode; code <= kLastFieldCode; ++code) {
    if (std::string(FieldHint(code)).empty()) continue;
    ++withHint;
    EXPECT_NE(std::find(std::begin(marked), std::end(marked), code), std::end(marked)) << code;
  }
  EXPECT_EQ(withHint, static_cast<int>(std::size(marked)));
}

TEST(FieldTable, FieldKinds) {
  EXPECT_TRUE(KeypadHasSlash(131));
  EXPECT_FALSE(KeypadHasSlash(132));  // a plane offset gets the minus key
  EXPECT_TRUE(KeypadHasSlash(260));
  EXPECT_FALSE(IsLengthField(260));
  EXPECT_TRUE(IsLengthField(133));
  EXPECT_FALSE(HasHelpButton(139));
  EXPECT_FALSE(HasHelpButton(273));
  EXPECT_TRUE(HasHelpButton(112));
  EXPECT_TRUE(ScaleKeyField(119));
  EXPECT_FALSE(ScaleButtonField(119));
  EXPECT_STREQ(HelpTopic(155).c_str(), "c:\\balancer\\balancer.chm::/Counterweight Thickness.htm");
  EXPECT_STREQ(HelpTopic(113).c_str(), "");
}

// Every topic is a page of the one manual, behind a Help button; a field
// without a page opens nothing rather than the manual's first page.
TEST(HelpTopics, EveryTopicIsAPageOfTheManual) {
  int withHelp = 0;
  for (int code = kFirstFieldCode; code <= kLastFieldCode; ++code) {
    std::string topic = HelpTopic(code);
    if (topic.empty()) continue;
    ++withHelp;
    EXPECT_TRUE(HasHelpButton(code)) << code;
    EXPECT_EQ(topic.rfind("c:\\balancer\\balancer.chm::/", 0), 0u) << code;
    EXPECT_GT(topic.size(), std::string("c:\\balancer\\balancer.chm::/x.htm").size() - 1) << code;
    EXPECT_EQ(topic.substr(topic.size() - 4), ".htm") << code;
  }
  EXPECT_GT(withHelp, 10);
  EXPECT_EQ(HelpTopicArgument(""), "");
}

}  // namespace
}  // namespace balancer
