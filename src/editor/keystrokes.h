// Key bindings: keystrokes (one key, or a chord of two) mapped to editor
// commands, the default table, look-ups, the binary stream form and the
// storage of a table as differences from a reference table.
//
// Key codes are the platform virtual-key numbers; a front end maps its own key
// events onto them. Every look-up walks the table from the first item and
// takes the first match, so order decides between overlapping entries.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <vector>

#include "editor/commands.h"
#include "editor/types.h"

namespace marlinet::editor {

constexpr std::uint16_t VK_BACK = 8;
constexpr std::uint16_t VK_TAB = 9;
constexpr std::uint16_t VK_RETURN = 13;
constexpr std::uint16_t VK_SHIFT = 16;
constexpr std::uint16_t VK_CONTROL = 17;
constexpr std::uint16_t VK_MENU = 18; // Alt
constexpr std::uint16_t VK_ESCAPE = 27;
constexpr std::uint16_t VK_SPACE = 32;
constexpr std::uint16_t VK_PRIOR = 33; // Page Up
constexpr std::uint16_t VK_NEXT = 34;  // Page Down
constexpr std::uint16_t VK_END = 35;
constexpr std::uint16_t VK_HOME = 36;
constexpr std::uint16_t VK_LEFT = 37;
constexpr std::uint16_t VK_UP = 38;
constexpr std::uint16_t VK_RIGHT = 39;
constexpr std::uint16_t VK_DOWN = 40;
constexpr std::uint16_t VK_INSERT = 45;
constexpr std::uint16_t VK_DELETE = 46;
constexpr std::uint16_t VK_F1 = 112;
// Digits and letters use their upper-case ASCII codes ('0'..'9', 'A'..'Z').

// A key code and modifiers in one number: the key code plus 0x2000 for Shift,
// 0x4000 for Ctrl and 0x8000 for Alt. Key codes above 255 have no shortcut (0).
using TShortCut = std::uint16_t;
TShortCut ShortCut(std::uint16_t Key, TShiftState Shift);
// The low 13 bits as the key code, the three high bits as the modifiers.
void ShortCutToKey(TShortCut Value, std::uint16_t& Key, TShiftState& Shift);

class TSynEditKeyStrokes;

class TSynEditKeyStroke {
public:
    explicit TSynEditKeyStroke(TSynEditKeyStrokes* Collection) : collection_(Collection) {}
    TSynEditKeyStroke(const TSynEditKeyStroke&) = delete;
    TSynEditKeyStroke& operator=(const TSynEditKeyStroke&) = delete;

    // Copies command, both keys and both modifier sets.
    void Assign(const TSynEditKeyStroke& Source);

    // These setters store the value without any test.
    std::uint16_t Key() const { return key_; }
    void SetKey(std::uint16_t Value) { key_ = Value; }
    TShiftState Shift() const { return shift_; }
    void SetShift(TShiftState Value) { shift_ = Value; }
    std::uint16_t Key2() const { return key2_; }
    void SetKey2(std::uint16_t Value) { key2_ = Value; }
    TShiftState Shift2() const { return shift2_; }
    void SetShift2(TShiftState Value) { shift2_ = Value; }
    TSynEditorCommand Command() const { return command_; }
    void SetCommand(TSynEditorCommand Value) { command_ = Value; }

    // These setters raise ESynKeyError "Shortcut already exists" when another
    // item of the table already has the resulting pair of shortcuts, and then
    // change nothing.
    TShortCut GetShortCut() const { return ShortCut(key_, shift_); }
    void SetShortCut(TShortCut Value);
    TShortCut GetShortCut2() const { return ShortCut(key2_, shift2_); }
    void SetShortCut2(TShortCut Value);

    TSynEditKeyStrokes* Collection() const { return collection_; }
    int Index() const;

private:
    // Raises ESynKeyError when another item has this pair of shortcuts.
    void CheckUnique(TShortCut First, TShortCut Second) const;

    TSynEditKeyStrokes* collection_;
    std::uint16_t key_ = 0;
    TShiftState shift_;
    std::uint16_t key2_ = 0;
    TShiftState shift2_;
    TSynEditorCommand command_ = ecNone;
};

class TSynEditKeyStrokes {
public:
    static constexpr int kDefaultCount = 82;

    explicit TSynEditKeyStrokes(TObject* Owner = nullptr) : owner_(Owner) {}
    TSynEditKeyStrokes(const TSynEditKeyStrokes&) = delete;
    TSynEditKeyStrokes& operator=(const TSynEditKeyStrokes&) = delete;

    TObject* Owner() const { return owner_; }
    int Count() const { return static_cast<int>(items_.size()); }
    TSynEditKeyStroke& Items(int Index) { return *items_.at(static_cast<std::size_t>(Index)); }
    const TSynEditKeyStroke& Items(int Index) const {
        return *items_.at(static_cast<std::size_t>(Index));
    }

    // Appends an empty keystroke.
    TSynEditKeyStroke& Add();
    // Appends a single-key binding.
    TSynEditKeyStroke& AddKey(TSynEditorCommand Command, std::uint16_t Key, TShiftState Shift);
    void Delete(int Index);
    void Clear() { items_.clear(); }
    // Empties this table and copies every item of Source, in order.
    void Assign(const TSynEditKeyStrokes& Source);
    // Empties the table and adds the kDefaultCount default bindings.
    void ResetDefaults();

    // Index of the first match, or -1.
    int FindCommand(TSynEditorCommand Command) const;
    int FindKeycode(std::uint16_t Code, TShiftState Shift) const;
    int FindKeycode2(std::uint16_t Code, TShiftState Shift, std::uint16_t Code2,
                     TShiftState Shift2) const;
    int FindShortcut(TShortCut Value) const;
    int FindShortcut2(TShortCut Value, TShortCut Value2) const;

    // Little-endian: a 32-bit count, then per item Key (16 bits), Shift (8),
    // Key2 (16), Shift2 (8), Command (16). A stream that ends before the
    // count is read raises ESynKeyError and leaves the table as it was.
    void LoadFromStream(std::istream& Stream);
    void SaveToStream(std::ostream& Stream) const;

    // Equal as stored collections: same count, and item by item the same
    // command and shortcuts.
    bool SameAs(const TSynEditKeyStrokes& Other) const;

private:
    int IndexOf(const TSynEditKeyStroke* Item) const;
    friend class TSynEditKeyStroke;

    TObject* owner_;
    std::vector<std::unique_ptr<TSynEditKeyStroke>> items_;
};

// Storage of a table as differences from a reference table (the ancestor's
// table, or the defaults).
// Reference items whose first counterpart in Table (same two shortcuts) is
// missing or has another command.
void GetRemovedKeystrokes(const TSynEditKeyStrokes& Table, const TSynEditKeyStrokes& Reference,
                          TSynEditKeyStrokes& Removed);
// Table items whose first counterpart in Reference is missing or has another
// command.
void GetAddedKeystrokes(const TSynEditKeyStrokes& Table, const TSynEditKeyStrokes& Reference,
                        TSynEditKeyStrokes& Added);
// Deletes, for each removed item, the first item of Table with the same two
// shortcuts, when it also has the same command.
void ApplyRemovedKeystrokes(TSynEditKeyStrokes& Table, const TSynEditKeyStrokes& Removed);
// Appends each added item to Table.
void ApplyAddedKeystrokes(TSynEditKeyStrokes& Table, const TSynEditKeyStrokes& Added);

} // namespace marlinet::editor
