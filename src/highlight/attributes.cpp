#include "highlight/attributes.h"

namespace marlinet::highlight {

TSynHighlighterAttributes::TSynHighlighterAttributes(std::string AName) : name_(std::move(AName)) {}

void TSynHighlighterAttributes::SetBackground(TColor Value) {
    if (background_ == Value) return;
    background_ = Value;
    Changed();
}

void TSynHighlighterAttributes::SetForeground(TColor Value) {
    if (foreground_ == Value) return;
    foreground_ = Value;
    Changed();
}

void TSynHighlighterAttributes::SetStyle(TFontStyles Value) {
    if (style_ == Value) return;
    style_ = Value;
    Changed();
}

void TSynHighlighterAttributes::Assign(const TPersistent* Source) {
    const auto* source = dynamic_cast<const TSynHighlighterAttributes*>(Source);
    if (source == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    name_ = source->name_;
    AssignColorAndStyle(*source);
}

void TSynHighlighterAttributes::AssignColorAndStyle(const TSynHighlighterAttributes& Source) {
    bool changed = false;
    if (background_ != Source.background_) {
        background_ = Source.background_;
        changed = true;
    }
    if (foreground_ != Source.foreground_) {
        foreground_ = Source.foreground_;
        changed = true;
    }
    if (style_ != Source.style_) {
        style_ = Source.style_;
        changed = true;
    }
    if (changed) Changed();
}

void TSynHighlighterAttributes::InternalSaveDefaultValues() noexcept {
    default_background_ = background_;
    default_foreground_ = foreground_;
    default_style_ = style_;
}

void TSynHighlighterAttributes::SetStyleFromInt(int Value) {
    SetStyle(TFontStyles::FromBits(static_cast<unsigned>(Value)) & support::kAllFontStyles);
}

void TSynHighlighterAttributes::Changed() {
    if (on_change_) on_change_(this);
}

} // namespace marlinet::highlight
