#include "editor/keystrokes.h"

#include <array>
#include <istream>
#include <ostream>
#include <string>

#include "editor/errors.h"

namespace marlinet::editor {

namespace {

constexpr TShortCut kShiftBit = 0x2000;
constexpr TShortCut kCtrlBit = 0x4000;
constexpr TShortCut kAltBit = 0x8000;

struct DefaultBinding {
    TSynEditorCommand Command;
    std::uint16_t Key;
    TShiftState Shift;
};

constexpr TShiftState kNone{};
constexpr TShiftState kShift{ssShift};
constexpr TShiftState kCtrl{ssCtrl};
constexpr TShiftState kAlt{ssAlt};
constexpr TShiftState kShiftCtrl{ssShift, ssCtrl};
constexpr TShiftState kShiftAlt{ssShift, ssAlt};

// The order matters: look-ups take the first match.
constexpr std::array<DefaultBinding, 58> kDefaultBindings{{
    {ecUp, VK_UP, kNone},
    {ecSelUp, VK_UP, kShift},
    {ecScrollUp, VK_UP, kCtrl},
    {ecDown, VK_DOWN, kNone},
    {ecSelDown, VK_DOWN, kShift},
    {ecScrollDown, VK_DOWN, kCtrl},
    {ecLeft, VK_LEFT, kNone},
    {ecSelLeft, VK_LEFT, kShift},
    {ecWordLeft, VK_LEFT, kCtrl},
    {ecSelWordLeft, VK_LEFT, kShiftCtrl},
    {ecRight, VK_RIGHT, kNone},
    {ecSelRight, VK_RIGHT, kShift},
    {ecWordRight, VK_RIGHT, kCtrl},
    {ecSelWordRight, VK_RIGHT, kShiftCtrl},
    {ecPageDown, VK_NEXT, kNone},
    {ecSelPageDown, VK_NEXT, kShift},
    {ecPageBottom, VK_NEXT, kCtrl},
    {ecSelPageBottom, VK_NEXT, kShiftCtrl},
    {ecPageUp, VK_PRIOR, kNone},
    {ecSelPageUp, VK_PRIOR, kShift},
    {ecPageTop, VK_PRIOR, kCtrl},
    {ecSelPageTop, VK_PRIOR, kShiftCtrl},
    {ecLineStart, VK_HOME, kNone},
    {ecSelLineStart, VK_HOME, kShift},
    {ecEditorTop, VK_HOME, kCtrl},
    {ecSelEditorTop, VK_HOME, kShiftCtrl},
    {ecLineEnd, VK_END, kNone},
    {ecSelLineEnd, VK_END, kShift},
    {ecEditorBottom, VK_END, kCtrl},
    {ecSelEditorBottom, VK_END, kShiftCtrl},
    {ecToggleMode, VK_INSERT, kNone},
    {ecCopy, VK_INSERT, kCtrl},
    {ecCut, VK_DELETE, kShift},
    {ecPaste, VK_INSERT, kShift},
    {ecDeleteChar, VK_DELETE, kNone},
    {ecDeleteLastChar, VK_BACK, kNone},
    {ecDeleteLastChar, VK_BACK, kShift},
    {ecDeleteLastWord, VK_BACK, kCtrl},
    {ecUndo, VK_BACK, kAlt},
    {ecRedo, VK_BACK, kShiftAlt},
    {ecLineBreak, VK_RETURN, kNone},
    {ecLineBreak, VK_RETURN, kShift},
    {ecTab, VK_TAB, kNone},
    {ecShiftTab, VK_TAB, kShift},
    {ecContextHelp, VK_F1, kNone},
    {ecSelectAll, 'A', kCtrl},
    {ecCopy, 'C', kCtrl},
    {ecPaste, 'V', kCtrl},
    {ecCut, 'X', kCtrl},
    {ecBlockIndent, 'I', kShiftCtrl},
    {ecBlockUnindent, 'U', kShiftCtrl},
    {ecLineBreak, 'M', kCtrl},
    {ecInsertLine, 'N', kCtrl},
    {ecDeleteWord, 'T', kCtrl},
    {ecDeleteLine, 'Y', kCtrl},
    {ecDeleteEOL, 'Y', kShiftCtrl},
    {ecUndo, 'Z', kCtrl},
    {ecRedo, 'Z', kShiftCtrl},
}};
// After these: Ctrl+digit go to markers, Shift+Ctrl+digit set them, and the
// selection-mode and bracket bindings (see ResetDefaults).

void PutLE(std::ostream& s, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        s.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool GetLE(std::istream& s, std::uint32_t& value, int bytes) {
    value = 0;
    for (int i = 0; i < bytes; ++i) {
        int c = s.get();
        if (c == std::char_traits<char>::eof()) return false;
        value |= static_cast<std::uint32_t>(c & 0xFF) << (8 * i);
    }
    return true;
}

// The first item with the same two shortcuts as Item, or -1.
int FindCounterpart(const TSynEditKeyStrokes& Table, const TSynEditKeyStroke& Item) {
    return Table.FindShortcut2(Item.GetShortCut(), Item.GetShortCut2());
}

// Items of From whose first counterpart in In is missing or has another command.
void CollectDifferences(const TSynEditKeyStrokes& From, const TSynEditKeyStrokes& In,
                        TSynEditKeyStrokes& Result) {
    Result.Clear();
    for (int i = 0; i < From.Count(); ++i) {
        const TSynEditKeyStroke& item = From.Items(i);
        int j = FindCounterpart(In, item);
        if (j < 0 || In.Items(j).Command() != item.Command()) Result.Add().Assign(item);
    }
}

} // namespace

TShortCut ShortCut(std::uint16_t Key, TShiftState Shift) {
    if ((Key & 0xFF00) != 0) return 0;
    TShortCut result = Key;
    if (Shift.Contains(ssShift)) result += kShiftBit;
    if (Shift.Contains(ssCtrl)) result += kCtrlBit;
    if (Shift.Contains(ssAlt)) result += kAltBit;
    return result;
}

void ShortCutToKey(TShortCut Value, std::uint16_t& Key, TShiftState& Shift) {
    Key = Value & ~(kShiftBit | kCtrlBit | kAltBit);
    Shift = {};
    if (Value & kShiftBit) Shift.Include(ssShift);
    if (Value & kCtrlBit) Shift.Include(ssCtrl);
    if (Value & kAltBit) Shift.Include(ssAlt);
}

void TSynEditKeyStroke::Assign(const TSynEditKeyStroke& Source) {
    key_ = Source.key_;
    shift_ = Source.shift_;
    key2_ = Source.key2_;
    shift2_ = Source.shift2_;
    command_ = Source.command_;
}

int TSynEditKeyStroke::Index() const {
    return collection_ ? collection_->IndexOf(this) : -1;
}

void TSynEditKeyStroke::CheckUnique(TShortCut First, TShortCut Second) const {
    if (!collection_) return;
    const int dup = collection_->FindShortcut2(First, Second);
    if (dup >= 0 && &collection_->Items(dup) != this) throw ESynKeyError("Shortcut already exists");
}

void TSynEditKeyStroke::SetShortCut(TShortCut Value) {
    if (Value != 0) CheckUnique(Value, GetShortCut2());
    ShortCutToKey(Value, key_, shift_);
}

void TSynEditKeyStroke::SetShortCut2(TShortCut Value) {
    if (Value != 0) CheckUnique(GetShortCut(), Value);
    ShortCutToKey(Value, key2_, shift2_);
}

TSynEditKeyStroke& TSynEditKeyStrokes::Add() {
    items_.push_back(std::make_unique<TSynEditKeyStroke>(this));
    return *items_.back();
}

TSynEditKeyStroke& TSynEditKeyStrokes::AddKey(TSynEditorCommand Command, std::uint16_t Key,
                                              TShiftState Shift) {
    TSynEditKeyStroke& item = Add();
    item.SetKey(Key);
    item.SetShift(Shift);
    item.SetCommand(Command);
    return item;
}

void TSynEditKeyStrokes::Delete(int Index) {
    if (Index < 0 || Index >= Count())
        throw EListError("Keystroke index " + std::to_string(Index) + " out of bounds");
    items_.erase(items_.begin() + Index);
}

void TSynEditKeyStrokes::Assign(const TSynEditKeyStrokes& Source) {
    if (&Source == this) return;
    Clear();
    for (const auto& item : Source.items_)
        Add().Assign(*item);
}

void TSynEditKeyStrokes::ResetDefaults() {
    Clear();
    for (const auto& b : kDefaultBindings)
        AddKey(b.Command, b.Key, b.Shift);
    for (int n = 0; n <= 9; ++n)
        AddKey(ecGotoMarker(n), static_cast<std::uint16_t>('0' + n), kCtrl);
    for (int n = 0; n <= 9; ++n)
        AddKey(ecSetMarker(n), static_cast<std::uint16_t>('0' + n), kShiftCtrl);
    AddKey(ecNormalSelect, 'N', kShiftCtrl);
    AddKey(ecColumnSelect, 'C', kShiftCtrl);
    AddKey(ecLineSelect, 'L', kShiftCtrl);
    AddKey(ecMatchBracket, 'B', kShiftCtrl);
}

int TSynEditKeyStrokes::IndexOf(const TSynEditKeyStroke* Item) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].get() == Item) return static_cast<int>(i);
    }
    return -1;
}

int TSynEditKeyStrokes::FindCommand(TSynEditorCommand Command) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i]->Command() == Command) return static_cast<int>(i);
    }
    return -1;
}

int TSynEditKeyStrokes::FindKeycode(std::uint16_t Code, TShiftState Shift) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const auto& k = *items_[i];
        if (k.Key() == Code && k.Shift() == Shift && k.Key2() == 0) return static_cast<int>(i);
    }
    return -1;
}

int TSynEditKeyStrokes::FindKeycode2(std::uint16_t Code, TShiftState Shift, std::uint16_t Code2,
                                     TShiftState Shift2) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const auto& k = *items_[i];
        if (k.Key() == Code && k.Shift() == Shift && k.Key2() == Code2 && k.Shift2() == Shift2)
            return static_cast<int>(i);
    }
    return -1;
}

int TSynEditKeyStrokes::FindShortcut(TShortCut Value) const {
    return FindShortcut2(Value, 0);
}

int TSynEditKeyStrokes::FindShortcut2(TShortCut Value, TShortCut Value2) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const auto& k = *items_[i];
        if (k.GetShortCut() == Value && k.GetShortCut2() == Value2) return static_cast<int>(i);
    }
    return -1;
}

void TSynEditKeyStrokes::SaveToStream(std::ostream& Stream) const {
    PutLE(Stream, static_cast<std::uint32_t>(items_.size()), 4);
    for (const auto& item : items_) {
        PutLE(Stream, item->Key(), 2);
        PutLE(Stream, item->Shift().Bits(), 1);
        PutLE(Stream, item->Key2(), 2);
        PutLE(Stream, item->Shift2().Bits(), 1);
        PutLE(Stream, item->Command(), 2);
    }
    if (!Stream) throw ESynKeyError("Cannot write the keystroke table: write error");
}

void TSynEditKeyStrokes::LoadFromStream(std::istream& Stream) {
    std::uint32_t raw = 0;
    if (!GetLE(Stream, raw, 4)) throw ESynKeyError("Keystroke stream ends before its item count");
    const auto count = static_cast<std::int32_t>(raw);
    // Read into a separate table so that a truncated stream changes nothing.
    TSynEditKeyStrokes loaded(owner_);
    for (std::int32_t i = 0; i < count; ++i) {
        std::uint32_t key, shift, key2, shift2, command;
        if (!GetLE(Stream, key, 2) || !GetLE(Stream, shift, 1) || !GetLE(Stream, key2, 2) ||
            !GetLE(Stream, shift2, 1) || !GetLE(Stream, command, 2)) {
            throw ESynKeyError("Keystroke stream ends after " + std::to_string(i) + " of " +
                               std::to_string(count) + " items");
        }
        TSynEditKeyStroke& item = loaded.Add();
        item.SetKey(static_cast<std::uint16_t>(key));
        item.SetShift(TShiftState::FromBits(shift));
        item.SetKey2(static_cast<std::uint16_t>(key2));
        item.SetShift2(TShiftState::FromBits(shift2));
        item.SetCommand(static_cast<TSynEditorCommand>(command));
    }
    Assign(loaded);
}

bool TSynEditKeyStrokes::SameAs(const TSynEditKeyStrokes& Other) const {
    if (Count() != Other.Count()) return false;
    for (int i = 0; i < Count(); ++i) {
        const auto& a = Items(i);
        const auto& b = Other.Items(i);
        if (a.Command() != b.Command() || a.GetShortCut() != b.GetShortCut() ||
            a.GetShortCut2() != b.GetShortCut2())
            return false;
    }
    return true;
}

void GetRemovedKeystrokes(const TSynEditKeyStrokes& Table, const TSynEditKeyStrokes& Reference,
                          TSynEditKeyStrokes& Removed) {
    CollectDifferences(Reference, Table, Removed);
}

void GetAddedKeystrokes(const TSynEditKeyStrokes& Table, const TSynEditKeyStrokes& Reference,
                        TSynEditKeyStrokes& Added) {
    CollectDifferences(Table, Reference, Added);
}

void ApplyRemovedKeystrokes(TSynEditKeyStrokes& Table, const TSynEditKeyStrokes& Removed) {
    for (int i = 0; i < Removed.Count(); ++i) {
        const TSynEditKeyStroke& item = Removed.Items(i);
        int j = FindCounterpart(Table, item);
        if (j >= 0 && Table.Items(j).Command() == item.Command()) Table.Delete(j);
    }
}

void ApplyAddedKeystrokes(TSynEditKeyStrokes& Table, const TSynEditKeyStrokes& Added) {
    for (int i = 0; i < Added.Count(); ++i)
        Table.Add().Assign(Added.Items(i));
}

} // namespace marlinet::editor
