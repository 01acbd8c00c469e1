#include "machine/transcript.h"

#include <charconv>

namespace marlinet::machine {
namespace {

constexpr std::size_t kFlushAt = 64 * 1024;

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

void append_integer(std::string& out, std::int64_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

void append_string(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out.push_back('"');
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '"' || byte == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (byte == '\n') {
            out.append("\\n");
        } else if (byte == '\r') {
            out.append("\\r");
        } else if (byte < 0x20 || byte == 0x7f) {
            out.append("\\u00");
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 15]);
        } else if (byte < 0x80) {
            out.push_back(c);
        } else {
            // Latin-1 to UTF-8: two bytes.
            out.push_back(static_cast<char>(0xc0 | (byte >> 6)));
            out.push_back(static_cast<char>(0x80 | (byte & 0x3f)));
        }
    }
    out.push_back('"');
}

void field(std::string& out, std::string_view name) {
    out.append(",\"");
    out.append(name);
    out.append("\":");
}

void field(std::string& out, std::string_view name, std::int64_t value) {
    field(out, name);
    append_integer(out, value);
}

void field(std::string& out, std::string_view name, bool value) {
    field(out, name);
    out.append(value ? "true" : "false");
}

void field(std::string& out, std::string_view name, std::string_view text) {
    field(out, name);
    append_string(out, text);
}

void kind(std::string& out, std::string_view name) {
    field(out, "event", name);
}

std::string_view form_name(InputForm form) {
    return form == InputForm::Key ? "key" : "value";
}

} // namespace

void append_event_json(const IoEvent& event, std::string& out) {
    out.append("{\"t\":");
    append_integer(out, event.time_us);
    field(out, "n", static_cast<std::int64_t>(event.statement));
    field(out, "line", std::int64_t{event.line});
    std::visit(Overloaded{
                   [&](const io::Print& e) {
                       kind(out, "print");
                       field(out, "text", e.text);
                   },
                   [&](const io::Lamp& e) {
                       kind(out, "lamp");
                       field(out, "output", std::int64_t{e.output});
                       field(out, "on", e.on);
                   },
                   [&](const io::Dac& e) {
                       kind(out, "dac");
                       field(out, "value", std::int64_t{e.value});
                   },
                   [&](const io::AdcSelect& e) {
                       kind(out, "adc_select");
                       field(out, "adc", adc_name(e.channel));
                   },
                   [&](const io::AdcRead& e) {
                       kind(out, "adc_read");
                       field(out, "adc", adc_name(e.channel));
                       field(out, "text", e.text);
                       field(out, "value");
                       if (e.value)
                           append_integer(out, *e.value);
                       else
                           out.append("null");
                   },
                   [&](const io::InputRead& e) {
                       kind(out, "input_read");
                       field(out, "input", std::int64_t{e.input});
                       field(out, "on", e.on);
                   },
                   [&](const io::InputRequest& e) {
                       kind(out, "input_request");
                       field(out, "form", form_name(e.form));
                   },
                   [&](const io::InputAnswer& e) {
                       kind(out, "input_answer");
                       field(out, "form", form_name(e.form));
                       field(out, "text", e.text);
                       field(out, "value", std::int64_t{e.value});
                   },
                   [&](const io::Delay& e) {
                       kind(out, "delay");
                       field(out, "ms", std::int64_t{e.milliseconds});
                   },
                   [&](const io::Pause&) { kind(out, "pause"); },
                   [&](const io::Error& e) {
                       kind(out, "error");
                       field(out, "number", std::int64_t{e.number});
                   },
                   [&](const io::End& e) {
                       kind(out, "end");
                       field(out, "reason", end_reason_name(e.reason));
                   },
               },
               event.what);
    out.append("}\n");
}

void TranscriptWriter::on_event(const IoEvent& event) {
    append_event_json(event, buffer_);
    if (buffer_.size() >= kFlushAt) flush();
}

bool TranscriptWriter::flush() {
    if (!buffer_.empty() && !failed_)
        failed_ = std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size();
    buffer_.clear();
    if (!failed_) failed_ = std::fflush(file_) != 0;
    return !failed_;
}

} // namespace marlinet::machine
