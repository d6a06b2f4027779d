#include "app/win32/app_state.h"

#include "app/win32/kit/message_routing.h"

namespace balancer {

void ConnectAppState(AppState& app) {
  app.link.transport = app.transport.get();
  app.link.clock = &app.clock;
  app.link.ui = &app.ui;
  app.link.spinActive = &app.spinActive;
  app.main.instance = app.instance;
  app.main.screenScale = app.screenScale;
  app.main.link = &app.link;
  app.main.message = &app.message;
  app.main.folder = &app.folder;
  app.main.settings = &app.settings;
  app.main.ui = &app.ui;
  app.main.kit = &app.kit;
  app.main.bobweightCard = &app.bobweightCard;
  app.main.rodPistonSet = &app.rodPistonSet;
  app.message.instance = app.instance;
  app.message.screenScale = app.screenScale;
  app.kit.instance = app.instance;
  app.kit.screenScale = app.screenScale;
  ConnectMessageRouting(app.kit);
}

bool RegisterAppWindowClasses(HINSTANCE instance) {
  bool ok = RegisterMainWindowClass(instance);
  ok = RegisterKitWindowClasses(instance) && ok;
  return ok;
}

void ReadWorkArea(int& right, int& bottom) {
  RECT area = {};
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
    right = bottom = 0;
    return;
  }
  right = area.right;
  bottom = area.bottom;
}

}  // namespace balancer
