// The base of the editor's settings objects (fonts, the gutter, the selection
// colours, the bookmark options): every setter that changes a value fires
// OnChange with the object as sender; setting the value already held fires
// nothing.
#pragma once

#include <utility>

#include "editor/events.h"

namespace marlinet::editor {

class TSynSettingsObject : public TObject {
public:
    TSynSettingsObject() = default;
    // A copy has the values but none of the listeners.
    TSynSettingsObject(const TSynSettingsObject&) : TObject() {}
    TSynSettingsObject& operator=(const TSynSettingsObject&) = delete;

    TNotifyEvent OnChange;

protected:
    // Stores Value and fires OnChange when it differs from Field.
    template <class T, class U>
    bool Set(T& Field, U&& Value) {
        if (Field == Value) return false;
        Field = std::forward<U>(Value);
        Changed();
        return true;
    }
    void Changed() {
        if (OnChange) OnChange(this);
    }
};

} // namespace marlinet::editor
