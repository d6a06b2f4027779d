// Independent decoding of what the control sends, for the simulator tests.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

namespace balancer::sim::testing {

struct RefGroup {
  int left = 0;
  int right = 0;
};

struct RefPacket {
  int groups = 0;
  int step = 0;
  int angle = 0;
  std::vector<RefGroup> values;
};

inline int Signed16(uint8_t low, uint8_t high) {
  return static_cast<int8_t>(high) * 256 + low;
}

inline RefPacket DecodeRef(const uint8_t* reply) {
  RefPacket p;
  p.groups = static_cast<int8_t>(reply[0]);
  p.step = static_cast<int8_t>(reply[1]);
  p.angle = Signed16(reply[2], reply[3]);
  for (int k = 0; k < p.groups && k < 20; ++k) {
    const uint8_t* g = reply + 4 + 3 * k;
    p.values.push_back(RefGroup{(g[1] >> 4) * 256 + g[0], (g[1] & 0x0F) * 256 + g[2]});
  }
  return p;
}

// Per-degree sums: each group's value held over the degrees of its step.
struct DegreeAccumulator {
  double sum[2][360] = {};
  int count[360] = {};

  void Add(const RefPacket& p) {
    for (int k = 0; k < static_cast<int>(p.values.size()); ++k) {
      for (int j = 0; j < p.step; ++j) {
        int d = ((p.angle + k * p.step + j) % 360 + 360) % 360;
        sum[0][d] += p.values[k].left;
        sum[1][d] += p.values[k].right;
        ++count[d];
      }
    }
  }

  bool Complete() const {
    for (int c : count) {
      if (c == 0) return false;
    }
    return true;
  }

  // Single-bin DFT of the per-degree mean at `order` cycles per revolution:
  // amplitude (counts) and the phase in degrees of that order, so that for
  // order 1 it is the encoder degree of the maximum (0..360).
  void Bin(int side, int order, double& amplitude, double& phase) const {
    const double k = 3.14159265358979323846 / 180.0;
    double re = 0;
    double im = 0;
    for (int d = 0; d < 360; ++d) {
      double w = sum[side][d] / count[d];
      re += w * std::cos(order * d * k);
      im -= w * std::sin(order * d * k);
    }
    amplitude = 2.0 * std::hypot(re, im) / 360.0;
    phase = -std::atan2(im, re) / k;
    if (phase < 0) phase += 360.0;
  }
  void Fundamental(int side, double& amplitude, double& peakDegree) const {
    Bin(side, 1, amplitude, peakDegree);
  }
};

// Difference of two angles folded to -180..180.
inline double AngleDiff(double a, double b) {
  double d = std::fmod(a - b, 360.0);
  if (d > 180) d -= 360;
  if (d < -180) d += 360;
  return d;
}

}  // namespace balancer::sim::testing
