// The undo list as a data structure, and the editor's Modified tracking on it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "editor/custom_synedit.h"
#include "editor/errors.h"
#include "editor/undo.h"

namespace marlinet::editor {
namespace {

using ::testing::ElementsAre;

void Record(TSynEditUndoList& list, TSynChangeReason reason = crInsert) {
    list.AddChange(reason, {1, 1}, {2, 1}, "", smNormal);
}

std::vector<int> Numbers(const TSynEditUndoList& list) {
    std::vector<int> numbers;
    for (int i = 0; i < list.ItemCount(); ++i)
        numbers.push_back(list.Items(i).ChangeNumber);
    return numbers;
}

struct AddedCounter {
    int count = 0;
    void Added(TObject*) { ++count; }
};

TEST(UndoRecording, ItemsKeepEveryFieldAndTakeRisingNumbers) {
    TSynEditUndoList list;
    list.AddChange(crDelete, {3, 2}, {5, 4}, "gone", smColumn);
    Record(list);
    const TSynEditUndoItem& item = list.Items(0);
    EXPECT_EQ(item.ChangeReason, crDelete);
    EXPECT_EQ(item.ChangeSelMode, smColumn);
    EXPECT_EQ(item.ChangeStartPos, (TBufferCoord{3, 2}));
    EXPECT_EQ(item.ChangeEndPos, (TBufferCoord{5, 4}));
    EXPECT_EQ(item.ChangeStr, "gone");
    EXPECT_THAT(Numbers(list), ElementsAre(1, 2));
    EXPECT_EQ(list.LastChangeReason(), crInsert);
    EXPECT_THROW(list.Items(2), EListError);
}

TEST(UndoRecording, LockedListsRecordNothingAndUnlockStopsAtZero) {
    TSynEditUndoList list;
    list.Unlock(); // not below 0
    list.Lock();
    Record(list);
    EXPECT_EQ(list.ItemCount(), 0);
    list.Unlock();
    Record(list);
    EXPECT_EQ(list.ItemCount(), 1);
}

TEST(UndoRecording, EmptyListAnswersNothing) {
    TSynEditUndoList list;
    EXPECT_EQ(list.LastChangeReason(), crNothing);
    EXPECT_EQ(list.PeekItem(), nullptr);
    EXPECT_EQ(list.PopItem(), nullptr);
    EXPECT_FALSE(list.CanUndo());
}

TEST(UndoBlocks, ShareOneNumberAndNotifyOnceWhenClosed) {
    TSynEditUndoList list;
    AddedCounter counter;
    list.OnAddedUndo = TNotifyEvent::Of<&AddedCounter::Added>(&counter);
    Record(list); // 1
    list.BeginBlock();
    Record(list, crWhiteSpaceAdd);
    list.BeginBlock(); // nested: still the same block
    Record(list);
    list.EndBlock();
    Record(list);
    EXPECT_EQ(list.BlockCount(), 1);
    list.EndBlock();
    Record(list);
    EXPECT_THAT(Numbers(list), ElementsAre(1, 2, 2, 2, 3));
    // One per item outside and inside, plus one for the closed block.
    EXPECT_EQ(counter.count, 1 + 3 + 1 + 1);
    EXPECT_EQ(list.BlockChangeNumber(), 0);
}

TEST(UndoBlocks, AnEmptyBlockStillUsesUpItsNumberAndAStrayEndIsIgnored) {
    TSynEditUndoList list;
    AddedCounter counter;
    list.OnAddedUndo = TNotifyEvent::Of<&AddedCounter::Added>(&counter);
    list.EndBlock();
    EXPECT_EQ(list.BlockCount(), 0);
    list.BeginBlock();
    list.EndBlock();
    EXPECT_EQ(counter.count, 0);
    Record(list);
    EXPECT_THAT(Numbers(list), ElementsAre(2));
}

TEST(GroupBreaks, AreNotDoubledAndDoNotNotify) {
    TSynEditUndoList list;
    AddedCounter counter;
    list.OnAddedUndo = TNotifyEvent::Of<&AddedCounter::Added>(&counter);
    list.AddGroupBreak();
    list.AddGroupBreak();
    Record(list);
    list.AddGroupBreak();
    EXPECT_EQ(list.ItemCount(), 3);
    EXPECT_EQ(list.LastChangeReason(), crGroupBreak);
    EXPECT_THAT(Numbers(list), ElementsAre(1, 2, 3));
    EXPECT_EQ(counter.count, 1);
}

TEST(UndoLimit, DropsTheOldestItemsAndGroupBreaksCount) {
    TSynEditUndoList list;
    list.SetMaxUndoActions(2);
    Record(list);
    list.AddGroupBreak();
    EXPECT_FALSE(list.FullUndoImpossible());
    Record(list);
    EXPECT_THAT(Numbers(list), ElementsAre(2, 3));
    EXPECT_TRUE(list.FullUndoImpossible());
    list.Clear();
    EXPECT_FALSE(list.FullUndoImpossible());
}

TEST(UndoLimit, LoweringTheLimitTrimsAtOnceAndNegativeMeansZero) {
    TSynEditUndoList list;
    for (int i = 0; i < 5; ++i)
        Record(list);
    list.SetMaxUndoActions(3);
    EXPECT_THAT(Numbers(list), ElementsAre(3, 4, 5));
    list.SetMaxUndoActions(-7);
    EXPECT_EQ(list.MaxUndoActions(), 0);
    EXPECT_EQ(list.ItemCount(), 0);
}

TEST(UndoItems, PopPushAndDeleteWorkOnTheTop) {
    TSynEditUndoList list;
    Record(list, crInsert);
    Record(list, crDelete);
    auto top = list.PopItem();
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->ChangeReason, crDelete);
    top->ChangeNumber = 40;
    list.PushItem(std::move(top));
    EXPECT_EQ(list.PeekItem()->ChangeNumber, 40);
    list.DeleteItem(0);
    EXPECT_EQ(list.ItemCount(), 1);
    EXPECT_THROW(list.DeleteItem(1), EListError);
}

TEST(UndoItems, AssignCopiesItemsAndState) {
    TSynEditUndoList source;
    source.SetMaxUndoActions(10);
    Record(source);
    source.SetInitialState(true);
    source.BeginBlock();
    TSynEditUndoList copy;
    AddedCounter counter;
    copy.OnAddedUndo = TNotifyEvent::Of<&AddedCounter::Added>(&counter);
    copy.Assign(source);
    EXPECT_EQ(copy.ItemCount(), 1);
    EXPECT_EQ(copy.MaxUndoActions(), 10);
    EXPECT_EQ(copy.BlockCount(), 1);
    EXPECT_EQ(copy.InitialChangeNumber(), 1);
    EXPECT_TRUE(copy.InitialState());
    Record(copy);
    copy.EndBlock();
    EXPECT_GT(counter.count, 0); // the copy still reports to its own owner
    EXPECT_EQ(source.ItemCount(), 1);
}

TEST(InitialState, TracksTheMarkedTopItem) {
    TSynEditUndoList list;
    EXPECT_TRUE(list.InitialState());
    Record(list);
    EXPECT_FALSE(list.InitialState());
    list.SetInitialState(true);
    EXPECT_TRUE(list.InitialState());
    Record(list);
    EXPECT_FALSE(list.InitialState());
    list.PopItem();
    EXPECT_TRUE(list.InitialState());
    list.SetInitialState(false);
    EXPECT_FALSE(list.InitialState());
    EXPECT_EQ(list.InitialChangeNumber(), -1);
}

TEST(InitialState, MarkingFalseWhenAlreadyChangedKeepsTheMark) {
    TSynEditUndoList list;
    Record(list);
    list.SetInitialState(true);
    Record(list);
    list.SetInitialState(false);
    EXPECT_EQ(list.InitialChangeNumber(), 1);
}

TEST(InitialState, AnEmptiedListIsNotTheInitialStateOnceChangesWereDropped) {
    TSynEditUndoList list;
    list.SetMaxUndoActions(1);
    Record(list);
    Record(list); // drops the first change: it can never be undone
    list.PopItem();
    EXPECT_EQ(list.ItemCount(), 0);
    EXPECT_FALSE(list.InitialState());
}

// --- The editor's view of the two lists ------------------------------------------

struct ChangeCounter {
    int changes = 0;
    std::vector<TSynStatusChanges> statuses;
    void Change(TObject*) { ++changes; }
    void Status(TObject*, TSynStatusChanges c) { statuses.push_back(c); }
};

class EditorUndo : public ::testing::Test {
protected:
    EditorUndo() {
        edit.OnChange = TNotifyEvent::Of<&ChangeCounter::Change>(&counter);
        edit.OnStatusChange = TStatusChangeEvent::Of<&ChangeCounter::Status>(&counter);
    }
    TCustomSynEdit edit;
    ChangeCounter counter;
};

TEST_F(EditorUndo, AnEditMakesModifiedAndItsUndoClearsIt) {
    edit.SetModified(false);
    Record(edit.UndoList());
    EXPECT_TRUE(edit.Modified());
    EXPECT_EQ(counter.statuses.back(), TSynStatusChanges{scModified});
    // Undoing moves the item to the redo list.
    auto item = edit.UndoList().PopItem();
    edit.RedoList().PushItem(std::move(item));
    EXPECT_FALSE(edit.Modified());
}

TEST_F(EditorUndo, MarkingUnmodifiedAddsAGroupBreakAndUndoBackReturnsToIt) {
    Record(edit.UndoList()); // 1
    edit.SetModified(false); // break 2 marks the state
    EXPECT_EQ(edit.UndoList().LastChangeReason(), crGroupBreak);
    Record(edit.UndoList()); // 3
    EXPECT_TRUE(edit.Modified());
    edit.RedoList().PushItem(edit.UndoList().PopItem());
    EXPECT_FALSE(edit.Modified());
    edit.UndoList().PopItem(); // the break
    edit.RedoList().PushItem(edit.UndoList().PopItem());
    EXPECT_TRUE(edit.Modified()); // before the saved state
}

TEST_F(EditorUndo, SettingModifiedReportsOnlyChanges) {
    edit.SetModified(false);
    EXPECT_TRUE(counter.statuses.empty());
    edit.SetModified(true);
    edit.SetModified(true);
    ASSERT_EQ(counter.statuses.size(), 1u);
    EXPECT_TRUE(edit.Modified());
}

TEST_F(EditorUndo, ANewEditEmptiesTheRedoListButARedoDoesNot) {
    Record(edit.RedoList());
    Record(edit.UndoList());
    EXPECT_FALSE(edit.CanRedo());
    Record(edit.RedoList());
    edit.UndoList().SetInsideRedo(true);
    Record(edit.UndoList());
    edit.UndoList().SetInsideRedo(false);
    EXPECT_TRUE(edit.CanRedo());
    edit.UndoList().AddGroupBreak(); // a caret movement
    EXPECT_TRUE(edit.CanRedo());
}

TEST_F(EditorUndo, OnChangeWaitsForTheBlockToClose) {
    edit.BeginUndoBlock();
    Record(edit.UndoList());
    Record(edit.UndoList());
    EXPECT_EQ(counter.changes, 0);
    edit.EndUndoBlock();
    EXPECT_EQ(counter.changes, 1);
}

TEST_F(EditorUndo, MaxUndoLockAndReadOnlyApplyToBothLists) {
    edit.SetMaxUndo(3);
    EXPECT_EQ(edit.RedoList().MaxUndoActions(), 3);
    edit.SetMaxUndo(-1);
    EXPECT_EQ(edit.MaxUndo(), 3);
    edit.LockUndo();
    Record(edit.UndoList());
    Record(edit.RedoList());
    edit.UnlockUndo();
    EXPECT_FALSE(edit.CanUndo());
    Record(edit.UndoList());
    EXPECT_TRUE(edit.CanUndo());
    edit.SetReadOnly(true);
    EXPECT_FALSE(edit.CanUndo());
    edit.SetReadOnly(false);
    edit.ClearUndo();
    EXPECT_FALSE(edit.CanUndo());
}

TEST_F(EditorUndo, ClearingTheLinesClearsBothLists) {
    edit.Lines().Add("10 PRINT");
    Record(edit.UndoList());
    Record(edit.RedoList());
    edit.Lines().Clear();
    EXPECT_EQ(edit.UndoList().ItemCount(), 0);
    EXPECT_EQ(edit.RedoList().ItemCount(), 0);
}

} // namespace
} // namespace marlinet::editor
