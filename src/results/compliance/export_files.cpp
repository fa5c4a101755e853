#include <cmath>
#include <cstdio>

#include "blocks/summary_blocks.h"
#include "front/trace.h"
#include "front/units.h"
#include "results/compliance/compliance_export.h"
#include "results/reports/report_files.h"
#include "support/fortran_format.h"
#include "support/numeric.h"

namespace mavo::compliance {
namespace {

// Wide enough for any finite number in fixed point.
constexpr int kWidestNumber = 400;

// Report files by slot; entry 10 is the default scheme "scheme0".
constexpr FString<16> kDocumentNames[10] = {
    "scheme1.xml", "scheme2.xml", "scheme3.xml", "scheme4.xml", "scheme5.xml",
    "scheme6.xml", "scheme7.xml", "scheme8.xml", "scheme9.xml", "scheme0.xml",
};
constexpr FString<16> kNotesNames[10] = {
    "scheme1.txt", "scheme2.txt", "scheme3.txt", "scheme4.txt", "scheme5.txt",
    "scheme6.txt", "scheme7.txt", "scheme8.txt", "scheme9.txt", "scheme0.txt",
};

}  // namespace

bool ExportFiles::put(INTEGER unit, std::size_t indent, std::string_view text) {
    std::FILE* file = unit_file(unit);
    if (!file) return false;
    for (std::size_t i = 0; i < indent; ++i) std::fputc(' ', file);
    if (!text.empty()) std::fwrite(text.data(), 1, text.size(), file);
    std::fputc('\n', file);
    std::fflush(file);
    return std::ferror(file) == 0;
}

bool ExportFiles::numbers_finite() {
    if (!non_finite_) return true;
    DBG_ERROR("KEEPXML: a number of the document is not a finite number; the export fails");
    failed_ = true;
    return false;
}

void ExportFiles::xml(std::size_t indent, std::string_view text) {
    if (failed_ || !numbers_finite()) return;
    if (!put(document_unit_, indent, text)) failed_ = true;
}

void ExportFiles::txt(std::string_view text) {
    if (failed_) return;
    if (!put(notes_unit_, 0, text)) failed_ = true;
}

void ExportFiles::xml_unchecked(std::size_t indent, std::string_view text) {
    if (failed_ || !numbers_finite()) return;
    put(document_unit_, indent, text);
}

void ExportFiles::txt_unchecked(std::string_view text) {
    if (failed_) return;
    put(notes_unit_, 0, text);
}

std::string ExportFiles::F(double value, int w, int d) {
    if (!std::isfinite(value)) non_finite_ = true;
    const std::string field = ffmt::F(value, w, d);
    if (non_finite_ || field.find('*') == std::string::npos) return field;
    const std::string wide = ffmt::F(value, kWidestNumber, d);
    return wide.substr(wide.find_first_not_of(' '));
}

std::string ExportFiles::I(long long value, int w) {
    const std::string field = ffmt::I(value, w);
    return field.find('*') == std::string::npos ? field : ffmt::I(value, 0);
}

FString<16> document_file_name(INTEGER slot) {
    const INTEGER entry = reports::report_slot(slot);
    if (entry == 0) return FString<16>();
    return kDocumentNames[entry - 1];
}

FString<16> notes_file_name(INTEGER slot) {
    const INTEGER entry = reports::report_slot(slot);
    if (entry == 0) return FString<16>();
    return kNotesNames[entry - 1];
}

std::string fill_layout(std::string_view layout, std::initializer_list<std::string> fields) {
    std::string out;
    out.reserve(layout.size() + 16 * fields.size());
    std::size_t i = 0;
    while (i < layout.size()) {
        if (layout[i] == '{') {
            const std::size_t close = layout.find('}', i);
            std::size_t n = 0;
            bool number = close != std::string_view::npos && close > i + 1;
            for (std::size_t c = i + 1; number && c < close; ++c) {
                if (layout[c] < '0' || layout[c] > '9') number = false;
                else n = n * 10 + static_cast<std::size_t>(layout[c] - '0');
            }
            if (number && n >= 1 && n <= fields.size()) {
                out += *(fields.begin() + (n - 1));
                i = close + 1;
                continue;
            }
        }
        out.push_back(layout[i]);
        ++i;
    }
    return out;
}

INTEGER degrees_from_north(REAL azimuth_from_south_deg) {
    const INTEGER whole_deg = int_toward_zero(azimuth_from_south_deg + 180.0f);
    return (whole_deg % 360 + 360) % 360;
}

std::string label12(INTEGER i) {
    if (i < 1 || i > 100) return std::string(12, ' ');
    return std::string(LABELS(i).first(12));
}

}  // namespace mavo::compliance
