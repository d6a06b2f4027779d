// The common print dialog of the card and the shaft report. A caller states
// the page range it offers; the kit shows the dialog, or the test's stand-in
// when one is set in the KitContext.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

namespace balancer {

struct KitContext;

struct PrintDialogRequest {
  int minPage = 1;
  int maxPage = 1;
  int fromPage = 1;  // the range preset in the dialog
  int toPage = 1;
  int copies = 1;
};

// Why the dialog gave no device context although it was not cancelled.
enum class PrintDialogFailure {
  kNone,
  kNoPrinter,  // no printer installed (or no default one)
  kFailed,     // the printer's device context could not be made
};

struct PrintDialogResult {
  HDC dc = nullptr;  // the printer's device context, deleted by whoever prints
  // Why there is no device context; kNone when there is one.
  PrintDialogFailure failure = PrintDialogFailure::kNone;
  int fromPage = 1;  // the range chosen
  int toPage = 1;
  // False for a stand-in's memory device context: no document is started
  // on it, each page is drawn on a white page and handed to pageDone, which
  // answers false for a page the "printer" failed.
  bool printer = true;
  int width = 0;  // printable size in device units; 0 asks the device context
  int height = 0;
  std::function<bool(int pageIndex)> pageDone;
};

// Shows the dialog over `owner`: selection and print-to-file hidden, the
// request's range preset, one copy. Nothing when the operator cancelled; a
// result without a device context (and its failure) when there was no
// printer to print on.
std::optional<PrintDialogResult> RunPrintDialog(KitContext& kit, HWND owner,
                                                const PrintDialogRequest& request);

}  // namespace balancer
