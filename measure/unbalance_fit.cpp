#include "measure/unbalance_fit.h"

#include <cmath>

namespace balancer {

namespace {

// sin and cos of i * 0.017453 for every whole degree, and of every offset the
// fraction search can visit (0.5, 0.4, ... reached by repeated subtraction as
// the search does), so an error evaluation never calls sin.
struct SineTables {
  double sinDeg[kWaveSize];
  double cosDeg[kWaveSize];
  double fractionSin[kMaxDescentSteps + 2];
  double fractionCos[kMaxDescentSteps + 2];
  double fractionValue[kMaxDescentSteps + 2];
  SineTables() {
    for (int i = 0; i < kWaveSize; ++i) {
      sinDeg[i] = std::sin(i * kFitRadiansPerDegree);
      cosDeg[i] = std::cos(i * kFitRadiansPerDegree);
    }
    double f = 0.5;
    for (int k = 0; k < kMaxDescentSteps + 2; ++k) {
      fractionValue[k] = f;
      fractionSin[k] = std::sin(f * kFitRadiansPerDegree);
      fractionCos[k] = std::cos(f * kFitRadiansPerDegree);
      f = f - 0.1;
    }
  }
};

const SineTables& Tables() {
  static const SineTables tables;
  return tables;
}

// The wave twice in a row, so W[(s + i) mod 360] is a plain index.
struct DoubledWave {
  double w[2 * kWaveSize];
  explicit DoubledWave(const double wave[kWaveSize]) {
    for (int i = 0; i < kWaveSize; ++i) w[i] = w[i + kWaveSize] = wave[i];
  }
};

double SumSquares(const double model[kWaveSize], const double* w) {
  double e = 0.0;
  for (int i = 0; i < kWaveSize; ++i) {
    double d = model[i] - w[i];
    e += d * d;
  }
  return e;
}

// model[i] = A sin((i + f) * 0.017453) + mean from the tables.
void BuildModel(double amplitude, double mean, double sinF, double cosF, double model[kWaveSize]) {
  const SineTables& t = Tables();
  for (int i = 0; i < kWaveSize; ++i) {
    model[i] = amplitude * (t.sinDeg[i] * cosF + t.cosDeg[i] * sinF) + mean;
  }
}

}  // namespace

AmplitudeMean AmplitudeAndMean(const double wave[kWaveSize]) {
  double max = wave[0];
  double imin = std::trunc(wave[0]);
  double sum = wave[0];
  for (int d = 1; d < kWaveSize; ++d) {
    if (wave[d] > max) max = wave[d];
    if (wave[d] < imin) imin = std::trunc(wave[d]);
    sum += wave[d];
  }
  AmplitudeMean am;
  am.halfPeakToPeak = (max - imin) * 0.5;
  am.mean = sum / 360.0;
  return am;
}

double FitError(const double wave[kWaveSize], double amplitude, double mean, int shift,
                double offset) {
  DoubledWave dw(wave);
  double model[kWaveSize];
  BuildModel(amplitude, mean, std::sin(offset * kFitRadiansPerDegree),
             std::cos(offset * kFitRadiansPerDegree), model);
  int s = ((shift % kWaveSize) + kWaveSize) % kWaveSize;
  return SumSquares(model, dw.w + s);
}

PhaseFit FitPhase(const double wave[kWaveSize], const AmplitudeMean& am) {
  const SineTables& t = Tables();
  DoubledWave dw(wave);
  double model[kWaveSize];
  BuildModel(am.halfPeakToPeak, am.mean, 0.0, 1.0, model);
  auto error = [&](int s) { return SumSquares(model, dw.w + s); };

  PhaseFit fit;
  int best = 0;
  double emin = error(0);
  for (int s = 1; s < kWaveSize; s += 10) {
    double e = error(s);
    if (e < emin) {
      best = s;
      emin = e;
    }
  }
  fit.coarseBest = best;

  // Walk down from best + 9 while the error does not grow.
  int s = best + 9;
  if (s > kWaveSize - 1) s = kWaveSize - 1;
  double eref = error(s);
  for (int steps = 0; steps < kMaxDescentSteps; ++steps) {
    s = s == 0 ? kWaveSize - 1 : s - 1;
    double e = error(s);
    if (!(e <= eref)) break;
    best = s;
    eref = e;
  }
  fit.phase = best;

  // Tenths of a degree downward from 0.5; fraction is the last offset that
  // did not make the error grow.
  const double* w = dw.w + fit.phase;
  BuildModel(am.halfPeakToPeak, am.mean, t.fractionSin[0], t.fractionCos[0], model);
  eref = SumSquares(model, w);
  int k = 0;
  for (;;) {
    if (k >= kMaxDescentSteps) break;
    BuildModel(am.halfPeakToPeak, am.mean, t.fractionSin[k + 1], t.fractionCos[k + 1], model);
    double e = SumSquares(model, w);
    if (!(e <= eref)) break;
    eref = e;
    ++k;
  }
  // f stopped one step below offset k; f + 0.1 as the search computes it.
  fit.fraction = t.fractionValue[k + 1] + 0.1;
  return fit;
}

double FitAmplitude(const double wave[kWaveSize], const AmplitudeMean& am, int phase) {
  const SineTables& t = Tables();
  DoubledWave dw(wave);
  // The residual without the sine: mean - W[(phase + i) mod 360].
  double rest[kWaveSize];
  const double* w = dw.w + ((phase % kWaveSize) + kWaveSize) % kWaveSize;
  for (int i = 0; i < kWaveSize; ++i) rest[i] = am.mean - w[i];
  auto error = [&](double a) {
    double e = 0.0;
    for (int i = 0; i < kWaveSize; ++i) {
      double d = a * t.sinDeg[i] + rest[i];
      e += d * d;
    }
    return e;
  };

  double step = am.halfPeakToPeak / 5.0;
  double eref = error(0.05);
  double a = 0.05 + step;
  if (!(step > 0.01)) return a < 0.0 ? 0.0 : a;

  // Each pass compares against the error where the previous pass stopped, so
  // a pass that overshot the best value can come back to it.
  do {
    for (int n = 0; n < kMaxDescentSteps; ++n) {
      double e = error(a);
      if (!(e <= eref)) break;
      eref = e;
      a += step;
    }
    eref = error(a);
    step /= 5.0;
    a -= step;
    for (int n = 0; n < kMaxDescentSteps; ++n) {
      double e = error(a);
      if (!(e <= eref)) break;
      eref = e;
      a -= step;
    }
    eref = error(a);
    step /= 5.0;
    a += step;
  } while (step > 0.01);
  return a < 0.0 ? 0.0 : a;
}

double ReadingAngle(int phase, double fraction, double lagCompensation, double lagEstimate,
                    double mapPhase, bool rightSide, int rightUprightReversed) {
  double angle = (phase + 90) - fraction + lagCompensation - lagEstimate;
  if (rightSide) {
    angle = angle + 0.1 + mapPhase;
    if (rightUprightReversed == 1) angle += 180.0;
  } else {
    angle = angle + mapPhase;
  }
  if (angle >= 360.0) angle -= 360.0;
  return angle;
}

SideFit EvaluateSide(const double wave[kWaveSize], double lagCompensation, double lagEstimate,
                     double mapPhase, bool rightSide, int rightUprightReversed) {
  SideFit fit;
  AmplitudeMean am = AmplitudeAndMean(wave);
  fit.halfPeakToPeak = am.halfPeakToPeak;
  fit.mean = am.mean;
  PhaseFit pf = FitPhase(wave, am);
  fit.phase = pf.phase;
  fit.fraction = pf.fraction;
  fit.reading.amount = FitAmplitude(wave, am, pf.phase);
  fit.reading.angle = ReadingAngle(pf.phase, pf.fraction, lagCompensation, lagEstimate, mapPhase,
                                   rightSide, rightUprightReversed);
  return fit;
}

}  // namespace balancer
