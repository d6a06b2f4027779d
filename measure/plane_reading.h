#pragma once

namespace balancer {
struct PlaneReading {
  double amount = 0.0;
  double angle = 0.0;
};
}  // namespace balancer
