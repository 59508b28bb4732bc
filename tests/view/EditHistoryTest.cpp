// The undo history without a window: where each step leads and what the two
// "modified" flags say at each point, around saves.
#include "view/EditHistory.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

struct HistoryCase {
    const char* name;
    const char* ops;       // C: device-side edit, L: label edit, N: an edit that changes nothing,
                           // F: a label set to what it was, S: save, U: undo, R: redo,
                           // X: a label changed outside the history
    const char* expected;  // per op the flags after it: "C-", "-L", "CL", "--"
    int index;             // the history's index at the end
};

const HistoryCase kCases[] = {
    {"UndoAndRedoOneEdit", "CUR", "C- -- C-", 1},
    {"BackAtTheCleanPointIsUnmodified", "CLUU", "C- CL C- --", 0},
    {"UndoingPastASaveModifies", "CSUR", "C- -- C- --", 1},
    {"EachFlagFollowsWhatTheStepsPastTheSaveChanged", "CLSUURR", "C- CL -- -L CL -L --", 2},
    {"ASavedBranchThatWasDroppedStaysModified", "CSULU", "C- -- C- CL C-", 0},
    {"AnEditThatChangesNothingIsNoStep", "CNU", "C- C- --", 0},
    {"AStepThatOnlySetAFlagStillCountsPastASave", "FSU", "-L -- -L", 0},
    {"UndoWithNothingToUndoStays", "UCRR", "-- C- C- C-", 1},
    {"AChangeOutsideTheHistoryIsNoCleanPoint", "XCU", "-L CL -L", 0},
};

class History : public ::testing::TestWithParam<HistoryCase> {};

EditState Start() {
    EditState state{};
    state.configIndexes = {0, 1};
    return state;
}

std::string Flags(const EditState& state) {
    return std::string(state.doc.configModified ? "C" : "-") + (state.doc.labelsModified ? "L" : "-");
}

TEST_P(History, FlagsAtEachPoint) {
    const HistoryCase& test = GetParam();
    EditHistory history;
    EditState shown = Start();
    history.Clear(shown);
    std::string flags;
    int edits = 0;
    for (const char* op = test.ops; *op; ++op) {
        EditState next = shown;
        switch (*op) {
        case 'C':
            next.doc.image.keyMap[0] = uint8_t(++edits);
            next.doc.configModified = true;
            break;
        case 'L':
        case 'X':
            next.doc.panelLabels[0][0] = char('a' + ++edits);
            next.doc.labelsModified = true;
            break;
        case 'F': next.doc.labelsModified = true; break;
        case 'N': break;
        case 'S':
            next.doc.configModified = next.doc.labelsModified = false;
            history.SetClean(next);
            break;
        case 'U': next = history.Undo(); break;
        case 'R': next = history.Redo(); break;
        }
        if (std::string_view("CLFN").find(*op) != std::string_view::npos) {
            EXPECT_EQ(history.Record([op] { return QString(QChar(*op)); }, shown, next), *op != 'N');
        }
        shown = next;
        flags += (flags.empty() ? "" : " ") + Flags(shown);
    }
    EXPECT_EQ(flags, test.expected);
    EXPECT_EQ(history.Index(), test.index);
}

INSTANTIATE_TEST_SUITE_P(Steps, History, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(History, StepsCarryTheirTextsAndRestoreWhatWasShown) {
    EditHistory history;
    EditState start = Start();
    history.Clear(start);
    EditState module = start;
    module.configIndexes[1] = 3;
    module.doc.configModified = true;
    ASSERT_TRUE(history.Record([] { return QStringLiteral("Change input module 2"); }, start, module));
    EXPECT_EQ(history.UndoText(), "Change input module 2");
    EXPECT_EQ(history.RedoText(), "");
    EXPECT_EQ(history.Undo(), start);
    EXPECT_EQ(history.RedoText(), "Change input module 2");
    EXPECT_EQ(history.Redo(), module);
    // A new step after an undo drops the step undone.
    history.Undo();
    EditState label = start;
    label.doc.inputLabels[0][0][0] = 'x';
    label.doc.labelsModified = true;
    ASSERT_TRUE(history.Record({}, start, label));
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.Count(), 1);
    EXPECT_EQ(history.UndoText(), "") << "a step without a text";
}

}  // namespace
