// The text table: every text the user sees, in one place. The interface is
// English; each subsystem keeps its texts in a header of texts/ so that a
// message is written once and quoted by name everywhere else.
#pragma once

#include "app/texts/CommonTexts.h"
#include "app/texts/DataTexts.h"
#include "app/texts/AnalysisTexts.h"
#include "app/texts/FileTexts.h"
#include "app/texts/ImportDialogTexts.h"
#include "app/texts/FormFactorTexts.h"
#include "app/texts/AnalysisDialogTexts.h"
#include "app/texts/SettingsTexts.h"
#include "app/texts/PlotTexts.h"
#include "app/texts/FrameTexts.h"
#include "app/texts/ResultsWindowTexts.h"
#include "app/texts/SelectionTexts.h"
#include "app/texts/PlotWindowTexts.h"
#include "app/texts/DialogFormTexts.h"
#include "app/texts/OptionsTexts.h"
#include "app/texts/ExportTexts.h"
#include "app/texts/ReadCheckTexts.h"
