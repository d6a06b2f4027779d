#include "app/win32/kit/screen_registry.h"

#include <array>

namespace balancer {

namespace {

// Made on first use, so a window registering during static start-up never
// finds it unbuilt, whatever the order the objects are started in.
std::array<ScreenOpener, 256>& Openers() {
  static std::array<ScreenOpener, 256> openers{};
  return openers;
}

}  // namespace

bool RegisterScreen(char code, ScreenOpener open) {
  if (code == 0 || open == nullptr) return false;
  ScreenOpener& slot = Openers()[static_cast<unsigned char>(code)];
  if (slot != nullptr) return false;
  slot = open;
  return true;
}

ScreenOpener RegisteredScreen(char code) {
  if (code == 0) return nullptr;
  return Openers()[static_cast<unsigned char>(code)];
}

HWND OpenRegisteredScreen(char code, const ScreenContext& context, ChildScreen* parent) {
  ScreenOpener open = RegisteredScreen(code);
  return open != nullptr ? open(context, parent) : nullptr;
}

}  // namespace balancer
