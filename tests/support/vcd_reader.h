// A small, strict reader of value change dumps (the subset waveform viewers
// read): header sections, nested scopes, variables, $dumpvars, time stamps
// that never go back, scalar and vector changes of declared variables whose
// values fit their widths. Anything else is an error, named in `error`.
#pragma once

#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace marlinet::testing {

struct VcdVariable {
    std::string type;
    int width = 0;
    std::string scope; // the enclosing scopes, dot-separated
    // (time, value): "0", "1", "x", or the bits of a vector without "b".
    std::vector<std::pair<std::int64_t, std::string>> changes;
};

struct Vcd {
    std::string error; // empty when the dump reads
    std::string timescale;
    std::map<std::string, VcdVariable> variables; // by name
    std::int64_t end_time = 0;                    // the last time stamp

    // The times at which `name` took `value`.
    std::vector<std::int64_t> times(const std::string& name, const std::string& value) const {
        std::vector<std::int64_t> found;
        for (const auto& [time, v] : variables.at(name).changes)
            if (v == value) found.push_back(time);
        return found;
    }
};

inline Vcd read_vcd(const std::string& text) {
    Vcd vcd;
    std::istringstream in(text);
    std::map<std::string, std::string> names; // identifier -> name
    std::vector<std::string> scopes;
    std::string word;
    const auto fail = [&](const std::string& what) {
        if (vcd.error.empty()) vcd.error = what;
        return vcd;
    };
    const auto until_end = [&](std::vector<std::string>* words) {
        for (std::string w; in >> w;) {
            if (w == "$end") return true;
            if (words) words->push_back(w);
        }
        return false;
    };
    // Declarations.
    for (bool defined = false; !defined;) {
        if (!(in >> word)) return fail("no $enddefinitions");
        std::vector<std::string> words;
        if (word == "$date" || word == "$version" || word == "$comment") {
            if (!until_end(nullptr)) return fail(word + " without $end");
        } else if (word == "$timescale") {
            if (!until_end(&words) || words.empty()) return fail("bad $timescale");
            for (const std::string& w : words)
                vcd.timescale += (vcd.timescale.empty() ? "" : " ") + w;
        } else if (word == "$scope") {
            if (!until_end(&words) || words.size() != 2) return fail("bad $scope");
            scopes.push_back(words[1]);
        } else if (word == "$upscope") {
            if (!until_end(&words) || !words.empty() || scopes.empty()) return fail("bad $upscope");
            scopes.pop_back();
        } else if (word == "$var") {
            if (!until_end(&words) || words.size() < 4) return fail("bad $var");
            VcdVariable variable;
            variable.type = words[0];
            variable.width = std::stoi(words[1]);
            for (const std::string& s : scopes)
                variable.scope += (variable.scope.empty() ? "" : ".") + s;
            if (scopes.empty() || variable.width < 1 || names.count(words[2]))
                return fail("bad $var " + words[3]);
            names[words[2]] = words[3];
            vcd.variables[words[3]] = variable;
        } else if (word == "$enddefinitions") {
            if (!until_end(&words) || !words.empty() || !scopes.empty())
                return fail("bad $enddefinitions");
            defined = true;
        } else {
            return fail("unknown declaration " + word);
        }
    }
    if (vcd.timescale.empty()) return fail("no $timescale");
    // Changes.
    bool timed = false;
    const auto change = [&](const std::string& id, const std::string& value) {
        const auto name = names.find(id);
        if (name == names.end()) return fail("undeclared identifier " + id), false;
        VcdVariable& variable = vcd.variables[name->second];
        if (value.empty() || static_cast<int>(value.size()) > variable.width ||
            value.find_first_not_of("01xz") != std::string::npos)
            return fail("bad value " + value + " for " + name->second), false;
        variable.changes.emplace_back(vcd.end_time, value);
        return true;
    };
    while (in >> word) {
        if (word[0] == '#') {
            const std::int64_t time = std::stoll(word.substr(1));
            if (time < vcd.end_time || word.size() < 2) return fail("time goes back: " + word);
            vcd.end_time = time;
            timed = true;
        } else if (word == "$dumpvars" || word == "$dumpall" || word == "$end") {
        } else if (!timed) {
            return fail("a change before the first time stamp");
        } else if (word[0] == 'b' || word[0] == 'B') {
            std::string id;
            if (!(in >> id) || !change(id, word.substr(1))) return fail("bad vector change");
        } else if (std::string("01xz").find(word[0]) != std::string::npos) {
            if (!change(word.substr(1), word.substr(0, 1))) return fail("bad scalar change");
        } else {
            return fail("unknown change " + word);
        }
    }
    return vcd;
}

} // namespace marlinet::testing
