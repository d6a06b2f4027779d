// The software update check on Windows: the progress window ("updateclass",
// titled "update"), the messages through the dialogue kit, and the start of
// the downloaded installer.
#pragma once

#include <windows.h>

#include <memory>

#include "app/win32/kit/kit_context.h"
#include "update/downloader.h"
#include "update/update_server.h"

namespace balancer {

// The update check's state for the whole run; the main window owns one.
struct UpdateSession {
  std::unique_ptr<Downloader> downloader;  // the system's unless a test sets one
  UpdateServer server;
  HWND progress = nullptr;
  // "Connecting to server..." until the first download of the installer;
  // never set again.
  bool connecting = true;
  HFONT font = nullptr;
  // Starts the downloaded installer; ShellExecuteA "open" unless a test
  // sets it. Returns false when it could not be started.
  bool (*startInstaller)(const std::string& path) = nullptr;
};

// "Update Software": checks the server and shows the result, or the offer
// (ActionCode 180) whose answer comes to AnswerUpdateOffer.
void StartUpdateCheck(KitContext& kit, UpdateSession& session);

// UPDATE (accepted) fetches and starts the installer; CANCEL closes the
// progress window and gives the Machine Setup window back.
void AnswerUpdateOffer(KitContext& kit, UpdateSession& session, bool accepted);

}  // namespace balancer
