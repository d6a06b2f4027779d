#include "app/screen_scale.h"

#include <gtest/gtest.h>

namespace balancer {
namespace {

TEST(ScreenScale, DesignSizedWorkAreaIsOne) {
  EXPECT_FLOAT_EQ(ComputeScreenScale(1280, 680), 1.0f);
}

TEST(ScreenScale, TheTighterDirectionLimits) {
  // 1920/1280 = 1.5 against 1040/680 = 1.53: the width decides.
  EXPECT_FLOAT_EQ(ComputeScreenScale(1920, 1040), 1.5f);
  // Narrow screen (4:3): width limits.
  EXPECT_FLOAT_EQ(ComputeScreenScale(1024, 738), 0.8f);
  // Wide screen: height limits.
  EXPECT_FLOAT_EQ(ComputeScreenScale(2560, 1020), 1.5f);
  // Xvfb 1280 x 720: the taller area does not enlarge the design.
  EXPECT_FLOAT_EQ(ComputeScreenScale(1280, 720), 1.0f);
  // No clamping either way.
  EXPECT_FLOAT_EQ(ComputeScreenScale(640, 340), 0.5f);
  EXPECT_FLOAT_EQ(ComputeScreenScale(3840, 2040), 3.0f);
}

TEST(ScreenScale, UnreadableWorkAreaFallsBackToOne) {
  EXPECT_FLOAT_EQ(ComputeScreenScale(0, 0), 1.0f);
  EXPECT_FLOAT_EQ(ComputeScreenScale(1280, 0), 1.0f);
  EXPECT_FLOAT_EQ(ComputeScreenScale(-5, 680), 1.0f);
}

TEST(ScreenScale, ScaledValuesTruncateTowardZero) {
  float scale = ComputeScreenScale(1366, 728);  // width limits: 1.0672 < 1.0706
  EXPECT_EQ(Scaled(1280, scale), 1366);
  EXPECT_EQ(Scaled(60, 1.5f), 90);
  EXPECT_EQ(Scaled(1.35, 1.0f), 1);
  EXPECT_EQ(Scaled(195, 0.8f), 156);
  EXPECT_EQ(Scaled(67, 0.75f), 50);  // 50.25
  EXPECT_EQ(Scaled(-308, 1.5f), -462);
  EXPECT_EQ(Scaled(-1.5, 1.0f), -1);
}

}  // namespace
}  // namespace balancer
