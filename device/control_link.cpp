#include "device/control_link.h"

#include <cstdio>
#include <cstring>

#include "base/operator_ui.h"
#include "device/usb_layout.h"

namespace balancer {

void OpenControl(ControlLink& link) {
  const bool wasConnected = link.connected == 1;
  link.connected = 0;
  if (link.clock != nullptr && link.performanceFrequency == 0) {
    link.performanceFrequency = link.clock->PerformanceFrequency();
  }
  if (link.transport == nullptr) return;

  uint8_t descriptor[kDeviceDescriptorSize] = {};
  if (!link.transport->Open(descriptor)) return;
  std::memcpy(link.deviceDescriptor, descriptor, sizeof descriptor);
  link.FirmwareVersion = ParseDeviceDescriptor(descriptor).firmwareVersion;
  link.connected = 1;
  // The control's photo-eye zero does not survive an unplug; ours must not either.
  if (!wasConnected) link.SoftZeroActive = 0;
  if (link.mainWindowExists && link.ui != nullptr) {
    link.ui->RequestRepaint(RepaintArea::kHardwareStatus);
  }
}

int CloseControl(ControlLink& link) {
  if (link.transport == nullptr) return 0;
  return link.transport->Close(link.connected == 1) ? 1 : 0;
}

void StoreDataStage(const uint8_t* received, uint32_t transferred, uint8_t reply[kReplySize]) {
  if (received == nullptr || reply == nullptr) return;
  const uint32_t n = transferred < kReplySize ? transferred : kReplySize;
  std::memcpy(reply, received, n);
}

uint32_t ControlRequest(ControlLink& link, uint8_t request, uint16_t value) {
  if (link.transport == nullptr) {
    link.TransferErrorLatch = 1;
    ++link.transferFailures;
    return kErrorBadCommand;
  }
  // A transport that scribbles on its buffer while failing must not change
  // what the callers decode, so the reply is copied only on success. The
  // buffer starts as the previous reply, which a short data stage keeps
  // past its end.
  uint8_t buffer[kReplySize];
  std::memcpy(buffer, link.reply, sizeof buffer);
  uint32_t error = link.transport->ControlIn(request, value, buffer);
  if (error != 0) {
    link.TransferErrorLatch = 1;
    ++link.transferFailures;
    return error;
  }
  std::memcpy(link.reply, buffer, sizeof buffer);
  link.TransferErrorLatch = 0;
  return 0;
}

uint32_t DelayMs(ControlLink& link, uint32_t ms) {
  if (link.clock == nullptr) return 0;
  return link.clock->DelayMs(ms);
}

void PacingWait(ControlLink& link) {
  if (link.clock != nullptr) link.clock->PacingWait();
}

void FormatFirmwareVersion(uint16_t version, char* out, int size) {
  if (out == nullptr || size <= 0) return;
  std::snprintf(out, static_cast<size_t>(size), "Firmware Version %d.%02d", version >> 8,
                version & 0xFF);
}

}  // namespace balancer
