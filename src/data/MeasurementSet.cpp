#include "data/MeasurementSet.h"

#include "texts/CommonTexts.h"
#include "texts/DataTexts.h"
#include "data/RoundSig.h"
#include "texts/Message.h"

#include <algorithm>
#include <new>

namespace zeb {

MeasurementSet::MeasurementSet(const MeasurementSet& other, MessageSink& messages) : messages_(&messages) {
    copyValues(other);
    if (other.grid_.empty()) return;
    grid_.assign(other.grid_.size(), nullptr);
    const int rows = static_cast<int>(other.grid_.size() / kAngleSlots);
    for (int c = 0; c < rows; ++c)
        for (int a = 0; a < kAngleSlots; ++a)
            if (const DataPoint* p = other.cell(c, a)) CreateDataPoint(c, a) = *p;
}

MeasurementSet::MeasurementSet(MeasurementSet&& other, MessageSink& messages) : messages_(&messages) {
    copyValues(other);
    // The cells stay where they are: the blocks change hands, the grid's pointers stay valid.
    grid_.swap(other.grid_);
    blocks_.swap(other.blocks_);
    blockSize_ = other.blockSize_;
    blockUsed_ = other.blockUsed_;
    other.FreeMeasurementSet();
}

void MeasurementSet::copyValues(const MeasurementSet& other) {
    defaultSourceName = other.defaultSourceName;
    lastConcIndex = other.lastConcIndex;
    lastAngleIndex = other.lastAngleIndex;
    savedConcIndex = other.savedConcIndex;
    savedAngleIndex = other.savedAngleIndex;
    cachedAngleIndex = other.cachedAngleIndex;
    viscosity = other.viscosity;
    temperature = other.temperature;
    sourceName = other.sourceName;
    appRg = other.appRg;
    appMw = other.appMw;
    calcTableA = other.calcTableA;
    calcTableB = other.calcTableB;
    sampleName = other.sampleName;
    solventName = other.solventName;
    concentration_ = other.concentration_;
    q2_ = other.q2_;
    q2Rounded_ = other.q2Rounded_;
    concRounded_ = other.concRounded_;
}

int MeasurementSet::InitMeasurementSet() {
    lastConcIndex = lastAngleIndex = savedConcIndex = savedAngleIndex = cachedAngleIndex = -1;
    q2_.fill(0.0);
    q2Rounded_.fill(0.0);
    concentration_.fill(0.0);
    concRounded_.fill(0.0);
    viscosity.fill(0.0f);
    temperature.fill(0.0f);
    appRg.fill(-1.0);
    appMw.fill(-1.0);
    try {
        for (auto& name : sourceName) name.clear();
        calcTableA.assign(kConcSlots, {});
        calcTableB.assign(kAngleSlots, {});
        grid_.assign(kAngleSlots, nullptr);  // the row of concentration 0; the others as cells are made
        blocks_.clear();
        blockSize_ = blockUsed_ = 0;
    } catch (const std::bad_alloc&) {
        FreeMeasurementSet();
        return -1;
    }
    return 1;
}

void MeasurementSet::FreeMeasurementSet() {
    grid_.clear();
    grid_.shrink_to_fit();
    blocks_.clear();
    blockSize_ = blockUsed_ = 0;
    calcTableA.clear();
    calcTableB.clear();
    lastConcIndex = 0;
    lastAngleIndex = 0;
}

DataPoint* MeasurementSet::cell(int c, int a) {
    if (c < 0 || c >= kConcSlots || a < 0 || a >= kAngleSlots) return nullptr;
    const std::size_t at = static_cast<std::size_t>(c) * kAngleSlots + a;
    return at < grid_.size() ? grid_[at] : nullptr;
}

const DataPoint* MeasurementSet::cell(int c, int a) const {
    return const_cast<MeasurementSet*>(this)->cell(c, a);
}

DataPoint& MeasurementSet::CreateDataPoint(int c, int a) {
    const std::size_t at = static_cast<std::size_t>(c) * kAngleSlots + a;
    if (at >= grid_.size()) {
        try {
            grid_.resize((static_cast<std::size_t>(c) + 1) * kAngleSlots, nullptr);
        } catch (const std::bad_alloc&) {
            messages_->inform(tx::ErrorAllocationMemory, tx::CapError, MsgIcon::Exclamation);
            throw EInternalError();
        }
    }
    DataPoint*& slot = grid_[at];
    if (slot) {
        *slot = DataPoint{};
    } else {
        if (blockUsed_ == blockSize_) {
            // 32 cells first (a small set stays small), then twice as many per block up to 8192.
            const std::size_t size = blocks_.empty() ? 32 : std::min<std::size_t>(blockSize_ * 2, 8192);
            try {
                blocks_.push_back(std::make_unique<DataPoint[]>(size));
            } catch (const std::bad_alloc&) {
                messages_->inform(tx::ErrorAllocationMemory, tx::CapError, MsgIcon::Exclamation);
                throw EInternalError();
            }
            blockSize_ = size;
            blockUsed_ = 0;
        }
        slot = &blocks_.back()[blockUsed_++];
    }
    DataPoint* p = slot;
    p->originMark = -32767;
    p->symbolState = 1;
    p->active = 1;
    p->hasData = 0;
    p->reflectionCorrected = 0;
    p->rSample = p->rSampleError = p->nSolvent = p->wavelengthCm = -1.0;
    return *p;
}

void MeasurementSet::AddConcentration(const std::optional<std::string>& name, float temperatureK,
                                      float viscosityMPas, double concentrationGPerCm3) {
    if (lastConcIndex == -1) {
        // The limit checks come before anything changes, so a refused column
        // never leaves an index pointing at cells that were not made.
        if (lastAngleIndex > kMaxLoadedAngles) throw EOvlConcAngle(GridLimitReachedDetail("angle values", kMaxLoadedAngles));
        lastConcIndex = 0;
        setConcentration(0, 0.0);
        viscosity[0] = viscosityMPas;
        temperature[0] = temperatureK;
        for (int a = 0; a <= lastAngleIndex; ++a) CreateDataPoint(0, a);
    }
    const int c = lastConcIndex + 1;
    if (c > kMaxLoadedConc) throw EOvlConcAngle(GridLimitReachedDetail("concentration values", kMaxLoadedConc));
    if (lastAngleIndex > kMaxLoadedAngles) throw EOvlConcAngle(GridLimitReachedDetail("angle values", kMaxLoadedAngles));
    lastConcIndex = static_cast<std::int16_t>(c);
    setConcentration(c, concentrationGPerCm3);
    viscosity[c] = viscosityMPas;
    temperature[c] = temperatureK;
    sourceName[c] = (name ? *name : defaultSourceName).substr(0, kSourceNameChars);
    for (int a = 0; a <= lastAngleIndex; ++a) CreateDataPoint(c, a);
}

int MeasurementSet::AddQ2(double q2PerCm2, bool joinEqual) {
    const double r = RoundSig(q2PerCm2, 6);
    if (lastAngleIndex == -1) {
        if (lastConcIndex > kMaxLoadedConc) throw EOvlConcAngle(GridLimitReachedDetail("concentration values", kMaxLoadedConc));
        lastAngleIndex = 0;
        setQ2(0, 0.0);
        for (int c = 0; c <= lastConcIndex; ++c) CreateDataPoint(c, 0);
    }
    // Among equal rows the highest index is the match: the scan runs downward.
    for (int a = lastAngleIndex; joinEqual && a >= 1; --a)
        if (q2Rounded_[a] == r) return a;

    const int a = lastAngleIndex + 1;
    if (a > kMaxLoadedAngles) throw EOvlConcAngle(GridLimitReachedDetail("angle values", kMaxLoadedAngles));
    if (lastConcIndex > kMaxLoadedConc) throw EOvlConcAngle(GridLimitReachedDetail("concentration values", kMaxLoadedConc));
    lastAngleIndex = static_cast<std::int16_t>(a);
    setQ2(a, q2PerCm2);
    for (int c = 0; c <= lastConcIndex; ++c) CreateDataPoint(c, a);
    return a;
}

void MeasurementSet::refuse(const char* text, const char* caption) {
    messages_->inform(text, caption, MsgIcon::None);
    throw EInternalError();
}

void MeasurementSet::setQ2(int a, double perCm2) {
    q2_[a] = perCm2;
    q2Rounded_[a] = RoundSig(perCm2, 6);
}

void MeasurementSet::setConcentration(int c, double gPerCm3) {
    concentration_[c] = gPerCm3;
    concRounded_[c] = RoundSig(gPerCm3, 6);
}

int MeasurementSet::findAngleByValue(double q2PerCm2) {
    const double rq = RoundSig(q2PerCm2, 6);
    if (cachedAngleIndex >= 1 && cachedAngleIndex <= lastAngleIndex && q2Rounded_[cachedAngleIndex] == rq)
        return cachedAngleIndex;
    for (int a = 1; a <= lastAngleIndex; ++a) {
        if (q2Rounded_[a] == rq) {
            cachedAngleIndex = static_cast<std::int16_t>(a);
            return a;
        }
    }
    return -1;
}

int MeasurementSet::findConcByValue(double concentrationGPerCm3) const {
    const double rc = RoundSig(concentrationGPerCm3, 6);
    // The most recently added column with that concentration wins.
    for (int c = lastConcIndex; c >= 1; --c)
        if (concRounded_[c] == rc) return c;
    return -1;
}

void MeasurementSet::storeValue(ValueCode code, int ic, int ia, double value, double q2PerCm2,
                               double concentrationGPerCm3) {
    DataPoint* p = nullptr;
    if (ic >= 1 && ia >= 1) {
        if (ic > lastConcIndex || ia > lastAngleIndex || !(p = cell(ic, ia)))
            refuse(tx::StoreValueInternalError, tx::CapZebStatInfoColon);
    } else {
        const int a = findAngleByValue(q2PerCm2);
        const int c = findConcByValue(concentrationGPerCm3);
        if (a < 1 || c < 1 || !(p = cell(c, a))) refuse(tx::StoreValueInternalError, tx::CapZebStatInfoColon);
        if (p->originMark == 1) refuse(tx::DataAlreadyExist, tx::CapZebStatError);
    }

    auto measured = [p](std::uint8_t bit) {
        p->presence |= bit;
        p->hasData = 1;
        p->active = 1;
    };
    switch (code) {
    case kCodeKcr:
        p->kcr = value;
        measured(kHasKcr);
        if (p->kcrError == 0.0) p->kcrError = 0.001 * value;
        break;
    case kCodeQ2: p->q2 = value; break;
    case kCodeWorkX: p->work[0] = value; break;
    case kCodeWorkY: p->work[1] = value; break;
    case kCodeKcrError:
        p->kcrError = value;
        p->presence |= kHasKcrError;
        break;
    case kCodeDappI:
        p->dappI = value * 1e8;
        measured(kHasDappI);
        if (p->dappIError == 0.0) p->dappIError = 0.001 * value * 1e8;
        break;
    case kCodeDappIError:
        p->dappIError = value * 1e8;
        p->presence |= kHasDappIError;
        break;
    case kCodeDappII:
        p->dappII = value * 1e8;
        measured(kHasDappII);
        if (p->dappIIError == 0.0) p->dappIIError = 0.001 * value * 1e8;
        break;
    case kCodeDappIIError:
        p->dappIIError = value * 1e8;
        p->presence |= kHasDappIIError;
        break;
    case kCodeDappIII:
        p->dappIII = value * 1e8;
        measured(kHasDappIII);
        if (p->dappIIIError == 0.0) p->dappIIIError = 0.001 * value * 1e8;
        break;
    case kCodeDappIIIError:
        p->dappIIIError = value * 1e8;
        p->presence |= kHasDappIIIError;
        break;
    case kCodeRSample:
        p->rSample = value;
        if (p->rSampleError == 0.0) p->rSampleError = 0.001 * value;
        break;
    case kCodeRSampleError: p->rSampleError = value; break;
    case kCodeNSolvent: p->nSolvent = value; break;
    case kCodeWavelengthCm: p->wavelengthCm = value; break;
    default: refuse(tx::StoreValueBadCode, tx::CapPlainError);
    }
}

void MeasurementSet::storeFlag(int ic, int ia, int flagValue, FlagCode which) {
    DataPoint* p = cell(ic, ia);
    // Besides the pair (0, 0) and an unknown flag, a cell that does not exist is
    // refused too rather than written through a dangling index.
    if ((ic == 0 && ia == 0) || (which != kFlagOriginMark && which != kFlagHasData && which != kFlagActive) ||
        ic > lastConcIndex || ia > lastAngleIndex || p == nullptr) {
        messages_->inform(tx::StoreValueFlagError, tx::CapInternalError, MsgIcon::None);
        throw EInternalError();
    }
    const auto v = static_cast<std::int16_t>(flagValue);
    if (which == kFlagOriginMark) p->originMark = v;
    else if (which == kFlagHasData) p->hasData = v;
    else p->active = v;
}

void MeasurementSet::MarkLoadedPoints() {
    for (int c = 1; c <= lastConcIndex; ++c)
        for (int a = 1; a <= lastAngleIndex; ++a) storeFlag(c, a, 1, kFlagOriginMark);
}

} // namespace zeb
