#include "machine/scenario_reader.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <set>

#include <yaml-cpp/yaml.h>

namespace marlinet::machine {
namespace {

std::string place_of(const std::string& file, int line, int column) {
    if (line <= 0) return file + ": ";
    return file + ":" + std::to_string(line) + ":" + std::to_string(column) + ": ";
}

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

std::string joined(std::initializer_list<std::string_view> names) {
    std::string out;
    for (std::string_view name : names) {
        if (!out.empty()) out += ", ";
        out += name;
    }
    return out;
}

// Reads one file's YAML tree into a Scenario; every mistake names its place.
class Reader {
public:
    Reader(std::string file, std::filesystem::path folder)
        : file_(std::move(file)), folder_(std::move(folder)) {}

    Scenario read(const YAML::Node& root);

private:
    [[noreturn]] void fail(const YAML::Node& at, const std::string& message) const {
        const YAML::Mark mark = at.Mark();
        throw ScenarioError(file_, mark.line + 1, mark.column + 1, message);
    }

    // The entries of a map, with unknown and repeated keys refused.
    std::vector<std::pair<std::string, YAML::Node>>
    entries(const YAML::Node& map, std::string_view what,
            std::initializer_list<std::string_view> known) const;
    void expect_map(const YAML::Node& node, std::string_view what) const {
        if (!node.IsMap()) fail(node, std::string(what) + " must be a map of keys and values");
    }
    std::string text(const YAML::Node& node, std::string_view what) const;
    bool boolean(const YAML::Node& node, std::string_view what) const;
    std::int64_t integer(const YAML::Node& node, std::string_view what, std::int64_t low,
                         std::int64_t high) const;
    std::int64_t duration(const YAML::Node& node, std::string_view what) const;
    AdcChannel channel(const YAML::Node& node) const;

    void read_clock(const YAML::Node& node, Scenario& out) const;
    void read_limits(const YAML::Node& node, Scenario& out) const;
    void read_board(const YAML::Node& node, Board& board) const;
    std::vector<std::string> answers(const YAML::Node& node, std::string_view what) const;
    Step read_step(const YAML::Node& node) const;
    BoardChange read_change(const YAML::Node& node) const;
    // Reads one key of a condition; false when the key is not one.
    bool condition_key(const std::string& key, const YAML::Node& value, Condition& out) const;
    Condition read_condition(const YAML::Node& node, std::string_view what, bool in_when) const;
    TextCheck read_text_check(const YAML::Node& node) const;
    EndCheck read_end(const YAML::Node& node) const;
    ErrorCheck read_error_check(const YAML::Node& node) const;

    std::string file_;
    std::filesystem::path folder_;
};

const std::initializer_list<std::string_view> kWhenKeys = {
    "lamp1", "lamp2", "lamp3", "lamp4", "input1",  "input2", "input3", "input4",
    "rx",    "dac",   "adc",   "var",   "console", "line",   "ended"};
const std::initializer_list<std::string_view> kExpectKeys = {
    "lamp1",  "lamp2", "lamp3", "lamp4", "input1", "input2",  "input3",
    "input4", "rx",    "dac",   "adc",   "var",    "console", "ended"};

std::vector<std::pair<std::string, YAML::Node>>
Reader::entries(const YAML::Node& map, std::string_view what,
                std::initializer_list<std::string_view> known) const {
    expect_map(map, what);
    std::vector<std::pair<std::string, YAML::Node>> out;
    std::set<std::string> seen;
    // Copies: the iterator hands out temporaries.
    for (auto it = map.begin(); it != map.end(); ++it) {
        const YAML::Node key = it->first;
        if (!key.IsScalar()) fail(key, "a key of " + std::string(what) + " must be a name");
        const std::string name = key.Scalar();
        if (std::find(known.begin(), known.end(), name) == known.end())
            fail(key, "unknown key \"" + name + "\" in " + std::string(what) +
                          " (known: " + joined(known) + ")");
        if (!seen.insert(name).second) fail(key, "\"" + name + "\" is given twice");
        out.emplace_back(name, YAML::Node(it->second));
    }
    return out;
}

std::string Reader::text(const YAML::Node& node, std::string_view what) const {
    if (!node.IsScalar()) fail(node, std::string(what) + " must be a text");
    return node.Scalar();
}

bool Reader::boolean(const YAML::Node& node, std::string_view what) const {
    if (node.IsScalar()) {
        const std::string value = lowered(node.Scalar());
        if (value == "on" || value == "true") return true;
        if (value == "off" || value == "false") return false;
    }
    fail(node, std::string(what) + " must be on, off, true or false");
}

std::int64_t Reader::integer(const YAML::Node& node, std::string_view what, std::int64_t low,
                             std::int64_t high) const {
    if (node.IsScalar()) {
        std::string_view value = node.Scalar();
        if (value.starts_with('+')) value.remove_prefix(1);
        std::int64_t number = 0;
        const auto [end, error] =
            std::from_chars(value.data(), value.data() + value.size(), number);
        if (!value.empty() && error == std::errc() && end == value.data() + value.size() &&
            number >= low && number <= high)
            return number;
    }
    fail(node, std::string(what) + " must be a whole number from " + std::to_string(low) + " to " +
                   std::to_string(high));
}

std::int64_t Reader::duration(const YAML::Node& node, std::string_view what) const {
    if (node.IsScalar())
        if (const std::optional<std::int64_t> us = parse_duration(node.Scalar())) return *us;
    fail(node, std::string(what) +
                   " must be a duration such as 10us, 5ms, 2s or 1.5s (whole microseconds)");
}

AdcChannel Reader::channel(const YAML::Node& node) const {
    if (node.IsScalar()) {
        const std::string value = lowered(node.Scalar());
        if (value == "adc1") return AdcChannel::Adc1;
        if (value == "adc2") return AdcChannel::Adc2;
    }
    fail(node, "adc must be ADC1 or ADC2");
}

Scenario Reader::read(const YAML::Node& root) {
    if (!root.IsMap()) fail(root, "a scenario must be a map of keys and values");
    Scenario out;
    out.file = file_;
    for (const auto& [key, value] : entries(
             root, "the scenario",
             {"name", "version", "program", "clock", "limits", "board", "input", "steps", "end"})) {
        if (key == "name") {
            out.name = text(value, "name");
        } else if (key == "version") {
            if (integer(value, "version", 0, 1'000'000) != 1)
                fail(value, "version " + value.Scalar() + " is not known (this program reads 1)");
        } else if (key == "program") {
            const std::string program = text(value, "program");
            if (program.empty()) fail(value, "program must name a file");
            out.program = (folder_ / program).lexically_normal().string();
        } else if (key == "clock") {
            read_clock(value, out);
        } else if (key == "limits") {
            read_limits(value, out);
        } else if (key == "board") {
            read_board(value, out.board);
        } else if (key == "input") {
            out.answers = answers(value, "input");
        } else if (key == "steps") {
            if (value.IsNull()) continue;
            if (!value.IsSequence()) fail(value, "steps must be a list");
            for (const YAML::Node& step : value)
                out.steps.push_back(read_step(step));
        } else {
            out.end = read_end(value);
        }
    }
    return out;
}

void Reader::read_clock(const YAML::Node& node, Scenario& out) const {
    for (const auto& [key, value] : entries(node, "clock", {"statement"})) {
        out.statement_us = duration(value, key);
        if (out.statement_us > 1'000'000) fail(value, "a statement takes at most 1s");
    }
}

void Reader::read_limits(const YAML::Node& node, Scenario& out) const {
    for (const auto& [key, value] : entries(node, "limits", {"time", "statements"})) {
        if (key == "time") {
            out.time_limit_us = duration(value, "time");
            if (out.time_limit_us <= 0) fail(value, "the time limit must be more than 0s");
        } else {
            out.statement_limit =
                static_cast<std::uint64_t>(integer(value, "statements", 1, 1'000'000'000'000));
        }
    }
}

void Reader::read_board(const YAML::Node& node, Board& board) const {
    for (const auto& [key, value] :
         entries(node, "board", {"inputs", "rx", "adc1", "adc2", "adc"})) {
        if (key == "inputs") {
            if (!value.IsSequence()) fail(value, "inputs must be a list of input numbers 1..4");
            for (const YAML::Node& input : value)
                board.set_input(static_cast<int>(integer(input, "an input", 1, 4)), true);
        } else if (key == "rx") {
            board.set_input(Board::kRxBit, boolean(value, "rx"));
        } else if (key == "adc1" || key == "adc2") {
            board.set_adc_text(key == "adc1" ? AdcChannel::Adc1 : AdcChannel::Adc2,
                               text(value, key));
        } else {
            board.select_adc(channel(value));
        }
    }
}

std::vector<std::string> Reader::answers(const YAML::Node& node, std::string_view what) const {
    std::vector<std::string> out;
    if (node.IsScalar()) {
        out.push_back(node.Scalar());
    } else if (node.IsSequence()) {
        for (const YAML::Node& answer : node)
            out.push_back(text(answer, "an answer"));
    } else {
        fail(node, std::string(what) + " must be a text or a list of texts");
    }
    return out;
}

Step Reader::read_step(const YAML::Node& node) const {
    Step step;
    step.source_line = node.Mark().line + 1;
    const YAML::Node* trigger = nullptr;
    for (const auto& [key, value] :
         entries(node, "a step", {"at", "after", "when", "within", "set", "answer", "expect"})) {
        if (key == "at" || key == "after" || key == "when") {
            if (trigger) fail(value, "a step has at most one of at, after and when");
            trigger = &value;
        }
        if (key == "at") {
            step.trigger = Trigger::At;
            step.time_us = duration(value, "at");
        } else if (key == "after") {
            step.trigger = Trigger::After;
            step.time_us = duration(value, "after");
        } else if (key == "when") {
            step.trigger = Trigger::When;
            step.when = read_condition(value, "when", true);
        } else if (key == "within") {
            step.within_us = duration(value, "within");
        } else if (key == "set") {
            step.set = read_change(value);
        } else if (key == "answer") {
            step.answers = answers(value, "answer");
        } else {
            step.expect = read_condition(value, "expect", false);
        }
    }
    if (step.within_us && step.trigger != Trigger::When)
        fail(node, "within needs a when in the same step");
    return step;
}

BoardChange Reader::read_change(const YAML::Node& node) const {
    BoardChange change;
    for (const auto& [key, value] :
         entries(node, "set", {"input1", "input2", "input3", "input4", "rx", "adc1", "adc2"})) {
        if (key.starts_with("input"))
            change.inputs[static_cast<std::size_t>(key.back() - '1')] = boolean(value, key);
        else if (key == "rx")
            change.rx = boolean(value, key);
        else if (key == "adc1")
            change.adc1 = text(value, key);
        else
            change.adc2 = text(value, key);
    }
    return change;
}

bool Reader::condition_key(const std::string& key, const YAML::Node& value, Condition& out) const {
    if (key.starts_with("lamp")) {
        out.lamps[static_cast<std::size_t>(key.back() - '1')] = boolean(value, key);
    } else if (key.starts_with("input")) {
        out.inputs[static_cast<std::size_t>(key.back() - '1')] = boolean(value, key);
    } else if (key == "rx") {
        out.rx = boolean(value, key);
    } else if (key == "dac") {
        out.dac = static_cast<std::int16_t>(integer(value, "dac", -32768, 32767));
    } else if (key == "adc") {
        out.adc = channel(value);
    } else if (key == "var") {
        expect_map(value, "var");
        std::set<int> seen;
        for (auto it = value.begin(); it != value.end(); ++it) {
            const YAML::Node name = it->first;
            const YAML::Node number = it->second;
            const std::string letter = name.IsScalar() ? lowered(name.Scalar()) : std::string();
            if (letter.size() != 1 || letter[0] < 'a' || letter[0] > 'z')
                fail(name, "a variable is one letter A to Z");
            const int index = letter[0] - 'a';
            if (!seen.insert(index).second) fail(name, "\"" + name.Scalar() + "\" is given twice");
            out.variables.emplace_back(
                index, static_cast<std::int16_t>(integer(number, "a variable", -32768, 32767)));
        }
    } else if (key == "console") {
        out.console = read_text_check(value);
    } else if (key == "line") {
        out.line = static_cast<int>(integer(value, "line", 1, 1'000'000'000));
    } else if (key == "ended") {
        out.ended = boolean(value, key);
    } else {
        return false;
    }
    return true;
}

Condition Reader::read_condition(const YAML::Node& node, std::string_view what,
                                 bool in_when) const {
    Condition out;
    const auto known = in_when ? kWhenKeys : kExpectKeys;
    const auto list = entries(node, what, known);
    if (list.empty()) fail(node, std::string(what) + " needs at least one condition");
    for (const auto& [key, value] : list)
        condition_key(key, value, out);
    return out;
}

TextCheck Reader::read_text_check(const YAML::Node& node) const {
    if (node.IsScalar()) return {node.Scalar(), false};
    const auto list = entries(node, "console", {"contains", "equals"});
    if (list.size() != 1) fail(node, "console takes one of contains and equals");
    return {text(list[0].second, list[0].first), list[0].first == "equals"};
}

EndCheck Reader::read_end(const YAML::Node& node) const {
    EndCheck end;
    end.source_line = node.Mark().line + 1;
    for (const auto& [key, value] :
         entries(node, "end",
                 {"error", "lamp1", "lamp2", "lamp3", "lamp4", "input1", "input2", "input3",
                  "input4", "rx", "dac", "adc", "var", "console"})) {
        if (key == "error")
            end.error = read_error_check(value);
        else
            condition_key(key, value, end.state);
    }
    return end;
}

ErrorCheck Reader::read_error_check(const YAML::Node& node) const {
    if (node.IsScalar() && lowered(node.Scalar()) == "none") return {};
    if (node.IsScalar()) return {static_cast<int>(integer(node, "error", 0, 99)), std::nullopt};
    ErrorCheck check;
    for (const auto& [key, value] : entries(node, "error", {"number", "line"})) {
        if (key == "number")
            check.number = static_cast<int>(integer(value, "number", 0, 99));
        else
            check.line = static_cast<int>(integer(value, "line", 1, 1'000'000'000));
    }
    if (!check.number) fail(node, "error needs its number");
    return check;
}

} // namespace

ScenarioError::ScenarioError(const std::string& file, int line, int column,
                             const std::string& message)
    : std::runtime_error(place_of(file, line, column) + message), line_(line), column_(column) {}

std::optional<std::int64_t> parse_duration(std::string_view text) {
    std::int64_t unit = 0;
    for (const auto& [suffix, us] :
         {std::pair<std::string_view, std::int64_t>{"us", 1}, {"ms", 1000}, {"s", 1'000'000}}) {
        if (text.ends_with(suffix)) {
            text.remove_suffix(suffix.size());
            unit = us;
            break;
        }
    }
    if (unit == 0 || text.empty()) return std::nullopt;
    std::int64_t mantissa = 0;
    std::int64_t scale = 1;
    bool point = false;
    int digits = 0;
    for (char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            // At most 12 digits: a million seconds is more than any run
            // needs, and mantissa * unit stays far from overflow.
            if (++digits > 12) return std::nullopt;
            mantissa = mantissa * 10 + (c - '0');
            if (point) scale *= 10;
        } else {
            return std::nullopt;
        }
    }
    // Digits on both sides of a point (a lone point has none).
    if (text.back() == '.' || text.front() == '.') return std::nullopt;
    if ((mantissa * unit) % scale != 0) return std::nullopt;
    return mantissa * unit / scale;
}

Scenario read_scenario(std::string_view text, const std::string& file_name,
                       const std::filesystem::path& folder) {
    YAML::Node root;
    try {
        root = YAML::Load(std::string(text));
    } catch (const YAML::Exception& e) {
        throw ScenarioError(file_name, e.mark.line + 1, e.mark.column + 1, e.msg);
    }
    try {
        return Reader(file_name, folder).read(root);
    } catch (const YAML::Exception& e) {
        // A tree the reader walks should not throw; if it does, still a file error.
        throw ScenarioError(file_name, e.mark.line + 1, e.mark.column + 1, e.msg);
    }
}

Scenario read_scenario_file(const std::string& file_name) {
    std::ifstream in(file_name, std::ios::binary);
    if (!in) throw ScenarioError(file_name, 0, 0, "cannot be read");
    std::string text;
    char chunk[64 * 1024];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        text.append(chunk, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kMaxScenarioFileSize)
            throw ScenarioError(file_name, 0, 0, "is larger than 1 MiB");
    }
    if (in.bad()) throw ScenarioError(file_name, 0, 0, "cannot be read");
    const std::filesystem::path folder = std::filesystem::path(file_name).parent_path();
    return read_scenario(text, file_name, folder);
}

} // namespace marlinet::machine
