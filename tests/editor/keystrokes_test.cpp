// Key bindings: the default table, look-ups, shortcuts, streams, stored
// differences and chord translation.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <utility>

#include "editor/custom_synedit.h"
#include "editor/errors.h"
#include "editor/keystrokes.h"

namespace marlinet::editor {
namespace {

const TShiftState kNone{};
const TShiftState kShift{ssShift};
const TShiftState kCtrl{ssCtrl};
const TShiftState kAlt{ssAlt};
const TShiftState kShiftCtrl{ssShift, ssCtrl};

TSynEditorCommand Lookup(const TSynEditKeyStrokes& table, std::uint16_t key, TShiftState shift) {
    int i = table.FindKeycode(key, shift);
    return i < 0 ? ecNone : table.Items(i).Command();
}

TEST(DefaultKeystrokes, EightyTwoSingleKeyEntriesWithNoDuplicateKeys) {
    TSynEditKeyStrokes table;
    table.ResetDefaults();
    ASSERT_EQ(table.Count(), 82);
    std::set<std::pair<int, unsigned>> keys;
    for (int i = 0; i < table.Count(); ++i) {
        EXPECT_EQ(table.Items(i).Key2(), 0);
        keys.insert({table.Items(i).Key(), table.Items(i).Shift().Bits()});
    }
    EXPECT_EQ(keys.size(), 82u);
    EXPECT_EQ(table.Items(0).Command(), ecUp);
    EXPECT_EQ(table.Items(58).Command(), ecGotoMarker(0));
    EXPECT_EQ(table.Items(81).Command(), ecMatchBracket);
}

TEST(DefaultKeystrokes, BindingsAndTheFirstKeyOfEachCommand) {
    TSynEditKeyStrokes t;
    t.ResetDefaults();
    struct Binding {
        std::uint16_t key;
        TShiftState shift;
        TSynEditorCommand command;
        bool firstForCommand; // the key FindCommand answers
    };
    const Binding bindings[] = {
        {'C', kCtrl, ecCopy, false},
        {VK_INSERT, kCtrl, ecCopy, true},
        {VK_DELETE, kShift, ecCut, true},
        {VK_INSERT, kShift, ecPaste, true},
        {'C', kShiftCtrl, ecColumnSelect, false},
        {'C', TShiftState{ssShift, ssCtrl, ssAlt}, ecNone, false},
        {VK_BACK, kNone, ecDeleteLastChar, true},
        {VK_BACK, kShift, ecDeleteLastChar, false},
        {VK_BACK, kAlt, ecUndo, true},
        {VK_BACK, TShiftState{ssShift, ssAlt}, ecRedo, false},
        {'M', kCtrl, ecLineBreak, false},
        {VK_RETURN, kNone, ecLineBreak, false},
        {VK_NEXT, kShiftCtrl, ecSelPageBottom, false},
        {'7', kShiftCtrl, ecSetMarker(7), false},
        {VK_F1, kNone, ecContextHelp, false},
    };
    for (const Binding& b : bindings) {
        EXPECT_EQ(Lookup(t, b.key, b.shift), b.command) << "key " << b.key;
        if (!b.firstForCommand) continue;
        const TSynEditKeyStroke& first = t.Items(t.FindCommand(b.command));
        EXPECT_EQ(first.Key(), b.key);
        EXPECT_EQ(first.Shift(), b.shift);
    }
    EXPECT_EQ(t.FindCommand(ecString), -1);
}

TEST(ShortCuts, PackKeyAndModifiersIntoOneNumber) {
    EXPECT_EQ(ShortCut('A', kNone), 0x41);
    EXPECT_EQ(ShortCut('A', TShiftState{ssShift, ssCtrl, ssAlt}), 0x41 + 0x2000 + 0x4000 + 0x8000);
    EXPECT_EQ(ShortCut(0x141, kCtrl), 0);
    EXPECT_EQ(ShortCut('A', TShiftState{ssLeft}), 0x41); // mouse bits are not part of it
    std::uint16_t key = 0;
    TShiftState shift;
    ShortCutToKey(0x4000 + 0x2000 + 'Z', key, shift);
    EXPECT_EQ(key, 'Z');
    EXPECT_EQ(shift, kShiftCtrl);
}

TEST(ShortCuts, SettingAShortcutAnotherItemHoldsFails) {
    TSynEditKeyStrokes t;
    t.ResetDefaults();
    TSynEditKeyStroke& up = t.Items(0);
    try {
        up.SetShortCut(ShortCut('C', kCtrl));
        FAIL();
    } catch (const ESynKeyError& e) {
        EXPECT_STREQ(e.what(), "Shortcut already exists");
    }
    EXPECT_EQ(up.Key(), VK_UP);
    EXPECT_EQ(up.Shift(), kNone);
    up.SetShortCut(ShortCut(VK_UP, kNone)); // its own value
    up.SetShortCut(ShortCut('Q', kAlt));
    EXPECT_EQ(up.Key(), 'Q');
    EXPECT_EQ(up.Shift(), kAlt);
    // A different second key makes the pair distinct.
    TSynEditKeyStroke& chord = t.Add();
    chord.SetShortCut2(ShortCut('B', kCtrl));
    chord.SetShortCut(ShortCut('C', kCtrl));
    EXPECT_EQ(t.FindShortcut2(ShortCut('C', kCtrl), ShortCut('B', kCtrl)), chord.Index());
    TSynEditKeyStroke& copy = t.Items(t.FindKeycode('C', kCtrl));
    EXPECT_THROW(copy.SetShortCut2(ShortCut('B', kCtrl)), ESynKeyError);
    EXPECT_EQ(copy.Key2(), 0);
    t.Items(2).SetShortCut2(ShortCut('B', kCtrl)); // (Ctrl+Up, Ctrl+B) is still free
}

TEST(ShortCuts, CodeBuiltTablesMayHoldDuplicatesAndTheFirstWins) {
    TSynEditKeyStrokes t;
    t.AddKey(ecCopy, 'K', kCtrl);
    t.AddKey(ecPaste, 'K', kCtrl);
    EXPECT_EQ(Lookup(t, 'K', kCtrl), ecCopy);
    EXPECT_EQ(t.FindShortcut(ShortCut('K', kCtrl)), 0);
}

TEST(KeystrokeStreams, RoundTripKeepsEveryFieldInOrder) {
    TSynEditKeyStrokes t;
    t.ResetDefaults();
    TSynEditKeyStroke& chord = t.Add();
    chord.SetKey('K');
    chord.SetShift(TShiftState{ssCtrl, ssDouble});
    chord.SetKey2('B');
    chord.SetShift2(kCtrl);
    chord.SetCommand(ecUserFirst + 5);
    std::stringstream s;
    t.SaveToStream(s);
    EXPECT_EQ(s.str().size(), 4u + 8u * 83u);
    EXPECT_EQ(s.str().substr(0, 4), std::string("\x53\0\0\0", 4));

    TSynEditKeyStrokes loaded;
    loaded.AddKey(ecCopy, 'Q', kNone);
    loaded.LoadFromStream(s);
    ASSERT_EQ(loaded.Count(), 83);
    for (int i = 0; i < 83; ++i) {
        const auto& a = t.Items(i);
        const auto& b = loaded.Items(i);
        EXPECT_EQ(a.Key(), b.Key());
        EXPECT_EQ(a.Shift(), b.Shift());
        EXPECT_EQ(a.Key2(), b.Key2());
        EXPECT_EQ(a.Shift2(), b.Shift2());
        EXPECT_EQ(a.Command(), b.Command());
    }
}

TEST(KeystrokeStreams, ItemBytesAreLittleEndian) {
    TSynEditKeyStrokes t;
    TSynEditKeyStroke& k = t.AddKey(0x0102, 0x0304, TShiftState{ssShift, ssCtrl});
    k.SetKey2(0x0506);
    std::ostringstream s;
    t.SaveToStream(s);
    EXPECT_EQ(s.str(), std::string("\x01\0\0\0\x04\x03\x05\x06\x05\0\x02\x01", 12));
}

TEST(KeystrokeStreams, ZeroOrNegativeCountLoadsAnEmptyTable) {
    for (std::string count : {std::string("\0\0\0\0", 4), std::string("\xFF\xFF\xFF\xFF", 4)}) {
        TSynEditKeyStrokes t;
        t.ResetDefaults();
        std::istringstream s(count);
        t.LoadFromStream(s);
        EXPECT_EQ(t.Count(), 0);
    }
}

TEST(KeystrokeStreams, ATruncatedStreamRaisesAndLeavesTheTable) {
    TSynEditKeyStrokes t;
    t.ResetDefaults();
    std::istringstream shortStream(std::string("\x05\0\0\0\x41\0\x04\0\0\0\x01\0", 12));
    EXPECT_THROW(t.LoadFromStream(shortStream), ESynKeyError);
    EXPECT_EQ(t.Count(), 82);
    std::istringstream noCount(std::string("\x05\0", 2));
    EXPECT_THROW(t.LoadFromStream(noCount), ESynKeyError);
    EXPECT_EQ(t.Count(), 82);
}

TEST(StoredKeystrokes, DefaultsStoreNothingAndDifferencesRebuildTheTable) {
    TCustomSynEdit edit;
    EXPECT_FALSE(edit.KeystrokesStored());

    // Rebind Ctrl+C, drop Ctrl+Y, add a chord.
    TSynEditKeyStrokes& keys = edit.Keystrokes();
    keys.Items(keys.FindKeycode('C', kCtrl)).SetCommand(ecSelectAll);
    keys.Delete(keys.FindKeycode('Y', kCtrl));
    TSynEditKeyStroke& chord = keys.AddKey(ecUserFirst, 'K', kCtrl);
    chord.SetKey2('B');
    chord.SetShift2(kCtrl);
    EXPECT_TRUE(edit.KeystrokesStored());

    TSynEditKeyStrokes removed, added;
    edit.GetRemovedKeystrokes(removed);
    edit.GetAddedKeystrokes(added);
    ASSERT_EQ(removed.Count(), 2);
    EXPECT_EQ(removed.Items(0).Command(), ecCopy);
    EXPECT_EQ(removed.Items(1).Command(), ecDeleteLine);
    ASSERT_EQ(added.Count(), 2);
    EXPECT_EQ(added.Items(0).Command(), ecSelectAll);
    EXPECT_EQ(added.Items(1).Command(), ecUserFirst);

    // Reading a form: start from the defaults, apply removed, then added.
    TCustomSynEdit reread;
    reread.SetRemovedKeystrokes(removed);
    reread.SetAddedKeystrokes(added);
    EXPECT_EQ(Lookup(reread.Keystrokes(), 'C', kCtrl), ecSelectAll);
    EXPECT_EQ(Lookup(reread.Keystrokes(), 'Y', kCtrl), ecNone);
    EXPECT_EQ(reread.Keystrokes().FindKeycode2('K', kCtrl, 'B', kCtrl) >= 0, true);
    TSynEditKeyStrokes removedAgain, addedAgain;
    reread.GetRemovedKeystrokes(removedAgain);
    reread.GetAddedKeystrokes(addedAgain);
    EXPECT_TRUE(removedAgain.SameAs(removed));
    EXPECT_TRUE(addedAgain.SameAs(added));
}

TEST(StoredKeystrokes, ARemovedItemOnlyDeletesAMatchingCommand) {
    TSynEditKeyStrokes table, removed;
    table.AddKey(ecPaste, 'V', kCtrl);
    removed.AddKey(ecCopy, 'V', kCtrl);
    ApplyRemovedKeystrokes(table, removed);
    EXPECT_EQ(table.Count(), 1);
}

TEST(StoredKeystrokes, SettingTheTableCopiesItAndNullEmptiesIt) {
    TCustomSynEdit edit;
    TSynEditKeyStrokes mine;
    mine.AddKey(ecUndo, 'U', kCtrl);
    edit.SetKeystrokes(&mine);
    mine.Clear();
    ASSERT_EQ(edit.Keystrokes().Count(), 1);
    EXPECT_EQ(edit.Keystrokes().Items(0).Collection(), &edit.Keystrokes());
    edit.SetKeystrokes(nullptr);
    EXPECT_EQ(edit.Keystrokes().Count(), 0);
    edit.SetDefaultKeystrokes();
    EXPECT_EQ(edit.Keystrokes().Count(), 82);
}

class TranslateKeys : public ::testing::Test {
protected:
    TranslateKeys() {
        TSynEditKeyStroke& chord = edit.Keystrokes().Add();
        chord.SetKey('K');
        chord.SetShift(kCtrl);
        chord.SetKey2('B');
        chord.SetShift2(kCtrl);
        chord.SetCommand(ecUserFirst + 1);
    }
    TSynEditorCommand Press(std::uint16_t key, TShiftState shift) {
        return edit.TranslateKeyCode(key, shift, data);
    }
    TCustomSynEdit edit;
    int payload = 0;
    void* data = &payload;
};

TEST_F(TranslateKeys, SingleKeysGiveTheirCommandAndLeaveTheDataAlone) {
    EXPECT_EQ(Press('C', kCtrl), ecCopy);
    EXPECT_EQ(Press(VK_RETURN, kNone), ecLineBreak);
    EXPECT_EQ(Press('C', TShiftState{ssShift, ssCtrl, ssAlt}), ecNone);
    EXPECT_EQ(data, &payload);
}

TEST_F(TranslateKeys, AChordNeedsItsSecondKeyRightAfterTheFirst) {
    EXPECT_EQ(Press('K', kCtrl), ecNone);
    EXPECT_EQ(Press('B', kCtrl), ecUserFirst + 1);
    // The chord is used up: Ctrl+B alone is unbound.
    EXPECT_EQ(Press('B', kCtrl), ecNone);
}

TEST_F(TranslateKeys, AnyKeyBetweenBreaksTheChord) {
    EXPECT_EQ(Press('K', kCtrl), ecNone);
    EXPECT_EQ(Press('Q', kCtrl), ecNone);
    EXPECT_EQ(Press('B', kCtrl), ecNone);

    EXPECT_EQ(Press('K', kCtrl), ecNone);
    EXPECT_EQ(Press(VK_CONTROL, kCtrl), ecNone); // Ctrl pressed again by itself
    EXPECT_EQ(Press('B', kCtrl), ecNone);

    EXPECT_EQ(Press('K', kCtrl), ecNone);
    EXPECT_EQ(Press(VK_LEFT, kNone), ecLeft); // a bound key also ends the chord
    EXPECT_EQ(Press('B', kCtrl), ecNone);
}

TEST_F(TranslateKeys, UnmodifiedLettersAreRememberedAsChordStarts) {
    TSynEditKeyStroke& letters = edit.Keystrokes().Add();
    letters.SetKey('G');
    letters.SetKey2('G');
    letters.SetCommand(ecEditorTop);
    EXPECT_EQ(Press('G', kNone), ecNone);
    EXPECT_EQ(Press('G', kNone), ecEditorTop);
    // Codes outside 30..145 never start a chord.
    TSynEditKeyStroke& wide = edit.Keystrokes().Add();
    wide.SetKey(200);
    wide.SetKey2('X');
    wide.SetCommand(ecEditorBottom);
    EXPECT_EQ(Press(200, kNone), ecNone);
    EXPECT_EQ(Press('X', kNone), ecNone);
}

} // namespace
} // namespace marlinet::editor
