// The two clocks of a run: real time, or virtual time in which DELAY n
// advances n ms without sleeping and every statement a fixed step, so that a
// run's timing is the same on every machine.
#pragma once

#include <chrono>
#include <cstdint>

#include "machine/ports.h"

namespace marlinet::machine {

class Cancellation;

class VirtualClock final : public Clock {
public:
    static constexpr std::int64_t kDefaultStepUs = 10;

    explicit VirtualClock(std::int64_t step_us = kDefaultStepUs) : step_us_(step_us) {}

    std::int64_t now_us(std::uint64_t statements) const override {
        return static_cast<std::int64_t>(statements) * step_us_ + passed_us_;
    }
    void delay(int milliseconds) override { passed_us_ += std::int64_t{milliseconds} * 1000; }
    void set_time(std::int64_t time_us, std::uint64_t statements) override {
        passed_us_ = time_us - static_cast<std::int64_t>(statements) * step_us_;
    }
    // Lets time pass up to `time_us` (no step back).
    void advance_to(std::int64_t time_us, std::uint64_t statements) {
        const std::int64_t now = now_us(statements);
        if (time_us > now) passed_us_ += time_us - now;
    }
    std::int64_t step_us() const noexcept { return step_us_; }

private:
    std::int64_t step_us_;
    std::int64_t passed_us_ = 0;
};

class RealClock final : public Clock {
public:
    // A DELAY ends early when `cancel` is requested.
    explicit RealClock(Cancellation* cancel = nullptr)
        : cancel_(cancel), start_(std::chrono::steady_clock::now()) {}

    std::int64_t now_us(std::uint64_t) const override;
    void delay(int milliseconds) override;
    void set_time(std::int64_t time_us, std::uint64_t) override {
        start_ = std::chrono::steady_clock::now() - std::chrono::microseconds(time_us);
    }

private:
    Cancellation* cancel_;
    std::chrono::steady_clock::time_point start_;
};

} // namespace marlinet::machine
