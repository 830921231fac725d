// The measurement set of one window: a grid of concentrations (columns) by q²
// rows of DataPoint cells plus per-concentration and window-wide metadata.
// Index 0 in both directions is reserved for the extrapolated values. Values
// enter only through AddConcentration, AddQ2 and storeValue, which keep the grid
// limits and match equal q² and concentration values.
#pragma once

#include "data/DataPoint.h"
#include "data/LoadErrors.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zeb {

class MessageSink;

// Value codes of storeValue.
enum ValueCode : int {
    kCodeKcr = 1,
    kCodeQ2 = 2,
    kCodeWorkX = 3,
    kCodeWorkY = 4,
    kCodeKcrError = 9,
    kCodeDappI = 10,
    kCodeDappIError = 11,
    kCodeDappII = 12,
    kCodeDappIIError = 13,
    kCodeDappIII = 14,
    kCodeDappIIIError = 15,
    kCodeRSample = 17,
    kCodeRSampleError = 18,
    kCodeNSolvent = 19,
    kCodeWavelengthCm = 20,
};

// Which flag storeFlag writes.
enum FlagCode : int { kFlagOriginMark = 6, kFlagHasData = 7, kFlagActive = 8 };

class MeasurementSet {
public:
    static constexpr int kConcSlots = 101;   // concentration indices 0..100
    static constexpr int kAngleSlots = 137;  // angle indices 0..136
    static constexpr int kMaxLoadedConc = 99;
    static constexpr int kMaxLoadedAngles = 135;
    static constexpr std::size_t kSourceNameChars = 260;
    static constexpr std::size_t kSampleNameChars = 63;
    static constexpr std::size_t kSolventNameChars = 25;
    static constexpr int kCoefficients = 8;  // one coefficient row: 8 doubles, a1..a6 at 1..6

    // The set tells its refusals and allocation failures to messages (the
    // window's platform).
    explicit MeasurementSet(MessageSink& messages) : messages_(&messages) {}
    // A copy of other's data (cells, values, names, coefficient tables) that
    // tells its messages to messages. When memory runs out it says so and
    // throws EInternalError, as a load does.
    MeasurementSet(const MeasurementSet& other, MessageSink& messages);
    // Takes over other's data without copying a cell; other is left without
    // data (as after FreeMeasurementSet).
    MeasurementSet(MeasurementSet&& other, MessageSink& messages);
    MeasurementSet(const MeasurementSet&) = delete;
    MeasurementSet& operator=(const MeasurementSet&) = delete;
    // From now on the set tells its messages to messages.
    void tellMessagesTo(MessageSink& messages) { messages_ = &messages; }

    // 1 on success, -1 when memory could not be obtained.
    int InitMeasurementSet();
    void FreeMeasurementSet();
    bool initialised() const { return !grid_.empty(); }

    // Appends a concentration column. Without a name the column takes defaultSourceName.
    void AddConcentration(const std::optional<std::string>& name, float temperatureK,
                          float viscosityMPas, double concentrationGPerCm3);
    // Returns the row of a matching q², or appends one; with joinEqual false
    // every call appends a row (a file rewritten line for line keeps each).
    int AddQ2(double q2PerCm2, bool joinEqual = true);
    // Stores one value at explicit indices (both >= 1) or at the cell found by value.
    void storeValue(ValueCode quantity, int ic, int ia, double value, double q2PerCm2, double concentrationGPerCm3);
    // Writes originMark (6), hasData (7) or active (8) of one cell.
    void storeFlag(int ic, int ia, int flagValue, FlagCode which);
    // Marks every loaded point so that by-value stores into it are refused.
    void MarkLoadedPoints();

    DataPoint* cell(int c, int a);
    const DataPoint* cell(int c, int a) const;
    // Creates a fresh cell at (c, a), replacing any earlier one.
    DataPoint& CreateDataPoint(int c, int a);

    // The path that a column loaded without a name takes as its source name.
    std::string defaultSourceName;

    std::int16_t lastConcIndex = -1;
    std::int16_t lastAngleIndex = -1;
    std::int16_t savedConcIndex = -1;
    std::int16_t savedAngleIndex = -1;
    std::int16_t cachedAngleIndex = -1;

    // Read-only views of the concentrations (g/cm³) and q² values (1/cm²); they
    // are written through setConcentration and setQ2, which keep the rounded
    // values the by-value lookups compare.
    const std::array<double, kConcSlots>& concentration = concentration_;
    const std::array<double, kAngleSlots>& q2 = q2_;
    void setConcentration(int c, double gPerCm3);
    void setQ2(int a, double perCm2);

    std::array<float, kConcSlots> viscosity{};
    std::array<float, kConcSlots> temperature{};
    std::array<std::string, kConcSlots> sourceName{};
    std::array<double, kConcSlots> appRg{};
    std::array<double, kConcSlots> appMw{};
    // Coefficient rows of the concentration fits (row c) and of the angle fits (row a).
    std::vector<std::array<double, kCoefficients>> calcTableA;
    std::vector<std::array<double, kCoefficients>> calcTableB;

    std::string sampleName;
    std::string solventName;

private:
    void copyValues(const MeasurementSet& other);  // everything but the cells
    void refuse(const char* text, const char* caption);
    int findAngleByValue(double q2PerCm2);
    int findConcByValue(double concentrationGPerCm3) const;

    MessageSink* messages_;
    // kAngleSlots per concentration, c major, as far as the highest concentration
    // with a cell (a small set keeps a small grid); nullptr: no cell.
    std::vector<DataPoint*> grid_;
    // The cells' storage: blocks that never move, growing with the set; a cell
    // made again at the same place reuses its storage.
    std::vector<std::unique_ptr<DataPoint[]>> blocks_;
    std::size_t blockSize_ = 0;
    std::size_t blockUsed_ = 0;
    std::array<double, kConcSlots> concentration_{};
    std::array<double, kAngleSlots> q2_{};
    // RoundSig(q2[a], 6) and RoundSig(concentration[c], 6), kept with the values.
    std::array<double, kAngleSlots> q2Rounded_{};
    std::array<double, kConcSlots> concRounded_{};
};

} // namespace zeb
