// One walk over a record file's values serves both its reader and its
// writer, so the two cannot drift apart: every call reads the value into the
// block or writes it from the block, by the walk's direction.
#pragma once
#include <string_view>

#include "front/record_files.h"
#include "support/farray.h"
#include "support/fstring.h"
#include "support/types.h"

namespace mavo {

class RecordWalk {
public:
    RecordWalk(INTEGER unit, bool reading) : unit_(unit), reading_(reading) {}

    bool reading() const { return reading_; }
    bool writing() const { return !reading_; }
    INTEGER unit() const { return unit_; }

    void int4(INTEGER& v) { reading_ ? IO_RINT4(unit_, v) : IO_WINT4(unit_, v); }
    void int2(INTEGER2& v) { reading_ ? IO_RINT2(unit_, v) : IO_WINT2(unit_, v); }
    void real(REAL& v) { reading_ ? IO_RREAL(unit_, v) : IO_WREAL(unit_, v); }
    void logical(LOGICAL& v) { reading_ ? IO_RLOGICAL(unit_, v) : IO_WLOGICAL(unit_, v); }
    template <std::size_t N>
    void text(FString<N>& s) {
        static_assert(N <= 90, "a record text holds at most 90 characters");
        reading_ ? IO_RSTRING(unit_, s, static_cast<INTEGER>(N)) : IO_WSTRING(unit_, s.view(), static_cast<INTEGER>(N));
    }

    // Every element of an array, in memory order (first index fastest).
    template <class T, class... B>
    void all(FArrayB<T, B...>& a) {
        for (T& v : a) value(v);
    }

    // A value the file carries for compatibility: written as given, read
    // and discarded.
    void spare_int4(INTEGER written) {
        INTEGER v = written;
        int4(v);
    }
    void spare_real(REAL written) {
        if (reading_) skip_real(unit_);
        else IO_WREAL(unit_, written);
    }
    template <std::size_t N>
    void spare_text(FString<N> written) {
        text(written);
    }

    void value(INTEGER& v) { int4(v); }
    void value(INTEGER2& v) { int2(v); }
    void value(REAL& v) { real(v); }
    void value(LOGICAL& v) { logical(v); }
    template <std::size_t N>
    void value(FString<N>& s) {
        text(s);
    }

    // Several values in one record of an unformatted file.
    bool begin_record() { return record_group_begin(unit_, reading_); }
    bool end_record() { return record_group_end(unit_); }

private:
    INTEGER unit_;
    bool reading_;
};

}  // namespace mavo
