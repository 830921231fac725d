// The export selection dialog's logic: typed concentration numbers, the
// refusal of other characters, Abort, and the close that starts the export.
#include "dialogs/ExportSelectionDialog.h"
#include "platform/ScriptedPlatform.h"
#include "support/SyntheticSets.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

struct Dialog {
    ScriptedPlatform platform;
    MeasurementSet set{platform};
    std::vector<int> chosen;
    ExportSelectionDialog form{platform, set, chosen};
    int repaints = 0, exports = 0, changes = 0;
    Dialog() {
        test::FillModelSet(set, 4, 3, test::ModelParams{});
        form.onRepaint = [this] { ++repaints; };
        form.onPostDeferredExport = [this] { ++exports; };
        form.onChanged = [this] { ++changes; };
        form.Show();
    }
    void type(const std::string& text) {
        form.numbersField = text;
        form.keyTyped(text.empty() ? ' ' : text.back());
    }
};

TEST(ExportSelectionDialog, SpaceChoosesTheTypedNumbersAfresh) {
    Dialog d;
    d.chosen = {};
    d.type("4 ");
    EXPECT_EQ(d.chosen, std::vector<int>{4});
    // Each Space starts from an empty list; duplicates, numbers beyond the last
    // concentration and runs of digits too long for any number are ignored.
    d.type("  3 1 3 0 5 99999999999999999999 ");
    EXPECT_EQ(d.chosen, (std::vector<int>{3, 1, 0}));
    EXPECT_EQ(d.set.cell(4, 1)->symbolState, 1);
    EXPECT_EQ(d.set.cell(3, 2)->symbolState, 100);
    d.set.cell(1, 2)->active = 0;
    d.type("1 ");
    EXPECT_EQ(d.set.cell(1, 2)->symbolState, 1000);
    EXPECT_EQ(d.set.cell(3, 2)->symbolState, 1);
    EXPECT_TRUE(d.platform.messages.empty());
    // Other keys apply nothing.
    d.form.numbersField = "2";
    d.form.keyTyped('2');
    EXPECT_EQ(d.chosen, std::vector<int>{1});
}

TEST(ExportSelectionDialog, AnotherCharacterIsRefusedAndTheNumbersBeforeItStay) {
    Dialog d;
    d.type("2 4x 1 ");
    EXPECT_EQ(d.chosen, (std::vector<int>{2, 4}));
    ASSERT_EQ(d.platform.messages.size(), 1u);
    EXPECT_EQ(d.platform.lastMessage().text, "Invalid Input: Other than blanc or number !");
    EXPECT_EQ(d.platform.lastMessage().caption, "ZEB-Stat");
    EXPECT_EQ(d.platform.lastMessage().icon, MsgIcon::Stop);
    d.type("-1 ");
    EXPECT_TRUE(d.chosen.empty());
    EXPECT_EQ(d.platform.messages.size(), 2u);
}

TEST(ExportSelectionDialog, TheCZeroGroupMarksTheInterceptRecord) {
    Dialog d;
    DataPoint intercept;
    intercept.hasData = intercept.active = intercept.symbolState = 1;
    d.form.setC0Intercept(&intercept);
    d.type("0 ");
    EXPECT_EQ(intercept.symbolState, 100);
    d.type("1 ");
    EXPECT_EQ(intercept.symbolState, 1);
}

TEST(ExportSelectionDialog, ClosingHidesAndStartsTheExportOnce) {
    Dialog d;
    d.form.numbersField = "typed";
    d.form.Show();
    EXPECT_EQ(d.form.numbersField, "");
    d.type("2 ");
    const int repaints = d.repaints;
    d.form.accept();
    EXPECT_FALSE(d.form.visible());
    EXPECT_EQ(d.exports, 1);
    EXPECT_EQ(d.repaints, repaints);  // a choice is shown already
    d.form.finish();               // the hidden form's close event
    EXPECT_EQ(d.exports, 1);

    d.form.Show();
    d.type("1 3 ");
    d.form.abort();
    EXPECT_TRUE(d.chosen.empty());
    EXPECT_EQ(d.set.cell(3, 1)->symbolState, 1);
    EXPECT_EQ(d.exports, 2);

    // A choice made in the chart shows in the field.
    d.form.Show();
    const int changes = d.changes;
    d.chosen = {1, 3};
    d.form.ChosenListChanged();
    EXPECT_EQ(d.form.numbersField, "1 3 ");
    EXPECT_GT(d.changes, changes);
}

// OK takes what was typed without a closing Space; a character that is no
// number is answered with its message and the dialog stays open. The hint
// "No data records selected !" shows only while nothing is chosen.
TEST(ExportSelectionDialog, OkAppliesTheTypedNumbersAndRefusesOtherCharacters) {
    Dialog d;
    EXPECT_TRUE(d.form.noSelectionLabelVisible());
    d.form.numbersField = "abc";
    d.form.accept();
    EXPECT_TRUE(d.form.visible());
    EXPECT_EQ(d.exports, 0);
    ASSERT_EQ(d.platform.messages.size(), 1u);
    EXPECT_EQ(d.platform.lastMessage().text, "Invalid Input: Other than blanc or number !");
    EXPECT_TRUE(d.form.noSelectionLabelVisible());

    d.form.numbersField = "2 3";
    const int changes = d.changes;
    d.form.accept();
    EXPECT_EQ(d.chosen, (std::vector<int>{2, 3}));
    EXPECT_FALSE(d.form.visible());
    EXPECT_EQ(d.exports, 1);
    EXPECT_GT(d.changes, changes);
    EXPECT_FALSE(d.form.noSelectionLabelVisible());
    EXPECT_EQ(d.platform.messages.size(), 1u);

    // Chosen in the chart, the field shows the list and OK takes it as it is.
    d.form.Show();
    d.chosen.clear();
    EXPECT_TRUE(d.form.noSelectionLabelVisible());
    d.chosen = {4};
    d.form.ChosenListChanged();
    EXPECT_FALSE(d.form.noSelectionLabelVisible());
    const int repaints = d.repaints;
    d.form.accept();
    EXPECT_EQ(d.chosen, std::vector<int>{4});
    EXPECT_EQ(d.repaints, repaints);
    EXPECT_EQ(d.exports, 2);
}

} // namespace
} // namespace zeb
