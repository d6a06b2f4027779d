// What the Unbalance History and Dimension Presets windows share: carrying
// out a decision of their models (a file dialog, a name typed on the touch
// keyboard first, a question, repaints, the settings written on close).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

#include "app/win32/kit/child_screen.h"
#include "records/file_request.h"

namespace balancer {

// Where the touch keyboard opens for a file name, design units.
constexpr int kNameEntryX = 190;
constexpr int kNameEntryY = 60;

class FileScreenWindow : public ChildScreen {
 public:
  using ChildScreen::ChildScreen;

 protected:
  // The model's answers to what the window hands back.
  virtual FileScreenPress NameEntered(const std::string& typed) = 0;
  virtual FileScreenPress FileChosen(const FileRequest& request,
                                     const std::optional<std::string>& path) = 0;
  virtual FileScreenPress Answered(int actionCode, bool accepted) {
    (void)actionCode, (void)accepted;
    return FileScreenPress{};
  }

  // Call from OnCreate: typed names come back to this screen.
  void ListenForNames();
  void OnDestroy() override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  // Carries out a decision. False when the screen is gone.
  bool CarryOut(const FileScreenPress& press);
  // This window and its value boxes.
  void RepaintAll();

 private:
  int nameCode_ = 0;  // the text entry this screen waits for, 0 for none
};

// A file screen whose presses, keys, close box (as `exitId`), typed names and
// dialog answers go to its model (Press, Key, NameEntered, FileChosen).
template <class Model>
class ModelFileScreen : public FileScreenWindow {
 protected:
  template <class... ModelArgs>
  ModelFileScreen(const ScreenContext& context, int exitId, ModelArgs&&... modelArgs)
      : FileScreenWindow(context), model_(std::forward<ModelArgs>(modelArgs)...), exitId_(exitId) {}

  void OnCommand(int id) override { CarryOut(model_.Press(id)); }
  void OnChar(int character) override { CarryOut(model_.Key(character)); }
  void OnCloseRequest() override { CarryOut(model_.Press(exitId_)); }
  FileScreenPress NameEntered(const std::string& typed) override {
    return model_.NameEntered(typed);
  }
  FileScreenPress FileChosen(const FileRequest& request,
                             const std::optional<std::string>& path) override {
    return model_.FileChosen(request, path);
  }

  Model model_;

 private:
  int exitId_;
};

}  // namespace balancer
