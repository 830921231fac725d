// "&Print..." and "Printer Setup..." of the plot window on a QPrinter. The
// program keeps one printer for the whole run, so that what the setup dialog
// chose holds for every later print.
#pragma once

class QPrinter;
class QWidget;

namespace zeb {

class PlotWindow;
class PrintingNotice;

// The printer of the program.
QPrinter& ProgramPrinter();
// The print notice, created once and reused.
PrintingNotice& PrintNotice();

// "&Print...": the print dialog (cancel does nothing), then the notice naming
// the printer while one job per copy is sent. Returns the number of copies printed.
int PrintWindow(PlotWindow& window, QWidget* parent);

// The jobs without the dialog: `copies` documents with the job title
// "ZEB-Stat: Printing Results" (printing to a file puts the copies one after
// the other into that file). A job that cannot start is reported and ends the
// printing. A file is printed into a temporary file that then replaces it
// whole; a file that may not be replaced or a failed write is reported with
// its reason, prints nothing and leaves the file as it was. A window without a
// chart (loading, no data) prints nothing. Returns the number of copies printed.
int PrintCopies(PlotWindow& window, QPrinter& printer, int copies, PrintingNotice* notice);

// "Printer Setup...": the page setup dialog of the program's printer.
void PrinterSetup(QWidget* parent);

} // namespace zeb
