// Handler chains and command hooks.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "editor/custom_synedit.h"
#include "editor/kbd_handler.h"

namespace marlinet::editor {
namespace {

using ::testing::ElementsAre;

// A listener that logs its name and can act on the chain from inside a call.
struct Listener {
    std::string name;
    std::vector<std::string>* log;
    std::uint16_t setKeyTo = 0xFFFF; // 0xFFFF: leave the key alone
    TSynEditKbdHandler* reenter = nullptr;
    TSynEditKbdHandler* removeFrom = nullptr;
    Listener* victim = nullptr;

    void KeyDown(TObject*, std::uint16_t& key, TShiftState) {
        log->push_back(name);
        if (setKeyTo != 0xFFFF) key = setKeyTo;
        if (reenter) reenter->ExecuteKeyDown(nullptr, key, {});
        if (removeFrom) removeFrom->RemoveKeyDownHandler(TKeyEvent::Of<&Listener::KeyDown>(victim));
    }
    void KeyPress(TObject*, char& key) {
        log->push_back(name);
        if (setKeyTo != 0xFFFF) key = static_cast<char>(setKeyTo);
    }
    void MouseDown(TObject*, TMouseButton, TShiftState, int x, int y) {
        log->push_back(name + "@" + std::to_string(x) + "," + std::to_string(y));
    }
    void Throwing(TObject*, std::uint16_t&, TShiftState) { throw std::runtime_error("boom"); }

    TKeyEvent Down() { return TKeyEvent::Of<&Listener::KeyDown>(this); }
};

TEST(HandlerChains, RunNewestFirstAndKeyChainsStopAtAZeroKey) {
    std::vector<std::string> log;
    Listener a{"a", &log}, b{"b", &log}, c{"c", &log};
    b.setKeyTo = 0;
    TSynEditKbdHandler h;
    h.AddKeyDownHandler(a.Down());
    h.AddKeyDownHandler(b.Down());
    h.AddKeyDownHandler(c.Down());
    std::uint16_t key = 'X';
    h.ExecuteKeyDown(nullptr, key, {});
    EXPECT_THAT(log, ElementsAre("c", "b"));
    EXPECT_EQ(key, 0);

    log.clear();
    char ch = 'x';
    Listener p{"p", &log}, q{"q", &log};
    q.setKeyTo = 0;
    h.AddKeyPressHandler(TKeyPressEvent::Of<&Listener::KeyPress>(&p));
    h.AddKeyPressHandler(TKeyPressEvent::Of<&Listener::KeyPress>(&q));
    h.ExecuteKeyPress(nullptr, ch);
    EXPECT_THAT(log, ElementsAre("q"));
}

TEST(HandlerChains, MouseChainsCallEveryListener) {
    std::vector<std::string> log;
    Listener a{"a", &log}, b{"b", &log};
    TSynEditKbdHandler h;
    h.AddMouseDownHandler(TMouseEvent::Of<&Listener::MouseDown>(&a));
    h.AddMouseDownHandler(TMouseEvent::Of<&Listener::MouseDown>(&b));
    h.ExecuteMouseDown(nullptr, mbLeft, {}, 3, 4);
    EXPECT_THAT(log, ElementsAre("b@3,4", "a@3,4"));
    h.ExecuteMouseUp(nullptr, mbLeft, {}, 0, 0); // an empty chain
    EXPECT_EQ(log.size(), 2u);
}

TEST(HandlerChains, RemoveDeletesTheLastEqualRegistration) {
    std::vector<std::string> log;
    Listener a{"a", &log}, b{"b", &log};
    TSynEditKbdHandler h;
    h.AddKeyDownHandler(a.Down());
    h.AddKeyDownHandler(b.Down());
    h.AddKeyDownHandler(a.Down());
    h.RemoveKeyDownHandler(a.Down());
    std::uint16_t key = 1;
    h.ExecuteKeyDown(nullptr, key, {});
    EXPECT_THAT(log, ElementsAre("b", "a"));
    h.RemoveKeyDownHandler(a.Down());
    h.RemoveKeyDownHandler(a.Down()); // no longer there: nothing happens
    log.clear();
    h.ExecuteKeyDown(nullptr, key, {});
    EXPECT_THAT(log, ElementsAre("b"));
}

TEST(HandlerChains, ANestedRunOfTheSameChainReturnsAtOnce) {
    std::vector<std::string> log;
    TSynEditKbdHandler h;
    Listener a{"a", &log};
    a.reenter = &h;
    h.AddKeyDownHandler(a.Down());
    std::uint16_t key = 1;
    h.ExecuteKeyDown(nullptr, key, {});
    EXPECT_THAT(log, ElementsAre("a"));
}

TEST(HandlerChains, TheRunningFlagIsClearedWhenAListenerThrows) {
    std::vector<std::string> log;
    TSynEditKbdHandler h;
    Listener thrower{"t", &log};
    h.AddKeyDownHandler(TKeyEvent::Of<&Listener::Throwing>(&thrower));
    std::uint16_t key = 1;
    EXPECT_THROW(h.ExecuteKeyDown(nullptr, key, {}), std::runtime_error);
    h.RemoveKeyDownHandler(TKeyEvent::Of<&Listener::Throwing>(&thrower));
    Listener a{"a", &log};
    h.AddKeyDownHandler(a.Down());
    h.ExecuteKeyDown(nullptr, key, {});
    EXPECT_THAT(log, ElementsAre("a"));
}

TEST(HandlerChains, AListenerRemovedByAnEarlierOneIsNotCalled) {
    std::vector<std::string> log;
    TSynEditKbdHandler h;
    Listener first{"first", &log}, second{"second", &log}, third{"third", &log};
    h.AddKeyDownHandler(first.Down());
    h.AddKeyDownHandler(second.Down());
    h.AddKeyDownHandler(third.Down());
    third.removeFrom = &h; // runs first and removes "first"
    third.victim = &first;
    std::uint16_t key = 1;
    h.ExecuteKeyDown(nullptr, key, {});
    EXPECT_THAT(log, ElementsAre("third", "second"));
}

// Exposes the notification pass that command processing runs.
class HookedEditor : public TCustomSynEdit {
public:
    using TCustomSynEdit::NotifyHookedCommandHandlers;
};

struct Hook {
    std::vector<std::string>* log;
    bool handle = false;
    TSynEditorCommand replaceWith = ecNone;

    void Run(TObject*, bool after, bool& handled, TSynEditorCommand& command, char& ch, void* data,
             void* handlerData) {
        log->push_back(std::string(after ? "after " : "before ") + std::to_string(command) + " " +
                       ch + " " + static_cast<const char*>(handlerData) + (data ? " data" : "") +
                       (handled ? " handled" : ""));
        if (handle) handled = true;
        if (replaceWith != ecNone) command = replaceWith;
    }
    void Other(TObject*, bool, bool&, TSynEditorCommand&, char&, void*, void*) {
        log->push_back("other");
    }
    THookedCommandEvent Method() { return THookedCommandEvent::Of<&Hook::Run>(this); }
};

TEST(CommandHooks, RunInRegistrationOrderSharingTheHandledFlag) {
    std::vector<std::string> log;
    HookedEditor edit;
    Hook h1{&log}, h2{&log};
    h1.handle = true;
    char first[] = "one", second[] = "two";
    edit.RegisterCommandHandler(h1.Method(), first);
    edit.RegisterCommandHandler(h2.Method(), second);
    TSynEditorCommand command = ecUndo;
    char ch = 'x';
    int payload = 0;
    edit.NotifyHookedCommandHandlers(false, command, ch, &payload);
    EXPECT_THAT(log, ElementsAre("before 601 x one data", "before 601 x two data handled"));
    EXPECT_EQ(command, ecNone);
}

TEST(CommandHooks, AHookMayChangeTheCommand) {
    std::vector<std::string> log;
    HookedEditor edit;
    Hook h{&log};
    h.replaceWith = ecRedo;
    char tag[] = "t";
    edit.RegisterCommandHandler(h.Method(), tag);
    TSynEditorCommand command = ecUndo;
    char ch = 0;
    edit.NotifyHookedCommandHandlers(true, command, ch, nullptr);
    EXPECT_EQ(command, ecRedo);
}

TEST(CommandHooks, DuplicateAndUnassignedRegistrationsAreIgnored) {
    std::vector<std::string> log;
    HookedEditor edit;
    Hook h{&log};
    char a[] = "a", b[] = "b";
    edit.RegisterCommandHandler(h.Method(), a);
    edit.RegisterCommandHandler(h.Method(), b); // same method, other data
    edit.RegisterCommandHandler(THookedCommandEvent{}, a);
    edit.RegisterCommandHandler(THookedCommandEvent::Of<&Hook::Other>(&h), a);
    TSynEditorCommand command = ecCopy;
    char ch = 'c';
    edit.NotifyHookedCommandHandlers(false, command, ch, nullptr);
    EXPECT_THAT(log, ElementsAre("before 201 c a", "other"));

    log.clear();
    edit.UnregisterCommandHandler(h.Method());
    edit.NotifyHookedCommandHandlers(false, command, ch, nullptr);
    EXPECT_THAT(log, ElementsAre("other"));
}

// An owner command's work runs between the hooks' passes, unless a hook
// takes the command before it.
TEST(CommandHooks, OwnerCommandWorkRunsBetweenTheHooksUnlessAHookTakesIt) {
    for (const bool take : {false, true}) {
        std::vector<std::string> log;
        HookedEditor edit;
        Hook h{&log};
        h.handle = take;
        char tag[] = "t";
        edit.RegisterCommandHandler(h.Method(), tag);
        edit.ProcessOwnerCommand(ecUserFirst + 2, [&] { log.push_back("work"); });
        ASSERT_EQ(log.size(), take ? 2u : 3u);
        EXPECT_TRUE(log.front().starts_with("before 1003"));
        EXPECT_EQ(log[1] == "work", !take);
        EXPECT_TRUE(log.back().starts_with(take ? "after 0" : "after 1003"));
    }
}

TEST(CommandHooks, NoHooksLeaveTheCommandAlone) {
    HookedEditor edit;
    TSynEditorCommand command = ecPaste;
    char ch = 0;
    edit.UnregisterCommandHandler(THookedCommandEvent{}); // before any registration
    edit.NotifyHookedCommandHandlers(false, command, ch, nullptr);
    EXPECT_EQ(command, ecPaste);
}

} // namespace
} // namespace marlinet::editor
