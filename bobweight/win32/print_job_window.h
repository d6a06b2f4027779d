// Printing the bobweight card and the shaft report from the screens: the
// job-name question, the common print dialog, one document of the chosen
// pages on the printer's device context.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/win32/kit/child_screen.h"
#include "app/win32/kit/print_dialog.h"
#include "bobweight/win32/print_page_gdi.h"

namespace balancer {

enum class PrintOutcome {
  kNothingToPrint,  // no card (or no history) in this run
  kAskedJobName,    // the job-name question is open; printing goes on from its answer
  kCancelled,       // the print dialog was cancelled: no message
  kNoPrinter,       // no printer installed: the operator is told
  kNotStarted,      // the document could not be started: the operator is told
  kInterrupted,     // a page or the end of the document failed: the operator is told
  kPrinted,
};

// "Print" of the Bobweight Calculation window. Without a job name the
// question is asked of `from` (the screen pressed) and the card is not
// printed (Print is pressed again).
PrintOutcome PrintBobweightCard(const ScreenContext& context, ChildScreen& from);

// "Print" of the Unbalance History window: always asks the job name first
// of `from` and prints the report when it is given.
PrintOutcome PrintShaftReport(const ScreenContext& context, ChildScreen& from);

struct PrintRun {
  bool started = false;   // the document was started
  int pages = 0;          // pages that went through
  bool complete = false;  // every page and the end of the document went through
};

// Prints `pages` as one document on the dialog's device context and frees
// it. A failed page aborts the document.
PrintRun PrintDocument(PrintDialogResult& target, const std::string& documentName,
                       const std::vector<PrintPage>& pages, const PrintPageStyle& style);

}  // namespace balancer
