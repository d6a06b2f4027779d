#include "device/win32/winusb_transport.h"

#include <windows.h>
// windows.h first: the SetupAPI and WinUSB headers rely on its types.
#include <setupapi.h>
#include <winusb.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>

#include "device/usb_layout.h"

namespace balancer {

namespace {

// GUID_DEVINTERFACE_USB_DEVICE, spelled out so no INITGUID translation unit
// is needed.
const GUID kUsbDeviceInterface = {
    0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xEB}};

// The detail record's size field must hold sizeof the fixed part as the
// system's own build of the structure sees it: 5 on 32-bit Windows (packed
// to 1 byte) and 8 on 64-bit. sizeof gives the right one for this build.
static_assert(sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) == (sizeof(void*) == 8 ? 8 : 5),
              "SetupAPI detail record size does not match the target");

using InitializeFn = BOOL(WINAPI*)(HANDLE, PWINUSB_INTERFACE_HANDLE);
using FreeFn = BOOL(WINAPI*)(WINUSB_INTERFACE_HANDLE);
using GetDescriptorFn = BOOL(WINAPI*)(WINUSB_INTERFACE_HANDLE, UCHAR, UCHAR, USHORT, PUCHAR, ULONG,
                                      PULONG);
using ControlTransferFn = BOOL(WINAPI*)(WINUSB_INTERFACE_HANDLE, WINUSB_SETUP_PACKET, PUCHAR, ULONG,
                                        PULONG, LPOVERLAPPED);

constexpr UCHAR kDeviceDescriptorType = 1;
constexpr USHORT kEnglishUs = 0x0409;

struct WinUsbApi {
  bool loaded = false;
  InitializeFn initialize = nullptr;
  FreeFn free = nullptr;
  GetDescriptorFn getDescriptor = nullptr;
  ControlTransferFn controlTransfer = nullptr;
};

// winusb.dll comes with the driver; loaded once and kept for the run.
const WinUsbApi& Api() {
  static WinUsbApi api = [] {
    WinUsbApi a;
    HMODULE dll = LoadLibraryA("winusb.dll");
    if (dll == nullptr) return a;
    a.initialize = reinterpret_cast<InitializeFn>(
        reinterpret_cast<void*>(GetProcAddress(dll, "WinUsb_Initialize")));
    a.free = reinterpret_cast<FreeFn>(reinterpret_cast<void*>(GetProcAddress(dll, "WinUsb_Free")));
    a.getDescriptor = reinterpret_cast<GetDescriptorFn>(
        reinterpret_cast<void*>(GetProcAddress(dll, "WinUsb_GetDescriptor")));
    a.controlTransfer = reinterpret_cast<ControlTransferFn>(
        reinterpret_cast<void*>(GetProcAddress(dll, "WinUsb_ControlTransfer")));
    a.loaded = a.initialize && a.free && a.getDescriptor && a.controlTransfer;
    return a;
  }();
  return api;
}

}  // namespace

DevicePathVerdict ClassifyDevicePath(bool detailRead, const char* path) {
  if (!detailRead || path == nullptr) return DevicePathVerdict::kEndSearch;
  // The path must fit the 256-character buffer with its terminator.
  if (std::strlen(path) >= static_cast<size_t>(kDevicePathSize)) {
    return DevicePathVerdict::kEndSearch;
  }
  return std::strstr(path, kControlPathMatch) != nullptr ? DevicePathVerdict::kOpen
                                                         : DevicePathVerdict::kNext;
}

WinUsbTransport::~WinUsbTransport() {
  Close(interface_ != nullptr);
}

void* WinUsbTransport::FindAndOpenDevice() {
  HDEVINFO list = SetupDiGetClassDevsA(&kUsbDeviceInterface, nullptr, nullptr,
                                       DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (list == INVALID_HANDLE_VALUE) return nullptr;

  for (DWORD index = 0;; ++index) {
    SP_DEVICE_INTERFACE_DATA interfaceData;
    std::memset(&interfaceData, 0, sizeof interfaceData);
    interfaceData.cbSize = sizeof interfaceData;
    if (!SetupDiEnumDeviceInterfaces(list, nullptr, &kUsbDeviceInterface, index, &interfaceData)) {
      break;  // no more interfaces
    }

    DWORD needed = 0;
    SetupDiGetDeviceInterfaceDetailA(list, &interfaceData, nullptr, 0, &needed, nullptr);
    bool detailRead = false;
    std::string path;
    const size_t pathOffset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
    if (needed > pathOffset) {
      auto* detail = static_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(std::calloc(1, needed));
      if (detail != nullptr) {
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
        if (SetupDiGetDeviceInterfaceDetailA(list, &interfaceData, detail, needed, nullptr,
                                             nullptr)) {
          // Bounded by the allocation in case the terminator is missing.
          path.assign(detail->DevicePath, strnlen(detail->DevicePath, needed - pathOffset));
          detailRead = true;
        }
        std::free(detail);
      }
    }

    DevicePathVerdict verdict = ClassifyDevicePath(detailRead, path.c_str());
    if (verdict == DevicePathVerdict::kEndSearch) break;
    if (verdict == DevicePathVerdict::kNext) continue;

    SetupDiDestroyDeviceInfoList(list);
    // The classifier let through only paths that fit the buffer.
    std::memset(devicePath_, 0, sizeof devicePath_);
    std::memcpy(devicePath_, path.data(), path.size());
    HANDLE file =
        CreateFileA(devicePath_, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr);
    return file == INVALID_HANDLE_VALUE ? nullptr : file;
  }
  SetupDiDestroyDeviceInfoList(list);
  return nullptr;
}

bool WinUsbTransport::Open(uint8_t descriptor[kDeviceDescriptorSize]) {
  // A second open without a close would leak the old handles.
  if (device_ != nullptr || interface_ != nullptr) Close(true);

  HANDLE file = static_cast<HANDLE>(FindAndOpenDevice());
  if (file == nullptr) return false;

  const WinUsbApi& api = Api();
  WINUSB_INTERFACE_HANDLE usb = nullptr;
  if (!api.loaded || !api.initialize(file, &usb)) {
    CloseHandle(file);
    return false;
  }
  device_ = file;
  interface_ = usb;

  UCHAR buffer[kDeviceDescriptorSize] = {};
  ULONG transferred = 0;
  api.getDescriptor(usb, kDeviceDescriptorType, 0, kEnglishUs, buffer, sizeof buffer, &transferred);
  std::memcpy(descriptor, buffer, sizeof buffer);
  return true;
}

uint32_t WinUsbTransport::ControlIn(uint8_t request, uint16_t value, uint8_t reply[kReplySize]) {
  const WinUsbApi& api = Api();
  if (interface_ == nullptr || !api.loaded) return ERROR_INVALID_HANDLE;
  const SetupPacket packet = VendorInSetup(request, value);
  WINUSB_SETUP_PACKET setup;
  setup.RequestType = packet.requestType;
  setup.Request = packet.request;
  setup.Value = packet.value;
  setup.Index = packet.index;
  setup.Length = packet.length;
  // Into a local buffer: a failed transfer leaves the caller's reply alone,
  // and a short one replaces only the bytes the control sent.
  UCHAR buffer[kReplySize] = {};
  ULONG transferred = 0;
  if (!api.controlTransfer(interface_, setup, buffer, kReplySize, &transferred, nullptr)) {
    DWORD error = GetLastError();
    return error != 0 ? error : ERROR_GEN_FAILURE;
  }
  StoreDataStage(buffer, transferred, reply);
  return 0;
}

bool WinUsbTransport::Close(bool releaseInterface) {
  if (releaseInterface && interface_ != nullptr) {
    const WinUsbApi& api = Api();
    if (api.loaded) api.free(interface_);
    interface_ = nullptr;
  }
  if (device_ == nullptr) return false;
  CloseHandle(static_cast<HANDLE>(device_));
  device_ = nullptr;
  return true;
}

}  // namespace balancer
