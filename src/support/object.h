// The root of the objects that travel as the sender of a notification, in
// every layer that has notifications.
#pragma once

namespace marlinet::support {

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = default;
    TObject& operator=(const TObject&) = default;
    virtual ~TObject() = default;
};

} // namespace marlinet::support
