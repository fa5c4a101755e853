// The table of reference results.
#include "reference/table.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace mavo::reference {

namespace {

std::string number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", v);
    return text;
}

Figures& figures_of(Results& results, const std::string& run) {
    if (results.empty() || results.back().first != run) results.emplace_back(run, Figures{});
    return results.back().second;
}

const Figures* find_run(const Results& results, const std::string& run) {
    for (const auto& [name, f] : results)
        if (name == run) return &f;
    return nullptr;
}

bool rows_match(double want, double got) {
    return std::fabs(got - want) <= kRelativeTolerance * std::max(std::fabs(want), std::fabs(got)) + kAbsoluteTolerance;
}

std::string moved(double want, double got) {
    std::string s = "table " + number(want) + ", run " + number(got);
    if (want != 0.0) {
        char pct[32];
        std::snprintf(pct, sizeof pct, " (%+.4g %%)", 100.0 * (got - want) / std::fabs(want));
        s += pct;
    }
    return s;
}

}  // namespace

Table read_table(const fs::path& file) {
    std::ifstream in(file);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    Table t;
    int line_number = 0;
    for (std::string line; std::getline(in, line);) {
        ++line_number;
        if (line.empty() || line[0] == '#') {
            if (t.results.empty()) t.header += line + "\n";
            continue;
        }
        std::istringstream fields(line);
        std::string run, kind;
        fields >> run >> kind;
        Figures& f = figures_of(t.results, run);
        if (kind == "row") {
            std::size_t row = 0;
            double value = 0.0;
            fields >> row >> value;
            if (!fields || row != f.rows.size() + 1) throw std::runtime_error("bad row at line " + std::to_string(line_number));
            f.rows.push_back(value);
        } else if (kind == "series") {
            Series s;
            fields >> s.name >> s.step;
            for (double v; fields >> v;) s.hours.push_back(v);
            if (s.hours.size() != 24) throw std::runtime_error("bad series at line " + std::to_string(line_number));
            f.series.push_back(std::move(s));
        } else {
            throw std::runtime_error("unknown figure at line " + std::to_string(line_number));
        }
    }
    return t;
}

std::string table_text(const Table& t) {
    std::string text = t.header;
    for (const auto& [run, f] : t.results) {
        for (std::size_t r = 0; r < f.rows.size(); ++r) {
            text += run;
            text += " row ";
            text += std::to_string(r + 1);
            text += ' ';
            text += number(f.rows[r]);
            text += '\n';
        }
        for (const Series& s : f.series) {
            text += run;
            text += " series ";
            text += s.name;
            text += ' ';
            text += number(s.step);
            for (const double v : s.hours) {
                text += ' ';
                text += number(v);
            }
            text += '\n';
        }
    }
    return text;
}

std::vector<std::string> differences(const Table& table, const Results& run) {
    std::vector<std::string> out;
    for (const auto& [name, got] : run) {
        const Figures* want = find_run(table.results, name);
        if (!want) {
            out.push_back(name + ": not in the table");
            continue;
        }
        if (want->rows.size() != got.rows.size()) out.push_back(name + ": the table holds another number of rows");
        for (std::size_t r = 0; r < std::min(want->rows.size(), got.rows.size()); ++r)
            if (!rows_match(want->rows[r], got.rows[r]))
                out.push_back(name + " row " + std::to_string(r + 1) + ": " + moved(want->rows[r], got.rows[r]));
        for (const Series& s : got.series) {
            const auto w = std::find_if(want->series.begin(), want->series.end(),
                                        [&](const Series& x) { return x.name == s.name; });
            if (w == want->series.end()) {
                out.push_back(name + " series " + s.name + ": not in the table");
                continue;
            }
            for (std::size_t h = 0; h < 24; ++h)
                if (std::fabs(w->hours[h] - s.hours[h]) > 1.01 * w->step)
                    out.push_back(name + " series " + s.name + " hour " + std::to_string(h + 1) + ": " +
                                  moved(w->hours[h], s.hours[h]));
        }
        if (want->series.size() != got.series.size()) out.push_back(name + ": the table holds other series");
    }
    return out;
}

}  // namespace mavo::reference
