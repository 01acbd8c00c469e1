// Fixed-cell text output: every character takes exactly one cell, whatever
// its own advance, so bold and italic text stays aligned with plain text.
//
// TheFontsInfoManager keeps, per engine and logical font, the platform font
// objects of the 16 style combinations, shared by every stock that asks for
// an equal font. TheFontStock is one editor's view of a base font; the text
// drawer writes with it.
#pragma once

#include <array>
#include <memory>
#include <string_view>
#include <vector>

#include "editor/font.h"
#include "editor/platform.h"

namespace marlinet::editor {

// The platform fonts of one logical font in its 16 style combinations,
// created on first use.
struct TSynFontsInfo {
    TSynFontEngine* Engine = nullptr;
    TSynLogFont BaseFont; // its Style is ignored: the combinations replace it
    int RefCount = 0;
    int LockCount = 0;
    std::array<std::unique_ptr<TSynPlatformFont>, 16> Fonts;
};

class TheFontsInfoManager {
public:
    // The one manager of the process.
    static TheFontsInfoManager& Instance();

    // The shared entry for Font, counted once more.
    TSynFontsInfo* GetFontsInfo(TSynFontEngine& Engine, const TSynLogFont& Font);
    // One count less; the entry goes with its last count and lock.
    void ReleaseFontsInfo(TSynFontsInfo* Info);
    // A locked entry stays even at reference count 0, e.g. while it draws.
    void LockFontsInfo(TSynFontsInfo* Info);
    void UnlockFontsInfo(TSynFontsInfo* Info);
    int EntryCount() const { return static_cast<int>(entries_.size()); }

private:
    void DropIfUnused(TSynFontsInfo* Info);
    std::vector<std::unique_ptr<TSynFontsInfo>> entries_;
};

class TheFontStock {
public:
    explicit TheFontStock(TSynFontEngine& Engine);
    ~TheFontStock();
    TheFontStock(const TheFontStock&) = delete;
    TheFontStock& operator=(const TheFontStock&) = delete;

    // Raises ESynError "SetBaseFont: 'Value' must be specified." for null.
    void SetBaseFont(const TFont* Value);
    bool HasBaseFont() const { return info_ != nullptr; }
    // The current style; its font is created on first use.
    void SetStyle(TFontStyles Value);
    TFontStyles Style() const { return style_; }
    const TSynPlatformFont& FontHandle() const;
    int CharAdvance() const { return FontHandle().CharAdvance(); }
    int CharHeight() const { return FontHandle().CharHeight(); }

    void Lock();
    void Unlock();

    // How many base fonts a stock keeps referenced: an editor switches
    // between its text font and its gutter font on every paint, and must not
    // create them again each time.
    static constexpr std::size_t kKeptFonts = 4;

private:
    TSynFontEngine& engine_;
    TSynFontsInfo* info_ = nullptr;
    std::vector<TSynFontsInfo*> kept_; // most recently used first; info_ among them
    TFontStyles style_;
    bool locked_ = false;
};

class TheTextDrawer {
public:
    // BaseStyle is the style whose metrics define the cell.
    TheTextDrawer(TSynFontEngine& Engine, TFontStyles BaseStyle, const TFont* BaseFont);
    ~TheTextDrawer();
    TheTextDrawer(const TheTextDrawer&) = delete;
    TheTextDrawer& operator=(const TheTextDrawer&) = delete;

    // Raises ESynError "SetBaseFont: 'Value' must be specified." for null.
    void SetBaseFont(const TFont* Value);
    void SetBaseStyle(TFontStyles Value);
    TFontStyles BaseStyle() const { return baseStyle_; }
    // The style the next output uses.
    void SetStyle(TFontStyles Value);
    TFontStyles Style() const { return stock_.Style(); }
    void SetForeColor(TColor Value);
    void SetBackColor(TColor Value);
    TColor ForeColor() const { return foreColor_; }
    TColor BackColor() const { return backColor_; }
    void SetCharExtra(int Value);
    int CharExtra() const { return charExtra_; }

    // Cell width (advance of the base font in the base style + extra) and
    // height.
    int GetCharWidth() const { return charWidth_ + charExtra_; }
    int GetCharHeight() const { return charHeight_; }
    // Overhang of C beyond its cell in the current style.
    int CharOverhang(char C) const { return stock_.FontHandle().CharOverhang(C); }
    int TextWidth(std::string_view Text) const { return stock_.FontHandle().TextWidth(Text); }

    // Brackets nest; only the outermost pair selects and restores. Drawing on
    // a second target while one is open is a programming error.
    void BeginDrawing(TSynCanvas& Target);
    void EndDrawing();
    bool Drawing() const { return target_ != nullptr; }

    // Text at its own advances, no background.
    void TextOut(int X, int Y, std::string_view Text);
    // Text in cells of GetCharWidth pixels each.
    void ExtTextOut(int X, int Y, TSynTextOutOptions Options, const TRect& Rect,
                    std::string_view Text);

private:
    void Recalc();
    void SelectCurrent();
    const int* Distances(std::size_t Length);

    TheFontStock stock_;
    TFontStyles baseStyle_;
    int charWidth_ = 0;
    int charHeight_ = 0;
    int charExtra_ = 0;
    TColor foreColor_ = clWindowText;
    TColor backColor_ = clWindow;
    TSynCanvas* target_ = nullptr;
    int drawingCount_ = 0;
    std::vector<int> distances_; // every entry equals GetCharWidth
};

} // namespace marlinet::editor
