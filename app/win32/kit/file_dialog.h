// The standard open and save dialogs of the job files (cards, histories,
// presets, print pictures). A screen describes the dialog; the kit shows the
// common dialog, or the test's stand-in when one is set in the KitContext.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace balancer {

struct KitContext;

struct FileDialogRequest {
  bool save = false;             // save dialog (prompts before overwriting) or open dialog
  std::string title;             // "Store Bobweight Data"
  std::string filterName;        // "Bobweight Files (.bwi files)"
  std::string patterns;          // "*.bwi", or several: "*.bmp;*.gif;*.jpg"
  std::string defaultExtension;  // "bwi", or empty
  std::string folder;            // where the dialog starts
  std::string proposedName;      // the file name filled in, or empty
};

// The "name\0patterns\0\0" filter the common dialogs take.
std::string FileDialogFilter(const std::string& name, const std::string& patterns);

// Shows the dialog over `owner`. The chosen full path, or nothing when the
// operator cancelled or the dialog failed.
std::optional<std::string> RunFileDialog(KitContext& kit, HWND owner,
                                         const FileDialogRequest& request);

}  // namespace balancer
