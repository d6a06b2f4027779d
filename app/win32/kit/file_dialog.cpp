#include "app/win32/kit/file_dialog.h"

#include <commdlg.h>

#include <cstring>

#include "app/win32/kit/kit_context.h"

namespace balancer {

std::string FileDialogFilter(const std::string& name, const std::string& patterns) {
  std::string filter = name;
  filter.push_back('\0');
  filter += patterns;
  filter.push_back('\0');
  filter.push_back('\0');
  return filter;
}

std::string FileDialogFilter(const FileRequest& request) {
  std::string filter = FileDialogFilter(request.filterName, request.patterns);
  if (request.secondFilterName.empty()) return filter;
  filter.pop_back();  // the list's end comes after the second type
  return filter + FileDialogFilter(request.secondFilterName, request.secondPatterns);
}

std::optional<std::string> RunFileDialog(KitContext& kit, HWND owner, const FileRequest& request) {
  if (kit.fileDialogStandIn) return kit.fileDialogStandIn(owner, request);

  // MAX_PATH characters with the terminator; a longer proposal is left out
  // rather than cut into a different name.
  char file[MAX_PATH] = {};
  if (request.proposedName.size() < sizeof file) {
    std::memcpy(file, request.proposedName.c_str(), request.proposedName.size() + 1);
  }
  const std::string filter = FileDialogFilter(request);

  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.hInstance = kit.instance;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrInitialDir = request.folder.empty() ? nullptr : request.folder.c_str();
  ofn.lpstrTitle = request.title.c_str();
  ofn.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
  // The program's own files are found through its folder, never the current
  // directory, but a dialog must not move it either.
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  ofn.Flags |= request.save ? OFN_OVERWRITEPROMPT : (OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);

  const BOOL chosen = request.save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!chosen || file[0] == '\0') return std::nullopt;
  return PathOfChosenType(request, file, static_cast<int>(ofn.nFilterIndex));
}

}  // namespace balancer
