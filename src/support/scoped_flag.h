// Sets a flag for the life of a scope and clears it however the scope ends:
// a re-entrancy or "running" marker that an exception cannot leave set.
#pragma once

namespace marlinet::support {

class TScopedFlag {
public:
    explicit TScopedFlag(bool& Flag) : flag_(Flag) { flag_ = true; }
    ~TScopedFlag() { flag_ = false; }
    TScopedFlag(const TScopedFlag&) = delete;
    TScopedFlag& operator=(const TScopedFlag&) = delete;

private:
    bool& flag_;
};

} // namespace marlinet::support
