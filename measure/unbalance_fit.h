// Amount and angle of the unbalance at one upright from its 360-degree wave:
// a direct least-squares search for the sine that fits the wave best.
#pragma once

#include "measure/plane_reading.h"

namespace balancer {

constexpr int kWaveSize = 360;
// Degrees to radians as the fit has always converted them.
constexpr double kFitRadiansPerDegree = 0.017453;
// A descent that keeps finding equal errors stops after this many steps.
constexpr int kMaxDescentSteps = 360;

struct AmplitudeMean {
  double halfPeakToPeak = 0.0;  // (largest - smallest truncated) * 0.5
  double mean = 0.0;
};

struct PhaseFit {
  int coarseBest = 0;
  int phase = 0;          // best whole-degree shift, 0-359
  double fraction = 0.0;  // sub-degree correction: 0.5 minus a whole number of 0.1 steps
};

// Per side results of one evaluation; also read by the calibration screen.
struct SideFit {
  double halfPeakToPeak = 0.0;
  double mean = 0.0;
  int phase = 0;
  double fraction = 0.0;
  PlaneReading reading;
};

AmplitudeMean AmplitudeAndMean(const double wave[kWaveSize]);

// E(A, s, f) = sum over i of (A sin((i + f) * 0.017453) + mean - W[(s + i) mod 360])^2.
double FitError(const double wave[kWaveSize], double amplitude, double mean, int shift,
                double offset);

// Coarse (every 10 degrees), fine (whole degrees) and fraction (0.1 degree)
// search with A = half peak-to-peak.
PhaseFit FitPhase(const double wave[kWaveSize], const AmplitudeMean& am);

// Amplitude search with shrinking steps at the fitted phase; never negative.
double FitAmplitude(const double wave[kWaveSize], const AmplitudeMean& am, int phase);

// The reading angle from the fit, corrected by lag compensation, sampling lag
// and map phase. The right side carries a fixed +0.1 and turns by 180 when its
// upright is reversed. One subtraction of 360 at most; negatives stay.
double ReadingAngle(int phase, double fraction, double lagCompensation, double lagEstimate,
                    double mapPhase, bool rightSide, int rightUprightReversed);

// One side's whole evaluation: amplitude and mean, phase, amplitude, angle.
SideFit EvaluateSide(const double wave[kWaveSize], double lagCompensation, double lagEstimate,
                     double mapPhase, bool rightSide, int rightUprightReversed);

}  // namespace balancer
