// The data window: owns the measurement set of one window and the load
// sequence that fills it. The plot window's logic (TFitF1) derives from it.
#pragma once

#include "data/LoadErrors.h"
#include "data/MeasurementSet.h"

#include <string>

namespace zeb {

class Platform;

class TFitF {
public:
    using EOvlConcAngle = zeb::EOvlConcAngle;
    using EInternalError = zeb::EInternalError;
    using EAbortLoad = zeb::EAbortLoad;
    using EGeneralFailure = zeb::EGeneralFailure;

    explicit TFitF(Platform& platform) : platform_(platform), set_(platform) {}
    virtual ~TFitF() = default;
    TFitF(const TFitF&) = delete;
    TFitF& operator=(const TFitF&) = delete;

    Platform& platform() { return platform_; }
    MeasurementSet& set() { return set_; }
    const MeasurementSet& set() const { return set_; }

protected:
    Platform& platform_;
    MeasurementSet set_;
};

} // namespace zeb
