// Built-in tariff data that seeds the tariff blocks: the time-of-use record
// layout with the six built-in records, and the SDG&E/SCE residential
// baseline table. These are initial values only; the bill copies from the
// blocks, never from here, so a scheme file can still revise a block.
#pragma once
#include <cstddef>
#include <type_traits>

#include "support/farray.h"
#include "support/types.h"

namespace mavo {

// One time-of-use record, 21 words. A day is split into four periods; each
// boundary word names the hour (1-24) at which that period begins, 0 when it
// has no start. Periods 3 and 1 share a rate slot.
struct TouRecord {
    INTEGER YEAR = 0;              // word 1: tariff year
    REAL CUSTCHG = 0.0f;           // word 2: customer charge, $/day
    INTEGER WINMON1 = 0;           // word 3: first winter month
    INTEGER WINMON2 = 0;           // word 4: last winter month
    FArray<INTEGER, 4> SUMHOURS{}; // words 5-8: summer start hours of periods 2, 3, 4, 1
    FArray<INTEGER, 4> WINHOURS{}; // words 9-12: winter start hours of periods 2, 3, 4, 1
    FArray<REAL, 3> SUMRATES{};    // words 13-15: summer $/kWh of period 2, periods 3 and 1, period 4
    FArray<REAL, 3> WINRATES{};    // words 16-18: winter $/kWh, same slots
    FArray<REAL, 2> DEMANDCHG{};   // words 19-20: demand charges, $/kW; carried, never billed
    REAL SPARE21 = 0.0f;           // word 21
};

static_assert(std::is_standard_layout_v<TouRecord> && sizeof(TouRecord) == 21 * 4);
static_assert(offsetof(TouRecord, WINMON1) == 2 * 4);
static_assert(offsetof(TouRecord, SUMHOURS) == 4 * 4);
static_assert(offsetof(TouRecord, WINHOURS) == 8 * 4);
static_assert(offsetof(TouRecord, SUMRATES) == 12 * 4);
static_assert(offsetof(TouRecord, WINRATES) == 15 * 4);
static_assert(offsetof(TouRecord, DEMANDCHG) == 18 * 4);
static_assert(offsetof(TouRecord, SPARE21) == 20 * 4);

// SCE TOU-GS-1-A (rate zone 32; also the generic record of zone 36).
inline constexpr TouRecord kTouRecordSce{
    .YEAR = 2014,
    .CUSTCHG = 0.836f,
    .WINMON1 = 10,
    .WINMON2 = 5,
    .SUMHOURS = {12, 18, 23, 8},
    .WINHOURS = {8, 0, 21, 0},
    .SUMRATES = {0.18457f, 0.08848f, 0.06477f},
    .WINRATES = {0.14602f, 0.0f, 0.08848f},
    .DEMANDCHG = {8.8f, 3.45f},
};

// SDG&E TOU-A (rate zone 33).
inline constexpr TouRecord kTouRecordSdge{
    .YEAR = 2014,
    .CUSTCHG = 0.39f,
    .WINMON1 = 10,
    .WINMON2 = 5,
    .SUMHOURS = {11, 18, 22, 6},
    .WINHOURS = {17, 20, 22, 6},
    .SUMRATES = {0.27731f, 0.24394f, 0.2086f},
    .WINRATES = {0.22732f, 0.21242f, 0.19176f},
};

// PG&E TOU A-1 (rate zone 34).
inline constexpr TouRecord kTouRecordPge{
    .YEAR = 2014,
    .CUSTCHG = 0.32854f,
    .WINMON1 = 10,
    .WINMON2 = 5,
    .SUMHOURS = {12, 18, 22, 8},
    .WINHOURS = {8, 0, 17, 0},
    .SUMRATES = {0.2547f, 0.24562f, 0.21801f},
    .WINRATES = {0.17359f, 0.0f, 0.15381f},
};

// SMUD GSN_T (rate zone 35).
inline constexpr TouRecord kTouRecordSmud{
    .YEAR = 2015,
    .CUSTCHG = 3.34f,
    .WINMON1 = 10,
    .WINMON2 = 5,
    .SUMHOURS = {14, 20, 22, 12},
    .WINHOURS = {12, 0, 22, 0},
    .SUMRATES = {0.1888f, 0.129f, 0.1026f},
    .WINRATES = {0.0981f, 0.0f, 0.078f},
    .DEMANDCHG = {7.2f, 0.0f},
};

// Single flat rate (rate zone 38): one price all year, every month winter.
inline constexpr TouRecord kTouRecordFlat{
    .YEAR = 2014,
    .CUSTCHG = 0.0f,
    .WINMON1 = 1,
    .WINMON2 = 12,
    .SUMRATES = {0.0984f, 0.0984f, 0.0984f},
    .WINRATES = {0.0984f, 0.0984f, 0.0984f},
};

// Residential baselines by electric rate zone z (row z): summer baseline,
// a second summer value, winter baseline, a second winter value, kWh/day.
// Zones 1-4 are SDG&E, 10-17 SCE; the second values are carried, never read.
// Zones 5-9, 11 and 12 have no baseline. The 183 of zone 2 is the stored
// value as delivered; it sits in an unread column.
inline constexpr FArray<REAL, 4, 17> kElectricBaselines = {
    9.6f,  9.8f,  10.1f, 16.6f,   // zone 1
    11.2f, 11.0f, 10.8f, 183.0f,  // zone 2
    14.8f, 17.3f, 13.8f, 28.5f,   // zone 3
    16.4f, 19.5f, 11.2f, 22.0f,   // zone 4
    0.0f,  0.0f,  0.0f,  0.0f,    // zone 5
    0.0f,  0.0f,  0.0f,  0.0f,    // zone 6
    0.0f,  0.0f,  0.0f,  0.0f,    // zone 7
    0.0f,  0.0f,  0.0f,  0.0f,    // zone 8
    0.0f,  0.0f,  0.0f,  0.0f,    // zone 9
    9.4f,  0.0f,  9.8f,  0.0f,    // zone 10
    0.0f,  0.0f,  0.0f,  0.0f,    // zone 11
    0.0f,  0.0f,  0.0f,  0.0f,    // zone 12
    18.4f, 0.0f,  11.1f, 0.0f,    // zone 13
    15.5f, 0.0f,  10.6f, 0.0f,    // zone 14
    39.8f, 0.0f,  8.2f,  0.0f,    // zone 15
    11.8f, 0.0f,  11.1f, 0.0f,    // zone 16
    13.3f, 0.0f,  10.8f, 0.0f,    // zone 17
};

}  // namespace mavo
