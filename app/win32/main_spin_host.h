// What a spin started from the main window asks of that window. The main
// window implements it; the spin's drawing and its SpinHost reach the window
// only through it. Every call is made on the GUI thread and returns at once.
#pragma once

#include <windows.h>

namespace balancer {

class MainSpinHost {
 public:
  virtual ~MainSpinHost() = default;

  // The Spin picture button, or null while the window has none.
  virtual HWND SpinButton() const = 0;

  // The status field in pixels (it moves with the balancing mode).
  virtual RECT StatusField() const = 0;

  // Whether the control is connected now.
  virtual bool Connected() const = 0;

  // Recomputes the corrections from the readings the spin has just left in
  // the window's state; the caller repaints.
  virtual void RecomputeCorrections() = 0;

  // Runs a main-window command as its button would (the spin switches Drill
  // Point off through its command, which recomputes and repaints).
  virtual void SendCommand(int id) = 0;
};

}  // namespace balancer
