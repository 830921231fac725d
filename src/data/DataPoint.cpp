#include "data/DataPoint.h"

#include "data/LittleEndian.h"

namespace zeb {

std::array<std::uint8_t, kDataPointBytes> ToBytes(const DataPoint& p) {
    std::array<std::uint8_t, kDataPointBytes> b{};
    le::putU32(b.data() + 0, p.reserved0);
    b[4] = p.presence;
    b[5] = p.reserved5;
    le::putI16(b.data() + 6, p.originMark);
    le::putI16(b.data() + 8, p.hasData);
    le::putI16(b.data() + 10, p.active);
    le::putI16(b.data() + 12, p.symbolState);
    le::putI16(b.data() + 14, p.reflectionCorrected);
    const double* doubles = &p.work[0];
    for (int i = 0; i < 4; ++i) le::putF64(b.data() + 16 + 8 * i, doubles[i]);
    const double tail[] = {p.kcr, p.q2, p.reserved64, p.reserved72, p.kcrError,
                           p.dappI, p.dappIError, p.dappII, p.dappIIError, p.dappIII,
                           p.dappIIIError, p.rSample, p.rSampleError, p.nSolvent, p.wavelengthCm};
    for (std::size_t i = 0; i < std::size(tail); ++i) le::putF64(b.data() + 48 + 8 * i, tail[i]);
    return b;
}

DataPoint FromBytes(const std::uint8_t* b) {
    DataPoint p;
    p.reserved0 = le::getU32(b + 0);
    p.presence = b[4];
    p.reserved5 = b[5];
    p.originMark = le::getI16(b + 6);
    p.hasData = le::getI16(b + 8);
    p.active = le::getI16(b + 10);
    p.symbolState = le::getI16(b + 12);
    p.reflectionCorrected = le::getI16(b + 14);
    for (int i = 0; i < 4; ++i) p.work[i] = le::getF64(b + 16 + 8 * i);
    double* tail[] = {&p.kcr, &p.q2, &p.reserved64, &p.reserved72, &p.kcrError,
                      &p.dappI, &p.dappIError, &p.dappII, &p.dappIIError, &p.dappIII,
                      &p.dappIIIError, &p.rSample, &p.rSampleError, &p.nSolvent, &p.wavelengthCm};
    for (std::size_t i = 0; i < std::size(tail); ++i) *tail[i] = le::getF64(b + 48 + 8 * i);
    return p;
}

} // namespace zeb
