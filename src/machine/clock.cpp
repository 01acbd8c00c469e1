#include "machine/clock.h"

#include "machine/cancellation.h"

#include <thread>

namespace marlinet::machine {

std::int64_t RealClock::now_us(std::uint64_t) const {
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                                 start_)
        .count();
}

void RealClock::delay(int milliseconds) {
    if (milliseconds <= 0) return;
    const std::chrono::milliseconds duration(milliseconds);
    if (cancel_)
        cancel_->wait_for(duration);
    else
        std::this_thread::sleep_for(duration);
}

} // namespace marlinet::machine
