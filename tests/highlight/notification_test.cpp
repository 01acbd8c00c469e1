// Who hears about attribute changes, how often and in which order.
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "highlight/vb_highlighter.h"
#include "recorder.h"

namespace marlinet::highlight {
namespace {

using testing::Recorder;

class Notification : public ::testing::Test {
protected:
    void SetUp() override { hl.HookAttrChangeEvent(editor.Slot()); }
    TSynVBSyn hl{nullptr};
    Recorder editor;
};

TEST_F(Notification, ConstructionNotifiesNobodyAndRecordsDefaults) {
    TSynVBSyn fresh(nullptr);
    Recorder late;
    fresh.HookAttrChangeEvent(late.Slot());
    EXPECT_EQ(late.Count(), 0);
    EXPECT_FALSE(fresh.KeyAttri()->GetFontStyleStored());
    EXPECT_FALSE(fresh.CommentAttri()->GetFontStyleStored());
}

TEST_F(Notification, SameValueNotifiesNobodyAndANewOneNotifiesOnceWithTheAttribute) {
    hl.KeyAttri()->SetForeground(clNone);
    hl.KeyAttri()->SetStyle(fsBold);
    EXPECT_EQ(editor.Count(), 0);

    Recorder second;
    hl.HookAttrChangeEvent(second.Slot());
    hl.KeyAttri()->SetForeground(clWhite);
    ASSERT_EQ(editor.Count(), 1);
    ASSERT_EQ(second.Count(), 1);
    EXPECT_EQ(editor.senders[0], hl.KeyAttri());
    hl.KeyAttri()->SetForeground(clWhite);
    EXPECT_EQ(editor.Count(), 1);
}

TEST_F(Notification, AnUpdateBracketCoalescesToOneNotificationWithNoSender) {
    hl.BeginUpdate();
    hl.KeyAttri()->SetForeground(clWhite);
    hl.NumberAttri()->SetBackground(clBlack);
    hl.CommentAttri()->SetStyle(fsBold);
    EXPECT_EQ(editor.Count(), 0);
    hl.EndUpdate();
    ASSERT_EQ(editor.Count(), 1);
    EXPECT_EQ(editor.senders[0], nullptr);
}

TEST_F(Notification, NestedBracketsNotifyAtTheOutermostEnd) {
    hl.BeginUpdate();
    hl.BeginUpdate();
    hl.KeyAttri()->SetForeground(clWhite);
    hl.EndUpdate();
    EXPECT_EQ(editor.Count(), 0);
    hl.EndUpdate();
    EXPECT_EQ(editor.Count(), 1);
}

TEST_F(Notification, ABracketWithoutChangesOrAStrayEndUpdateNotifiesNobody) {
    hl.BeginUpdate();
    hl.KeyAttri()->SetStyle(fsBold); // the value it has
    hl.EndUpdate();
    hl.EndUpdate();
    hl.EndUpdate();
    EXPECT_EQ(editor.Count(), 0);
    // The stray ends did not leave the depth negative: one bracket still holds.
    hl.BeginUpdate();
    hl.KeyAttri()->SetForeground(clWhite);
    EXPECT_EQ(editor.Count(), 0);
    hl.EndUpdate();
    EXPECT_EQ(editor.Count(), 1);
}

TEST_F(Notification, EnabledNotifiesOnlyOnARealChange) {
    hl.SetEnabled(true);
    EXPECT_EQ(editor.Count(), 0);
    hl.SetEnabled(false);
    ASSERT_EQ(editor.Count(), 1);
    EXPECT_EQ(editor.senders[0], nullptr);
    EXPECT_FALSE(hl.Enabled());
    hl.SetEnabled(false);
    EXPECT_EQ(editor.Count(), 1);
}

TEST_F(Notification, WhileLoadingNothingIsHeardAndLoadedNotifiesOnce) {
    hl.BeginLoading();
    hl.KeyAttri()->SetForeground(clWhite);
    hl.SetEnabled(false);
    EXPECT_EQ(editor.Count(), 0);
    hl.Loaded();
    ASSERT_EQ(editor.Count(), 1);
    EXPECT_EQ(editor.senders[0], nullptr);
    EXPECT_EQ(hl.ComponentState() & csLoading, 0);
    // Loaded inside a bracket waits for its end.
    hl.BeginUpdate();
    hl.Loaded();
    EXPECT_EQ(editor.Count(), 1);
    hl.EndUpdate();
    EXPECT_EQ(editor.Count(), 2);
}

TEST_F(Notification, ListenersAreCalledInOrderOfRegistration) {
    std::string order;
    Recorder a, b, c;
    a.on_heard = [&](TObject*) { order += 'a'; };
    b.on_heard = [&](TObject*) { order += 'b'; };
    c.on_heard = [&](TObject*) { order += 'c'; };
    hl.HookAttrChangeEvent(b.Slot());
    hl.HookAttrChangeEvent(a.Slot());
    hl.HookAttrChangeEvent(c.Slot());
    hl.SetEnabled(false);
    EXPECT_EQ(order, "bac");
}

TEST_F(Notification, AListenerHookedTwiceHearsTwiceAndOneUnhookRemovesBoth) {
    Recorder twice;
    hl.HookAttrChangeEvent(twice.Slot());
    hl.HookAttrChangeEvent(twice.Slot());
    hl.SetEnabled(false);
    EXPECT_EQ(twice.Count(), 2);
    hl.UnhookAttrChangeEvent(twice.Slot());
    hl.SetEnabled(true);
    EXPECT_EQ(twice.Count(), 2);
    EXPECT_EQ(editor.Count(), 2);
}

TEST_F(Notification, UnhookRemovesOnlyThatObjectsSlot) {
    Recorder other;
    hl.HookAttrChangeEvent(other.Slot());
    hl.UnhookAttrChangeEvent(editor.Slot());
    hl.SetEnabled(false);
    EXPECT_EQ(editor.Count(), 0);
    EXPECT_EQ(other.Count(), 1);
    hl.UnhookAttrChangeEvent(editor.Slot()); // not hooked: nothing happens
    hl.SetEnabled(true);
    EXPECT_EQ(other.Count(), 2);
}

TEST_F(Notification, AListenerHookedWhileFiringIsCalledInTheSameRound) {
    Recorder late;
    editor.on_heard = [&](TObject*) {
        if (late.Count() == 0 && editor.Count() == 1) hl.HookAttrChangeEvent(late.Slot());
    };
    hl.SetEnabled(false);
    EXPECT_EQ(late.Count(), 1);
}

TEST_F(Notification, AListenerThatUnhooksItselfDoesNotMakeTheNextOneMissItsTurn) {
    // An editor unbinding in reaction to a change must not cost another
    // editor its notification.
    Recorder next;
    hl.HookAttrChangeEvent(next.Slot());
    editor.on_heard = [&](TObject*) { hl.UnhookAttrChangeEvent(editor.Slot()); };
    hl.SetEnabled(false);
    EXPECT_EQ(editor.Count(), 1);
    EXPECT_EQ(next.Count(), 1);
}

TEST_F(Notification, AListenerUnhookedBeforeItsTurnIsNotCalled) {
    Recorder victim;
    hl.HookAttrChangeEvent(victim.Slot());
    editor.on_heard = [&](TObject*) { hl.UnhookAttrChangeEvent(victim.Slot()); };
    hl.SetEnabled(false);
    EXPECT_EQ(victim.Count(), 0);
}

TEST_F(Notification, AThrowingListenerStopsTheRoundButTheValueStaysChanged) {
    Recorder after;
    hl.HookAttrChangeEvent(after.Slot());
    editor.on_heard = [](TObject*) { throw std::runtime_error("listener failed"); };
    EXPECT_THROW(hl.KeyAttri()->SetForeground(clWhite), std::runtime_error);
    EXPECT_EQ(hl.KeyAttri()->Foreground(), clWhite);
    EXPECT_EQ(after.Count(), 0);
    // The chain is usable afterwards.
    editor.on_heard = nullptr;
    hl.SetEnabled(false);
    EXPECT_EQ(after.Count(), 1);
}

TEST_F(Notification, AChangeMadeByAListenerStartsANestedRound) {
    Recorder second;
    hl.HookAttrChangeEvent(second.Slot());
    editor.on_heard = [&](TObject* sender) {
        if (sender == hl.KeyAttri()) hl.NumberAttri()->SetForeground(clAqua);
    };
    hl.KeyAttri()->SetForeground(clWhite);
    // Both rounds reach both listeners; the nested one went first for `second`.
    ASSERT_EQ(second.Count(), 2);
    EXPECT_EQ(second.senders[0], hl.NumberAttri());
    EXPECT_EQ(second.senders[1], hl.KeyAttri());
}

// An editor-like partner that unhooks itself when its highlighter goes.
class BoundEditor : public TComponent {
public:
    // Hears through Hears when given, else through its own recorder.
    explicit BoundEditor(TSynCustomHighlighter* highlighter, Recorder* Hears = nullptr)
        : TComponent(nullptr), highlighter_(highlighter), hears_(Hears ? Hears : &recorder) {
        highlighter_->HookAttrChangeEvent(hears_->Slot());
        highlighter_->FreeNotification(this);
    }
    ~BoundEditor() override {
        if (highlighter_ != nullptr) highlighter_->UnhookAttrChangeEvent(hears_->Slot());
    }
    TSynCustomHighlighter* highlighter_;
    Recorder recorder;
    Recorder* hears_;
    int attributes_seen_on_removal = -1;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        if (Operation == TOperation::opRemove && AComponent == highlighter_) {
            attributes_seen_on_removal = highlighter_->GetAttribCount();
            highlighter_->UnhookAttrChangeEvent(hears_->Slot());
            highlighter_ = nullptr;
        }
    }
};

TEST(HighlighterLifetime, ABoundEditorIsToldFirstAndUnhooksWhileTheHighlighterIsIntact) {
    auto hl = std::make_unique<TSynVBSyn>(nullptr);
    BoundEditor editor(hl.get());
    hl.reset();
    EXPECT_EQ(editor.highlighter_, nullptr);
    EXPECT_EQ(editor.attributes_seen_on_removal, 7);
}

TEST(HighlighterLifetime, AnEditorThatGoesFirstLeavesNoDanglingPartner) {
    auto hl = std::make_unique<TSynVBSyn>(nullptr);
    Recorder heard; // outlives the editor, so a call after it went would show
    {
        BoundEditor editor(hl.get(), &heard);
        hl->SetEnabled(false);
        EXPECT_EQ(heard.Count(), 1);
    }
    hl->SetEnabled(true);
    EXPECT_EQ(heard.Count(), 1);
    hl.reset(); // and no removal notice reaches the destroyed editor
}

TEST(HighlighterLifetime, TheOwnerHearsOfInsertionAndRemoval) {
    struct Form : TComponent {
        Form() : TComponent(nullptr) {}
        void Notification(TComponent* c, TOperation op) override {
            log += op == TOperation::opInsert ? "+" : "-";
            last = c;
        }
        std::string log;
        TComponent* last = nullptr;
    } form;
    auto hl = std::make_unique<TSynVBSyn>(&form);
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(hl->Owner(), &form);
    const TComponent* address = hl.get();
    hl.reset();
    EXPECT_EQ(form.log, "+-");
    EXPECT_EQ(form.last, address);
    EXPECT_EQ(form.ComponentCount(), 0);
}

TEST(HighlighterLifetime, ComponentsOutliveTheirOwner) {
    auto form = std::make_unique<TComponent>(nullptr);
    TSynVBSyn hl(form.get());
    form.reset();
    EXPECT_EQ(hl.Owner(), nullptr);
}

} // namespace
} // namespace marlinet::highlight
