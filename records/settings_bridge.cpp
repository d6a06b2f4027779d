#include "records/settings_bridge.h"

namespace balancer {

ControlConfig ControlConfigFromSettings(const MachineSettings& settings) {
  ControlConfig config;
  config.lagCompensationLeft = settings.lagCompensationLeft;
  config.lagCompensationRight = settings.lagCompensationRight;
  config.calibrationFactorLeft = settings.calibrationFactorLeft;
  config.calibrationFactorRight = settings.calibrationFactorRight;
  config.sensorType = settings.sensorType;
  config.spareValueA = settings.spareValueA;
  config.spareValueB = settings.spareValueB;
  config.suspension = settings.suspension;
  config.encoderCountIndex = settings.encoderCountIndex;
  config.encoderDirection = settings.encoderDirection;
  return config;
}

void ApplyControlConfig(MachineSettings& settings, const ControlConfig& config) {
  settings.lagCompensationLeft = config.lagCompensationLeft;
  settings.lagCompensationRight = config.lagCompensationRight;
  settings.calibrationFactorLeft = config.calibrationFactorLeft;
  settings.calibrationFactorRight = config.calibrationFactorRight;
  settings.sensorType = config.sensorType;
  settings.spareValueA = config.spareValueA;
  settings.spareValueB = config.spareValueB;
  settings.suspension = config.suspension;
  settings.encoderCountIndex = config.encoderCountIndex;
  settings.encoderDirection = config.encoderDirection;
}

}  // namespace balancer
