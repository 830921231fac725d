// The readers of the measurement files. Each reads the window's current file
// (TFitF::currentPath) into its measurement set and returns 1 (success), -1
// (failure; the message has been shown) or -3 (cancelled by the user). The
// load sequence (TFitF::LoadDataFile) is their only caller in the program.
#pragma once

namespace zeb {

class TFitF;
class RecordReview;

// ZEB-7100 record files (.sta, .dat): review and correction of the record
// parameters, corrected records written back in place. Handles the grid limit
// itself (message, -1).
int ReadRecordFile(TFitF& window);
// The same with another review than the window's dialog (tests, batch runs).
int ReadRecordFile(TFitF& window, RecordReview& review);
// TARN files (.plt) and the program's own PLX files (.plx). The grid limit
// (TFitF::EOvlConcAngle) goes to the caller.
int ReadPltFile(TFitF& window);
int ReadPlxFile(TFitF& window);
// Tab-separated number tables (.asc). The grid limit goes to the caller.
int ReadAscFile(TFitF& window);

} // namespace zeb
