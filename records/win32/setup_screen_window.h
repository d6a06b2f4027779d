// What the Machine Setup and Machine Calibration windows share: a column of
// buttons made from the screen model's rows with the values drawn beside
// them, and the carrying out of a press the model decided.
#pragma once

#include <windows.h>

#include <vector>

#include "app/win32/kit/child_screen.h"
#include "records/screen_row.h"

namespace balancer {

class SetupScreenWindow : public ChildScreen {
 public:
  using ChildScreen::ChildScreen;

 protected:
  // The rows as they stand now.
  virtual std::vector<ScreenRow> CurrentRows() const = 0;
  // A press of button `id` on the model.
  virtual SetupPress PressButton(int id, SetupRecords& records) = 0;
  // The button a character presses, 0 for none.
  virtual int ButtonForKey(int character) const = 0;
  // Just before an entry window opens for `code`.
  virtual void BeforeEntry(int code) { (void)code; }

  // Makes the fonts and one button per row and fits the window around
  // `client` (design units).
  void Build(const DesignBox& client, DWORD style);

  void OnPaint(HDC dc) override;
  void OnCommand(int id) override;
  void OnChar(int character) override;
  // Esc, the close box and Exit: the settings are written as the window goes.
  void OnCloseRequest() override { CloseAndWrite(); }
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  bool HasRecords() const;

 private:
  void CarryOut(const SetupPress& press);
  void CloseAndWrite();

  HFONT buttonFont_ = nullptr;
  HFONT valueFont_ = nullptr;
};

}  // namespace balancer
