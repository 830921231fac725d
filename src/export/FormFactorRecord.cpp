#include "export/FormFactorRecord.h"

#include "analysis/FormFactorView.h"
#include "analysis/UserFormFactor.h"
#include "evaluation/OptionTable.h"
#include "export/ResultsRecord.h"
#include "platform/ScriptedPlatform.h"
#include "texts/CommonTexts.h"

namespace zeb {

std::optional<Record> FormFactorRecord(const FormFactorRequest& r, const FormFactorData& data,
                                       ScriptedPlatform& platform) {
    UserFormFactor user;
    if (!r.userFile.empty()) {
        const FfuResult loaded = LoadUserFormFactor(r.userFile, user);
        if (loaded != FfuResult::Ok) {
            platform.inform(FfuMessageText(loaded, user), tx::CapInformation, MsgIcon::Stop);
            return std::nullopt;
        }
    }
    const MeasurementSet* set = data.set;
    const double rgCm = r.rgNm * 1e-7;
    const FormFactorGrid grid = set ? MakeFormFactorGrid(*set) : MakeFormFactorGrid(r.qMaxPerCm.value_or(5.0 / rgCm));
    const double mw = r.mwGPerMol.value_or(data.mwOfRow);
    std::vector<FormFactorMeasuredPoint> measured;
    if (set && data.row >= 0) measured = MeasuredFormFactorPoints(*set, data.row, r.representation, rgCm, mw);

    Record curves = Record::List();
    for (int model : r.models) {
        Record points = Record::List();
        for (double q : grid.q)
            if (const auto p = FormFactorPoint(r.representation, model, q, rgCm, &user.spline, &platform))
                points.push(Record::Object()
                                .add("q", Record::Number(q))
                                .add("x", Record::Number(p->x))
                                .add("y", Record::Number(p->y)));
        curves.push(Record::Object()
                        .add("model", Record::Text(ModelName(model)))
                        .add("label", Record::Text(ModelLabel(model, r.rgNm)))
                        .add("points", std::move(points)));
    }
    Record points = Record::List();
    for (const auto& p : measured)
        points.push(Record::Object()
                        .add("angle", Record::Whole(p.angle))
                        .add("x", Record::Number(p.x))
                        .add("y", Record::Number(p.y))
                        .add("error", Record::Number(p.error))
                        .add("active", Record::Bool(p.active)));
    const FormFactorRanges ranges =
        ComputeFormFactorRanges(grid, r.models, r.representation, rgCm, &user.spline, measured);
    return Record::Object()
        .add("representation", Record::Whole(r.representation))
        .add("rgNm", Record::Number(r.rgNm))
        .add("mwGPerMol", set || r.mwGPerMol ? Record::Number(mw) : Record())
        .add("conc", set ? Record::Whole(data.row) : Record())
        .add("dataLabel", Record::Text(set && data.row >= 0 ? DataLabel(set->concentration[static_cast<std::size_t>(data.row)]) : ""))
        .add("qMin", Record::Number(grid.qMin))
        .add("qMax", Record::Number(grid.qMax))
        .add("step", Record::Number(grid.step))
        .add("curves", std::move(curves))
        .add("measured", std::move(points))
        .add("ranges", Record::Object()
                           .add("xMin", Record::Number(ranges.xMin))
                           .add("xMax", Record::Number(ranges.xMax))
                           .add("yMin", Record::Number(ranges.yMin))
                           .add("yMax", Record::Number(ranges.yMax)))
        .add("messages", MessagesRecord(platform.messages));
}

} // namespace zeb
