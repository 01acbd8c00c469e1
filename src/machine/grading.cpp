#include "machine/grading.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <thread>

#include "interpreter/program_buffer.h"
#include "machine/cancellation.h"

namespace marlinet::machine {
namespace {

Verdict grade_one(const Scenario& scenario, const std::string& program,
                  const Cancellation* cancel) {
    basic::ProgramBuffer buffer;
    try {
        buffer = basic::load_program_buffer(program);
    } catch (const std::exception& e) {
        return Verdict{false, e.what(), 0, 0, 0};
    }
    return run_scenario(scenario, buffer, cancel);
}

// Text for an XML attribute. Control characters have no place in XML 1.0
// and become '?', as does a byte that does not belong to valid UTF-8.
std::string xml_text(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        switch (byte) {
        case '&': out += "&amp;"; continue;
        case '<': out += "&lt;"; continue;
        case '>': out += "&gt;"; continue;
        case '"': out += "&quot;"; continue;
        case '\n': out += "&#10;"; continue;
        case '\t': out += "&#9;"; continue;
        default: break;
        }
        if (byte < 0x20 || byte == 0x7f) {
            out += '?';
        } else if (byte < 0x80) {
            out += static_cast<char>(byte);
        } else {
            const std::size_t length = byte >= 0xf0 && byte < 0xf5   ? 4
                                       : byte >= 0xe0                ? 3
                                       : byte >= 0xc2 && byte < 0xe0 ? 2
                                                                     : 0;
            bool valid = length > 0 && i + length <= text.size();
            for (std::size_t k = 1; valid && k < length; ++k)
                valid = (static_cast<unsigned char>(text[i + k]) & 0xc0) == 0x80;
            if (!valid) {
                out += '?';
                continue;
            }
            out.append(text.substr(i, length));
            i += length - 1;
        }
    }
    return out;
}

} // namespace

std::vector<GradeResult> grade(const Scenario& scenario, const std::vector<std::string>& programs,
                               int jobs, const Cancellation* cancel,
                               const std::function<void(const GradeResult&)>& on_result) {
    std::vector<GradeResult> results(programs.size());
    std::vector<char> done(programs.size(), 0);
    std::atomic<std::size_t> next{0};
    std::mutex mutex;
    std::size_t reported = 0;
    const auto work = [&] {
        for (std::size_t i; (i = next.fetch_add(1)) < programs.size();) {
            const auto start = std::chrono::steady_clock::now();
            GradeResult result{programs[i], grade_one(scenario, programs[i], cancel), 0};
            result.seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            std::lock_guard lock(mutex);
            results[i] = std::move(result);
            done[i] = 1;
            for (; reported < programs.size() && done[reported]; ++reported)
                if (on_result) on_result(results[reported]);
        }
    };
    const std::size_t threads =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(jobs, 1)), programs.size());
    std::vector<std::thread> workers;
    for (std::size_t t = 1; t < threads; ++t)
        workers.emplace_back(work);
    work();
    for (std::thread& worker : workers)
        worker.join();
    return results;
}

std::string verdict_line(const GradeResult& result) {
    if (result.verdict.passed) return "PASS " + result.program;
    return "FAIL " + result.program + ": " + result.verdict.message;
}

std::string summary_line(const std::vector<GradeResult>& results) {
    const auto passed = std::count_if(results.begin(), results.end(),
                                      [](const GradeResult& r) { return r.verdict.passed; });
    return std::to_string(passed) + " passed, " +
           std::to_string(static_cast<std::ptrdiff_t>(results.size()) - passed) + " failed";
}

void write_junit(std::ostream& out, const Scenario& scenario,
                 const std::vector<GradeResult>& results) {
    const auto failures = std::count_if(results.begin(), results.end(),
                                        [](const GradeResult& r) { return !r.verdict.passed; });
    double total = 0;
    for (const GradeResult& r : results)
        total += r.seconds;
    const auto time = [](double seconds) {
        char text[32];
        std::snprintf(text, sizeof text, "%.3f", seconds);
        return std::string(text);
    };
    const std::string suite = xml_text(scenario.name.empty() ? scenario.file : scenario.name);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<testsuites tests=\"" << results.size() << "\" failures=\"" << failures << "\" time=\""
        << time(total) << "\">\n"
        << "  <testsuite name=\"" << suite << "\" tests=\"" << results.size() << "\" failures=\""
        << failures << "\" errors=\"0\" time=\"" << time(total) << "\">\n";
    for (const GradeResult& r : results) {
        out << "    <testcase classname=\"" << suite << "\" name=\"" << xml_text(r.program)
            << "\" time=\"" << time(r.seconds) << "\"";
        if (r.verdict.passed) {
            out << "/>\n";
            continue;
        }
        const std::string message = xml_text(verdict_line(r));
        out << ">\n      <failure message=\"" << message << "\" type=\"scenario\">" << message
            << "</failure>\n    </testcase>\n";
    }
    out << "  </testsuite>\n</testsuites>\n";
}

} // namespace marlinet::machine
