#include "measure/unbalance_fit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace balancer {
namespace {

void SineWave(double amplitude, double phaseDeg, double mean, double wave[kWaveSize]) {
  for (int d = 0; d < kWaveSize; ++d) {
    wave[d] = amplitude * std::sin((d - phaseDeg) * kFitRadiansPerDegree) + mean;
  }
}

TEST(UnbalanceFit, WorkedExampleFindsPhaseFractionAndAmount) {
  double w[kWaveSize];
  SineWave(100.0, 30.0, 500.0, w);
  AmplitudeMean am = AmplitudeAndMean(w);
  EXPECT_NEAR(am.halfPeakToPeak, 100.0, 0.5);
  EXPECT_NEAR(am.mean, 500.0, 0.01);
  PhaseFit pf = FitPhase(w, am);
  EXPECT_EQ(pf.coarseBest, 31);
  EXPECT_EQ(pf.phase, 30);
  EXPECT_NEAR(pf.fraction, 0.0, 1e-9);
  double amount = FitAmplitude(w, am, pf.phase);
  // Read literally, the amplitude search would stop near 116.7 here.
  EXPECT_NEAR(amount, 100.0, 0.05);
}

TEST(UnbalanceFit, AmplitudeAndMeanTruncatesOnlyTheMinimum) {
  double w[kWaveSize];
  for (int d = 0; d < kWaveSize; ++d) w[d] = 10.0;
  w[5] = 12.7;
  w[9] = 3.9;  // truncated to 3
  AmplitudeMean am = AmplitudeAndMean(w);
  EXPECT_DOUBLE_EQ(am.halfPeakToPeak, (12.7 - 3.0) * 0.5);
  EXPECT_NEAR(am.mean, (358 * 10.0 + 12.7 + 3.9) / 360.0, 1e-12);
}

TEST(UnbalanceFit, RecoversPhaseAndAmountAcrossTheCircle) {
  // Includes shifts whose coarse best is 351 (fine start capped at 359) and
  // shifts that wrap through 0 in the fine search.
  const double phases[] = {0.0, 0.3, 3.0, 44.6, 179.9, 270.2, 352.0, 355.5, 359.6};
  for (double phase : phases) {
    double w[kWaveSize];
    SineWave(80.0, phase, 2000.0, w);
    AmplitudeMean am = AmplitudeAndMean(w);
    PhaseFit pf = FitPhase(w, am);
    double fitted = pf.phase - pf.fraction;
    double diff = std::remainder(fitted - phase, 360.0);
    EXPECT_NEAR(diff, 0.0, 0.051) << "phase " << phase;
    EXPECT_NEAR(FitAmplitude(w, am, pf.phase), 80.0, 0.5) << "phase " << phase;
  }
}

TEST(UnbalanceFit, SmallHalfPeakToPeakSkipsTheSearch) {
  double w[kWaveSize];
  SineWave(0.02, 10.0, 100.0, w);
  AmplitudeMean am;
  am.halfPeakToPeak = 0.04;
  am.mean = 100.0;
  EXPECT_DOUBLE_EQ(FitAmplitude(w, am, 10), 0.05 + 0.04 / 5.0);
}

TEST(UnbalanceFit, FlatWaveEndsAndGivesSmallAmount) {
  // All errors equal: the bounded descents must still end.
  double w[kWaveSize];
  for (double& v : w) v = 1234.0;
  AmplitudeMean am = AmplitudeAndMean(w);
  PhaseFit pf = FitPhase(w, am);
  EXPECT_GE(pf.phase, 0);
  EXPECT_LT(pf.phase, 360);
  EXPECT_LT(FitAmplitude(w, am, pf.phase), 0.1);
}

TEST(UnbalanceFit, ErrorUsesTablesConsistentWithDirectSine) {
  double w[kWaveSize];
  SineWave(50.0, 77.0, 300.0, w);
  for (double f : {0.0, 0.3, -0.2}) {
    double direct = 0.0;
    for (int i = 0; i < kWaveSize; ++i) {
      double d = 45.0 * std::sin((i + f) * kFitRadiansPerDegree) + 301.0 - w[(100 + i) % 360];
      direct += d * d;
    }
    EXPECT_NEAR(FitError(w, 45.0, 301.0, 100, f), direct, direct * 1e-12);
  }
}

TEST(UnbalanceFit, ReadingAngleCorrections) {
  EXPECT_NEAR(ReadingAngle(300, 0.2, 10.0, 3.5, 0.0, false, 0), 36.3, 1e-9);
  EXPECT_NEAR(ReadingAngle(300, 0.2, 10.0, 3.5, 0.0, true, 0), 36.4, 1e-9);
  // Reversed right upright: 576.4 loses 360 only once.
  EXPECT_NEAR(ReadingAngle(300, 0.2, 10.0, 3.5, 0.0, true, 1), 216.4, 1e-9);
  EXPECT_NEAR(ReadingAngle(10, 0.0, 0.0, 3.5, 2.0, false, 0), 98.5, 1e-9);
  // Negative results stay as they are.
  EXPECT_NEAR(ReadingAngle(0, 0.5, -100.0, 0.0, 0.0, false, 0), -10.5, 1e-9);
}

}  // namespace
}  // namespace balancer
