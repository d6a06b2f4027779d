// The standard open and save dialogs of the job files (cards, histories,
// presets, print pictures). A screen describes the dialog as a FileRequest;
// the kit shows the common dialog, or the test's stand-in when one is set in
// the KitContext.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "base/screen_model.h"

namespace balancer {

struct KitContext;

// The "name\0patterns\0\0" filter the common dialogs take.
std::string FileDialogFilter(const std::string& name, const std::string& patterns);
// The request's file types in order: the first, then the second if any.
std::string FileDialogFilter(const FileRequest& request);

// Shows the dialog over `owner`. The chosen full path, or nothing when the
// operator cancelled or the dialog failed.
std::optional<std::string> RunFileDialog(KitContext& kit, HWND owner, const FileRequest& request);

}  // namespace balancer
