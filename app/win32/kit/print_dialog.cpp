#include "app/win32/kit/print_dialog.h"

#include <cderr.h>
#include <commdlg.h>
#include <winspool.h>

#include "app/win32/kit/kit_context.h"

namespace balancer {

namespace {

// Whether Windows has any printer. Some print dialogs tell the operator
// there is none themselves and then end as a cancel does.
bool AnyPrinterInstalled() {
  DWORD needed = 0, count = 0;
  EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed,
                &count);
  return needed > 0 || count > 0;
}

}  // namespace

std::optional<PrintDialogResult> RunPrintDialog(KitContext& kit, HWND owner,
                                                const PrintDialogRequest& request) {
  if (kit.printDialogStandIn) return kit.printDialogStandIn(owner, request);

  PRINTDLGA pd = {};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = owner;
  // PD_NOWARNING: the caller tells a missing printer in the program's own
  // message, as it does a failed job.
  pd.Flags = PD_RETURNDC | PD_NOSELECTION | PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIESANDCOLLATE |
             PD_NOWARNING;
  pd.nMinPage = static_cast<WORD>(request.minPage);
  pd.nMaxPage = static_cast<WORD>(request.maxPage);
  pd.nFromPage = static_cast<WORD>(request.fromPage);
  pd.nToPage = static_cast<WORD>(request.toPage);
  pd.nCopies = static_cast<WORD>(request.copies);
  const BOOL chosen = PrintDlgA(&pd);
  DWORD error = chosen ? 0 : CommDlgExtendedError();
  if (!chosen && error == 0 && !AnyPrinterInstalled()) error = PDERR_NODEFAULTPRN;
  if (pd.hDevMode != nullptr) GlobalFree(pd.hDevMode);
  if (pd.hDevNames != nullptr) GlobalFree(pd.hDevNames);
  if (!chosen && error == 0) return std::nullopt;  // cancelled

  PrintDialogResult result;
  if (!chosen || pd.hDC == nullptr) {
    if (pd.hDC != nullptr) DeleteDC(pd.hDC);
    result.failure = error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES
                         ? PrintDialogFailure::kNoPrinter
                         : PrintDialogFailure::kFailed;
    return result;
  }
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
