#include "app/win32/kit/print_dialog.h"

#include <commdlg.h>

#include "app/win32/kit/kit_context.h"

namespace balancer {

std::optional<PrintDialogResult> RunPrintDialog(KitContext& kit, HWND owner,
                                                const PrintDialogRequest& request) {
  if (kit.printDialogStandIn) return kit.printDialogStandIn(owner, request);

  PRINTDLGA pd = {};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = owner;
  pd.Flags = PD_RETURNDC | PD_NOSELECTION | PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIESANDCOLLATE;
  pd.nMinPage = static_cast<WORD>(request.minPage);
  pd.nMaxPage = static_cast<WORD>(request.maxPage);
  pd.nFromPage = static_cast<WORD>(request.fromPage);
  pd.nToPage = static_cast<WORD>(request.toPage);
  pd.nCopies = static_cast<WORD>(request.copies);
  const BOOL chosen = PrintDlgA(&pd);
  if (pd.hDevMode != nullptr) GlobalFree(pd.hDevMode);
  if (pd.hDevNames != nullptr) GlobalFree(pd.hDevNames);
  if (!chosen || pd.hDC == nullptr) return std::nullopt;

  PrintDialogResult result;
  result.dc = pd.hDC;
  // "All" prints the preset range; "Pages" the typed one.
  if (pd.Flags & PD_PAGENUMS) {
    result.fromPage = pd.nFromPage;
    result.toPage = pd.nToPage;
  } else {
    result.fromPage = request.fromPage;
    result.toPage = request.toPage;
  }
  return result;
}

}  // namespace balancer
