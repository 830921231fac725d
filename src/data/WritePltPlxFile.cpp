#include "texts/CommonTexts.h"
#include "texts/FileTexts.h"
#include "data/CFormat.h"
#include "data/FileText.h"
#include "data/MeasurementSet.h"
#include "data/PltPlxWriter.h"
#include "platform/AtomicFile.h"
#include "platform/Platform.h"
#include "platform/WriteError.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <limits>

namespace zeb {

namespace {

// Five values to a line; a last line that is not full keeps its comma.
void numberList(std::string& out, const std::vector<double>& values, int width, int precision) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        AppendScientific(out, values[i], width, precision);
        out += i % 5 == 4 ? "\r\n" : ",";
    }
    if (values.size() % 5 != 0) out += "\r\n";
}

// A value as the file holds it: single precision; one that does not fit is "missing".
bool single(double v, float& out) {
    if (!(std::fabs(v) <= std::numeric_limits<float>::max())) return false;
    out = static_cast<float>(v);
    return true;
}

void valueLine(std::string& out, const DataPoint* p) {
    float v[10] = {-1, 0, -1, 0, -1, 0, -1, 0, -1, -1};
    if (p) {
        // Any measured point: hasData also carries the calculation's state (2 = no
        // value of the current plot type), so the presence bits decide.
        if (p->hasData != 0) {
            struct Pair {
                std::uint8_t bit;
                double value, error, scale;
            };
            const Pair pairs[4] = {{kHasKcr, p->kcr, p->kcrError, 1.0},
                                   {kHasDappI, p->dappI, p->dappIError, 1e-8},
                                   {kHasDappII, p->dappII, p->dappIIError, 1e-8},
                                   {kHasDappIII, p->dappIII, p->dappIIIError, 1e-8}};
            for (int k = 0; k < 4; ++k) {
                float value = 0, error = 0;
                if ((p->presence & pairs[k].bit) && single(pairs[k].value * pairs[k].scale, value) &&
                    single(pairs[k].error * pairs[k].scale, error)) {
                    v[2 * k] = value;
                    v[2 * k + 1] = error;
                }
            }
        }
        float r = -1, e = -1;
        if (single(p->rSample, r) && single(p->rSampleError, e)) {
            v[8] = r;
            v[9] = e;
        }
    }
    // "%12.5E,%12.5E,...,%12.5E\r\n"
    for (int k = 0; k < 10; ++k) {
        AppendScientific(out, v[k], 12, 5);
        out += k < 9 ? "," : "\r\n";
    }
}

// A sample or solvent name as one line of text: a line break would cut it in
// two, any other control character make the file no text file.
std::string oneLine(std::string text) {
    for (char& ch : text)
        if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F) ch = ' ';
    return text;
}

// A concentration line of a PLX file with its source name, which comes back as it was.
std::string concentrationLine(double concentration, const std::string& source) {
    if (NeedsPercentEncoding(source))
        return CFormat("%12.5E from file (percent-encoded): ", concentration) + EncodeFileText(PercentEncode(source)) +
               "\r\n";
    return CFormat("%12.5E from file: ", concentration) + EncodeFileText(source) + "\r\n";
}

bool hasPlxExtension(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot == std::string::npos) return false;
    std::string ext = name.substr(dot);
    for (char& ch : ext) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return ext == ".PLX";
}

} // namespace

std::string FormatPltPlxFile(const MeasurementSet& set, const PltPlxWriteRequest& request) {
    std::vector<int> angles;
    std::vector<double> q2;
    if (request.angleIndices) {
        angles = *request.angleIndices;
        q2 = request.q2PerCm2;
        q2.resize(angles.size(), 0.0);
    } else {
        for (int a = 1; a <= set.lastAngleIndex; ++a) {
            angles.push_back(a);
            q2.push_back(set.q2[static_cast<std::size_t>(a)]);
        }
    }
    std::vector<int> columns;
    for (int c = request.base + 1; c <= set.lastConcIndex; ++c) columns.push_back(c);
    const bool plx = request.mode == PltPlxMode::Plx;

    std::string out;
    out.reserve(4096 + columns.size() * angles.size() * 132);
    out += EncodeFileText(PadToCharacters(oneLine(set.sampleName), 40)) + ", sample 40 characters\r\n";
    out += EncodeFileText(PadToCharacters(oneLine(set.solventName), 25)) + ", solvent 25 characters\r\n";
    std::vector<double> list;
    if (!plx) {
        out += CFormat("%.3f  , temperature in K\r\n", request.temperatureK);
        out += CFormat("%d  , No. of wavelength\r\n", 1);
        out += CFormat(" %.3f  , wavelength in nm\r\n", request.wavelengthNm);
        out += CFormat("%d  , No. of q^2 values, q in 1/cm. Formatted with 5 values per line\r\n",
                       static_cast<int>(angles.size()));
        numberList(out, q2, 12, 5);
        out += CFormat("%d  , No. of conc., conc in g/cm^3\r\n", static_cast<int>(columns.size()));
        for (int c : columns) list.push_back(set.concentration[static_cast<std::size_t>(c)]);
        numberList(out, list, 12, 5);
        out += "Each line contains: Kc/R,error,DappI,error,DappII,error,DappIII,error\r\n";
        out += "Order: q2 index is increased fast, conc index slowly\r\n";
    } else {
        out += CFormat("%d  , No. of conc., conc in g/cm^3\r\n", static_cast<int>(columns.size()));
        for (int c : columns)
            out += concentrationLine(set.concentration[static_cast<std::size_t>(c)],
                                     set.sourceName[static_cast<std::size_t>(c)]);
        out += "viscosity values, same number as concentration, viscosity in mPas(cP)\r\n";
        for (int c : columns) list.push_back(set.viscosity[static_cast<std::size_t>(c)]);
        numberList(out, list, 12, 5);
        out += "temperature values, same number as concentration, temperature in K\r\n";
        list.clear();
        for (int c : columns) list.push_back(set.temperature[static_cast<std::size_t>(c)]);
        numberList(out, list, 12, 5);
        out += CFormat("%d  , No. of q^2 values, q in 1/cm. Formatted with 5 values per line\r\n",
                       static_cast<int>(angles.size()));
        numberList(out, q2, 15, 8);
        out += "Each line contains: Kc/R,error,DappI,error,DappII,error,DappIII,error,Rsampl,error\r\n";
        out += "Order: q2 index is increased fast, conc index slowly; Kc/R in mol/g; D in cm^2/s; Rsampl in 1/cm \r\n";
    }
    // The rows in the order of the q² list, so that a reader pairs every line with its q².
    for (int c : columns)
        for (int a : angles) valueLine(out, set.cell(c, a));
    return out;
}

int WritePltPlxFile(Platform& platform, const MeasurementSet& set, const PltPlxWriteRequest& request,
                    WriteResult* written) {
    const bool plx = request.mode == PltPlxMode::Plx;
    std::string path;
    if (request.fileName) {
        path = *request.fileName;
    } else {
        FileDialogRequest dialog;
        dialog.filter = plx ? tx::PlxSaveFilter : tx::PltSaveFilter;
        dialog.proposedName = plx ? tx::PlxProposedName : tx::PltProposedName;
        dialog.overwritePrompt = true;
        const auto chosen = platform.saveFileName(dialog);
        if (!chosen) return kWriteCancelled;
        path = *chosen;
    }
    if (plx && !hasPlxExtension(path)) {
        platform.inform(tx::PlxExtensionInvalid, tx::CapInformation, MsgIcon::Exclamation);
        if (written) *written = WriteResult::Failure(EINVAL, tx::PlxExtensionInvalid);
        return kWriteFailed;
    }
    const WriteResult result = WriteFileAtomically(path, FormatPltPlxFile(set, request));
    if (written) *written = result;
    if (!result) {
        platform.inform(WriteErrorText(path, result), tx::CapInformation, MsgIcon::Exclamation);
        return kWriteFailed;
    }
    return kWriteDone;
}

} // namespace zeb
