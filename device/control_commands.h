// The control's vendor request set and the small command routines on it.
// Every routine returns 0 without a transfer while the link is not connected.
#pragma once

#include <cstdint>
#include <optional>

#include "device/control_link.h"

namespace balancer {

// Request codes.
enum : uint8_t {
  kRequestZero = 0,
  kRequestMotorPower = 1,
  kRequestAngleAndSamples = 2,
  kRequestReadEeprom = 3,
  kRequestWriteEeprom = 4,
  kRequestOptionPulse = 6,
  kRequestAbsolutePosition = 7,
  kRequestPhotoEyeMode = 8,
};

constexpr int kMaxSampleGroups = 20;
constexpr int kEepromOptionPortAddress = 150;
constexpr int16_t kNoAbsolutePosition = -32768;

// (high byte as signed 8-bit) * 256 + low byte.
int DecodeSigned16(uint8_t low, uint8_t high);

// A decoded reply of request 2. `groups` is clamped to 0..20 so a decoder
// never reads past the 64 bytes.
struct SamplePacket {
  int groups = 0;     // as used (clamped)
  int rawGroups = 0;  // byte 0 as sent
  int step = 0;       // degrees per group; below 1: cannot sample at this speed
  int angle = 0;      // angle of group 0
  uint16_t left[kMaxSampleGroups] = {};
  uint16_t right[kMaxSampleGroups] = {};
};
SamplePacket DecodeSamplePacket(const uint8_t reply[64]);
// Packs a group as the control does (a, b, c bytes); used by the simulator.
void EncodeSampleGroup(uint16_t left, uint16_t right, uint8_t out[3]);

// Request 1. Returns the speed in rpm; sets RemoteStartFlag; a failed
// transfer clears SpinActive (the stale reply is still decoded).
int SetMotorPower(ControlLink& link, int power);

// Request 2. Returns the angle (with the soft zero applied); re-discovers the
// control after error 22; paces with 1 ms when the counter is above 9 MHz.
// The packet stays in link.reply.
int ReadShaftAngle(ControlLink& link);

// Request 0, then a 10 ms wait.
void ZeroShaftAngle(ControlLink& link);

// The "Zero Shaft" action: with the soft zero active the offset moves in
// software, otherwise the control is zeroed. Returns the angle that became
// the new zero, or -1 when nothing was zeroed (no control, or lost on the
// way).
int ZeroShaftAction(ControlLink& link);

// Request 3; returns link.reply.
const uint8_t* ReadEepromBlock(ControlLink& link, int address);

// Request 4 with wValue = address * 256 + data.
void WriteEepromByte(ControlLink& link, int address, int data);

// Motor-stop pulse: firmware 3.04 with option port type 0, 1 or 3 only.
void PulseBrake(ControlLink& link);
bool BrakePulseConfigured(const ControlLink& link);

// Request 7. For 1 returns the signed position (-32768 = none); for 0 returns 0.
int ReadAbsolutePosition(ControlLink& link, int value);

// Request 8.
void SetPhotoEyeMode(ControlLink& link, int modeByte);
// 0xC2 for direction 1, 0xE2 for direction 0.
int PhotoEyeOnByte(int photoEyeEncoderDirection);
// Flags byte AND 0xFD: takes the option port out of photo-eye mode.
int PhotoEyeOffByte(const ControlLink& link);

// Shaft speed in rpm at the present MotorPower: firmware 3.00 and later five
// reads averaged; older firmware the filtered 20-read average. Empty when no
// speed was measured: not connected, or the filtered average gave up because
// no read survived its first filter (a stopped shaft, or reads that jump
// around). A spin ends on an empty result; a display outside spins shows 0.
// A failed read clears SpinActive as SetMotorPower does. Blocks for the reads.
std::optional<double> ReadAverageSpeed(ControlLink& link);

// How many 20-read rounds the old-firmware average tries before it gives up.
constexpr int kFilteredAverageMaxRounds = 5;

}  // namespace balancer
