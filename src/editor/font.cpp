#include "editor/font.h"

namespace marlinet::editor {

TFont::TFont(std::string Name, int Height, TColor Color, TFontPitch Pitch) : color_(Color) {
    data_.Name = std::move(Name);
    data_.Height = Height;
    data_.Pitch = Pitch;
}

void TFont::Assign(const TFont& Source) {
    if (data_ == Source.data_ && color_ == Source.color_) return;
    data_ = Source.data_;
    color_ = Source.color_;
    Changed();
}

} // namespace marlinet::editor
