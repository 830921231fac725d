// The uncertainty of an evaluation as --json's members and as the --ci text:
// an interval that cannot be given is null with its reason and "---" in the
// text, never a number; the advice appears only when there is one.
#include "evaluation/Evaluation.h"
#include "export/ResultsRecord.h"
#include "export/UncertaintyRecord.h"
#include "support/EvaluationFixtures.h"
#include "support/SyntheticSets.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

TEST(UncertaintyRecord, IntervalsOfEveryMethodOrTheirReason) {
    test::ModelSet polymer(4, 13, test::NoisyPolymer());
    const Evaluation e(polymer.set, test::Orders(FitOrder::One, FitOrder::One));
    UncertaintyOptions o;
    o.bootstrap.resamples = 400;
    const UncertaintyReport report = ReportUncertainty(e, o);
    const Record ci = IntervalsRecord(report);
    for (const char* method : {"propagation", "bootstrapBCa", "bootstrapPercentile"}) {
        const Record* m = ci.find(method);
        ASSERT_TRUE(m) << method;
        for (const char* key : {"MwC", "MwQ2", "RgNm", "A2"}) {
            const Record* interval = m->find(key);
            ASSERT_TRUE(interval && interval->kind() == Record::Kind::List) << method << " " << key;
            EXPECT_LT(interval->items()[0].number(), interval->items()[1].number());
        }
        EXPECT_TRUE(m->find("notDetermined")->members().empty());
    }
    const Record* rg = ci.find("propagation")->find("RgNm");
    EXPECT_TRUE(rg->items()[0].number() < *e.results.rgNm && *e.results.rgNm < rg->items()[1].number());
    EXPECT_EQ(ci.find("bootstrap")->find("completed")->whole(), 400);

    // Without a c order there is no Mw(c) or A2: null with a reason, "---" in the text.
    const Evaluation onlyQ(polymer.set, test::Orders(FitOrder::One, FitOrder::None));
    const UncertaintyReport none = ReportUncertainty(onlyQ, o);
    const Record noC = IntervalsRecord(none);
    const Record* propagation = noC.find("propagation");
    EXPECT_EQ(propagation->find("MwC")->kind(), Record::Kind::Null);
    ASSERT_TRUE(propagation->find("notDetermined")->find("MwC"));
    EXPECT_NE(propagation->find("notDetermined")->find("MwC")->text(), "");
    const std::string text = UncertaintyText(none);
    EXPECT_NE(text.find("Mw(c)\t---\t---"), std::string::npos) << text;
    EXPECT_NE(text.find("not determined: "), std::string::npos);
}

TEST(UncertaintyRecord, TheMembersGoBeforeTheAxesAndMessagesAndTheAdviceIsAList) {
    test::ModelSet polymer(4, 13, test::NoisyPolymer());
    const Evaluation e(polymer.set, test::Orders(FitOrder::One, FitOrder::One));
    UncertaintyOptions o;
    o.withBootstrap = false;
    o.withFormFactorFits = true;
    const UncertaintyReport report = ReportUncertainty(e, o);
    Record results = ResultsRecord(e.set, e.options, e.fits, e.results, nullptr, {});
    AddUncertaintyMembers(results, report);
    std::vector<std::string> keys;
    for (const auto& [k, v] : results.members()) keys.push_back(k);
    EXPECT_EQ(std::vector<std::string>(keys.end() - 4, keys.end()),
              (std::vector<std::string>{"ci95", "advice", "formFactorFits", "messages"}));
    EXPECT_EQ(results.find("ci95")->find("bootstrapBCa")->kind(), Record::Kind::Null);
    EXPECT_EQ(results.find("advice")->kind(), Record::Kind::List);
    EXPECT_TRUE(results.find("advice")->items().empty()) << "an exact Zimm model needs no other order";
    EXPECT_NE(UncertaintyText(report).find("Order advice: the chosen orders suit the data."), std::string::npos);
    const Record* fits = results.find("formFactorFits");
    EXPECT_EQ(fits->find("models")->items().size(), 4u);
    EXPECT_EQ(fits->find("points")->whole(), 13);
}

} // namespace
} // namespace zeb
