#include "cli/Usage.h"

namespace zeb::cli {

#ifndef ZEBSTAT_VERSION
#define ZEBSTAT_VERSION "unknown"
#endif

const char* const kVersionText = "zebstat-batch " ZEBSTAT_VERSION;

namespace {

const char* const kProgram =
    "usage: zebstat-batch eval [options] FILE...\n"
    "       zebstat-batch eval --session FILE.zeb [options] [FILE...]\n"
    "       zebstat-batch series [options] FILE|FOLDER|PATTERN...\n"
    "       zebstat-batch series --manifest MANIFEST.csv [options]\n"
    "       zebstat-batch fit [--order N] [--weight] TABLE\n"
    "       zebstat-batch formfactor --model M[,M...] --representation R --rg NM [--mw GPM]\n"
    "                                [--data FILE --conc I [eval's --plot .. --deactivate]] [--q-max PER_CM]\n"
    "       zebstat-batch COMMAND --help     the options of a command\n"
    "       zebstat-batch --version\n"
    "\n"
    "The light-scattering evaluation of ZEBstat without a screen. Exit status: 0 success,\n"
    "1 a file could not be loaded or written, 2 bad usage.\n";

const char* const kEval =
    "usage: zebstat-batch eval [options] FILE...\n"
    "       zebstat-batch eval --session FILE.zeb [options] [FILE...]\n"
    "\n"
    "Loads the files into one plot window (the first as a new window, the others as\n"
    "\"Add data file...\"), calculates and reports. Review dialogs are answered with\n"
    "\"Continue without any change\", questions with their default answer; every\n"
    "message box goes to standard error as CAPTION: TEXT. Files are .sta, .dat, .plt,\n"
    ".plx or .asc.\n"
    "\n"
    "Evaluation:\n"
    "  --plot zimm|berry|guinier|d1|d2|d3   plot type (default zimm)\n"
    "  --q-order N, --c-order N             fit orders 0..5 (default 0 = \"no\")\n"
    "  --smooth                             smoothing on\n"
    "  --weight                             weight the fits with the points' errors\n"
    "  --k VALUE                            k in the displayed unit (default: automatic)\n"
    "  --deactivate C:A[,C:A...]            switch off measured points (concentration:angle)\n"
    "Saved evaluations:\n"
    "  --session FILE.zeb                   evaluate a saved evaluation; options given override it\n"
    "  --no-smooth, --no-weight             switch off the saved smoothing or weighting\n"
    "  --save-session FILE.zeb              save the evaluation made as a .zeb file\n"
    "Uncertainty (--json always holds ci95 and advice):\n"
    "  --ci                                 the results text with its 95 % confidence intervals\n"
    "                                       (propagated and bootstrap) and the order advice\n"
    "  --bootstrap N                        bootstrap resamples (default 2000; 0: none)\n"
    "  --seed S                             the bootstrap's seed (default 1)\n"
    "  --fit-form-factors all|M[,M...]      fit form factors (coil-md, coil-pd, rod, sphere,\n"
    "                                       user:FILE.FFU) to the points at c = 0: Mw and Rg\n"
    "                                       with intervals per model (text with --ci, --json)\n"
    "Output (without any of these and the exports, eval prints the results text):\n"
    "  --results                            print the results text\n"
    "  --json                               print the results as one JSON object\n"
    "  --dump                               print the loaded measurement set as JSON\n"
    "  --plot-file OUT.wmf|.svg|.png|.pdf   draw the chart\n"
    "  --chart plot|residuals               which chart: the plot (default) or the residuals\n"
    "                                       of the fits over q² per concentration\n"
    "  --x-range LO HI, --y-range LO HI     manual axis ranges, in the units of the axis labels\n"
    "                                       (at most 1E+12 either way)\n"
    "  --form-factor M[,M...]               compare with form factors: coil-md, coil-pd, rod,\n"
    "                                       sphere, user:FILE.FFU (static plot types only)\n"
    "  --representation R                   the form-factor plot form, 1..12 (with --form-factor)\n"
    "Exports:\n"
    "  --choose \"1 3\"                       the chosen concentrations (0: extrapolated to c = 0)\n"
    "  --export-asc OUT                     ASCII export of the chosen concentrations\n"
    "  --export-rat OUT                     scattering-ratio export of the chosen concentrations\n"
    "  --export-plx OUT.plx                 the whole window as a PLX file\n"
    "\n"
    "  --                                   the arguments after it are files\n"
    "  -h, --help                           this text\n";

const char* const kSeries =
    "usage: zebstat-batch series [options] FILE|FOLDER|PATTERN...\n"
    "       zebstat-batch series --manifest MANIFEST.csv [options]\n"
    "\n"
    "Evaluates many measurements into one table, one row per measurement, in the order\n"
    "given. A FILE is one measurement, a FOLDER gives one per measurement file in it\n"
    "(.sta .dat .plt .plx .asc, in name order), a PATTERN (quoted: \"data/*.sta\") one per\n"
    "file it matches. A manifest (CSV) names groups of files that are evaluated together,\n"
    "one group per row, with options of their own:\n"
    "  group,files,plot,q_order,c_order,smooth,weight,k\n"
    "  PS 1,ps1-a.sta;ps1-b.sta,zimm,1,1,,,\n"
    "(\"group\" and \"files\" are needed; empty fields take the options below; files are\n"
    "separated by \";\" and relative to the manifest's folder.)\n"
    "\n"
    "Columns: group, files, sample, solvent, wavelengthNm, temperatureK, concentrations,\n"
    "angles, plot, qOrder, cOrder, smoothing, weighting, k, MwC, MwQ2, RgNm, A2 (static)\n"
    "or DzC, DzQ2, CS2, kD, RhNm (dynamic), relErrP1..relErrP4 (%), with --ci the 95 %\n"
    "intervals by propagation (MwC_ci95_low, MwC_ci95_high, ... RhNm_ci95_high), messages, status\n"
    "(ok or failed) and error; the numbers as eval --json gives them. A measurement that\n"
    "fails gives its row with the error and the others go on. Exit status: 0 every row\n"
    "ok, 1 a row failed, 2 bad usage (also a malformed manifest, before anything runs).\n"
    "\n"
    "  --manifest MANIFEST.csv       the measurements of a manifest\n"
    "  --format csv|tsv|jsonl        the table as CSV (default), tab-separated or JSON lines\n"
    "  --jobs N                      measurements evaluated at once (default: the cores)\n"
    "  --ci                          the columns of the 95 % intervals by propagation\n"
    "  --progress, --no-progress     a progress bar on standard error (default: when it is\n"
    "                                a terminal)\n"
    "  --plot, --q-order, --c-order, --smooth, --weight, --k\n"
    "                                eval's options, for every row without its own\n"
    "  --                            the arguments after it are files\n"
    "  -h, --help                    this text\n";

const char* const kFit =
    "usage: zebstat-batch fit [--order N] [--weight] TABLE\n"
    "\n"
    "Fits a polynomial to the rows \"x y [sigma]\" of TABLE and prints the result as JSON:\n"
    "{coefficients, errors, chi2, reducedChi2}, the constant term first.\n"
    "\n"
    "  --order N      polynomial order 0..5 (default 1)\n"
    "  --weight       weight the rows with 1/sigma^2 (every row needs a positive sigma)\n"
    "  -h, --help     this text\n";

const char* const kFormFactor =
    "usage: zebstat-batch formfactor --model M[,M...] --representation R --rg NM [options]\n"
    "\n"
    "Prints theoretical form factors in one of the twelve plot forms as JSON, and with\n"
    "--data the measured points of one concentration of a file.\n"
    "\n"
    "  --model M[,M...]       coil-md, coil-pd, rod, sphere, user:FILE.FFU\n"
    "  --representation R     1 1/Pz vs q^2, 2 sqrt(1/Pz) vs q^2, 3 -ln Pz vs q^2,\n"
    "                         4 Pz q^2 vs q (Kratky), 5 Pz q vs q (Holtzer),\n"
    "                         6..10 the same over u = q Rg, 11 Pz vs q, 12 Pz vs u\n"
    "  --rg NM                radius of gyration in nm\n"
    "  --mw GPM               molar mass in g/mol (default: the one the evaluation gives)\n"
    "  --q-max PER_CM         end of the q grid without --data (default 5/Rg)\n"
    "  --data FILE --conc I   the measured points of concentration I of FILE (0: the data\n"
    "                         extrapolated to c = 0); the file is evaluated with eval's\n"
    "                         --plot zimm|berry|guinier, --q-order, --c-order, --smooth,\n"
    "                         --weight, --k and --deactivate\n"
    "  -h, --help             this text\n";

} // namespace

const char* ProgramUsage() { return kProgram; }

const char* CommandUsage(const std::string& command) {
    if (command == "eval") return kEval;
    if (command == "series") return kSeries;
    if (command == "fit") return kFit;
    if (command == "formfactor") return kFormFactor;
    return nullptr;
}

bool AsksForHelp(const std::vector<std::string>& args) {
    for (const std::string& a : args) {
        if (a == "--") return false;
        if (a == "--help" || a == "-h") return true;
    }
    return false;
}

} // namespace zeb::cli
