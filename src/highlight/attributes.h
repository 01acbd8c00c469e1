// The colours and font style of one kind of token. A highlighter owns its
// attributes; the editor reads them for every token it paints.
#pragma once

#include <string>

#include "highlight/notify_event.h"
#include "highlight/persistent.h"
#include "support/graphics.h"

namespace marlinet::highlight {

using support::clAqua;
using support::clBlack;
using support::clLime;
using support::clNone;
using support::clWhite;
using support::clYellow;
using support::fsBold;
using support::fsItalic;
using support::fsStrikeOut;
using support::fsUnderline;
using support::RGB;
using support::TColor;
using support::TFontStyles;

class TSynHighlighterAttributes : public TPersistent {
public:
    // Both colours start as clNone and the style empty; no change handler.
    explicit TSynHighlighterAttributes(std::string AName);

    // The key under which a highlighter lists the attribute and the section
    // or subkey name of its persisted values.
    const std::string& Name() const noexcept { return name_; }

    TColor Background() const noexcept { return background_; }
    TColor Foreground() const noexcept { return foreground_; }
    TFontStyles Style() const noexcept { return style_; }
    // Each setter stores and calls Changed only when the value differs, so
    // assigning the value already held costs no repaint.
    void SetBackground(TColor Value);
    void SetForeground(TColor Value);
    void SetStyle(TFontStyles Value);

    // Called with the attribute as sender whenever a value really changes.
    TNotifyEvent OnChange() const noexcept { return on_change_; }
    void SetOnChange(TNotifyEvent Value) noexcept { on_change_ = Value; }

    // From another attribute: its name, then AssignColorAndStyle. Anything
    // else fails with EConvertError.
    void Assign(const TPersistent* Source) override;
    // Copies the colours and style that differ, then calls Changed once when
    // anything changed.
    void AssignColorAndStyle(const TSynHighlighterAttributes& Source);

    // Records the current values as the defaults that the stored tests
    // compare with.
    void InternalSaveDefaultValues() noexcept;
    // True when the value differs from its recorded default: only such
    // values need saving with the settings of the window that uses them.
    bool GetBackgroundColorStored() const noexcept { return background_ != default_background_; }
    bool GetForegroundColorStored() const noexcept { return foreground_ != default_foreground_; }
    bool GetFontStyleStored() const noexcept { return style_ != default_style_; }

    // The integer style of the persisted settings: bold 1, italic 2,
    // underline 4, strike-out 8.
    int GetStyleFromInt() const noexcept { return style_.Bits(); }
    // Applies the four style bits through SetStyle; higher bits are ignored.
    void SetStyleFromInt(int Value);

    std::string_view ClassName() const override { return "TSynHighlighterAttributes"; }

protected:
    virtual void Changed();

private:
    TColor background_ = clNone;
    TColor default_background_ = clNone;
    TColor foreground_ = clNone;
    TColor default_foreground_ = clNone;
    std::string name_;
    TFontStyles style_;
    TFontStyles default_style_;
    TNotifyEvent on_change_;
};

} // namespace marlinet::highlight
