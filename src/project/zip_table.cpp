// Site lookup in the zip-code table "zipcodes.sce" of the weather
// directory: climate zone, gas and electric rate zones, latitude and city of
// a zip code, with a fixed default location when the site is not usable.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "blocks/blocks.h"
#include "front/paths.h"
#include "front/trace.h"
#include "front/units.h"
#include "project/project.h"
#include "project/project_store_jobs.h"
#include "support/fortran_format.h"
#include "support/numeric.h"
#include "support/text_lines.h"

namespace mavo {
namespace {

constexpr INTEGER kWeatherDirectory = 3;
constexpr REAL kTropicLatitude = 23.4f;  // below it the sun can stand north of the zenith

// One line of the table: (I5,3X,6A4,I4,I5,I8,5X,F6.0,I8).
struct ZipRecord {
    INTEGER zip = 0;
    FString<24> city;
    INTEGER gas_zone = 0;
    INTEGER field5 = 0;
    INTEGER climate_zone = 0;
    REAL latitude = 0.0f;
    INTEGER electric_zone = 0;
};

bool parse_zip_record(const std::string& line, ZipRecord& rec) {
    ffmt::LineReader r(line);
    rec.zip = static_cast<INTEGER>(r.I(5));
    r.X(3);
    rec.city = r.A(24);
    rec.gas_zone = static_cast<INTEGER>(r.I(4));
    rec.field5 = static_cast<INTEGER>(r.I(5));
    rec.climate_zone = static_cast<INTEGER>(r.I(8));
    r.X(5);
    rec.latitude = r.F(6, 0);
    rec.electric_zone = static_cast<INTEGER>(r.I(8));
    return r.ok();
}

// The default location names its own city in the title the reports show:
// the title of the site before would name a place the run does not
// simulate.
constexpr const char* kDefaultLocationCity = "LOS ANGELES WESTWOOD";

// A site known by its weather file (a negative zip code) meets the default
// location only when that file could not be read: the fallback named the
// site "Climate Data Error RE-DO", which the reports keep, as the scheme
// stays at its weather file and was not simulated at the default location.
void default_location(bool name_the_city = true) {
    NFLAG(89) = true;
    ZIPCODE = kDefaultLocationZipCode;
    CECZONE = 9;
    SLAT = 34.07f;
    if (name_the_city) TITLE3 = kDefaultLocationCity;
    take_default_location_rate_zones();
    DBG_INT("ceczone invalid, use CECZONE=9 at 1475", CECZONE);
    DBG_INT("ceczone invalid, use ERateZone=10,32", ERATEZONE);
    DBG_INT("ceczone invalid, use GRateZone=1,11", GRATEZONE);
    unit_close(BLK0B.DISKPROJ);
}

// Rate zones kept from the lines read in one search: the site inherits the
// nearest earlier nonzero zone when its own line gives none.
struct HeldZones {
    bool electric_set = false, gas_set = false;
    INTEGER electric = 0, gas = 0;
};

// The rate zones of the site's line and, in residential mode, the rate
// zones in force: a dwelling is billed on its site's zones, never on those
// its results file kept from another building (a non-residential use of
// the scheme saves the zones of the non-residential tariffs). A site whose
// search met no rate zone has none (0, billed as the default location's
// zones), never the zones of the site before.
void take_record_rate_zones(const ZipRecord& rec, const HeldZones& held) {
    if (rec.electric_zone != 0) ERATEZONEZ = rec.electric_zone;
    else ERATEZONEZ = held.electric_set ? held.electric : 0;
    if (rec.gas_zone != 0) GRATEZONEZ = rec.gas_zone;
    else GRATEZONEZ = held.gas_set ? held.gas : 0;
    if (!NFLAG(24)) {
        ERATEZONE = ERATEZONEZ;
        GRATEZONE = GRATEZONEZ;
    }
}

// The climate zone of the site's line; a line without one is the default
// location's zone.
void take_record_climate_zone(const ZipRecord& rec) {
    CECZONE = rec.climate_zone >= 1 ? rec.climate_zone : 9;
}

// Takes the site's line: latitude, rate zones, default fuel and, in
// residential mode, the rate zones in force.
void take_site(const ZipRecord& rec, const HeldZones& held) {
    SLAT = rec.latitude;
    take_record_climate_zone(rec);
    BLK33A.ZIPFIELD5 = rec.field5;
    if (has_scheme_column(IDNUM1) && STRATEGY(3, IDNUM1) <= 0.0f) {
        if (STRATEGY(1, IDNUM1) <= 0.0f) FUELTYPE = 0.0f;
        else if (STRATEGY(1, IDNUM1) >= 1.0f) FUELTYPE = 4.0f;
    }
    take_record_rate_zones(rec, held);
}

// Whether the lines of the site's zip code read so far named no electric
// (gas) rate zone.
struct MissingZones {
    LOGICAL& electric;
    LOGICAL& gas;
};

// Searches the sorted table for city `idcity` of `nzipcode`: the site's
// line and the rate zones held for it. False when the site is not found
// (the caller takes the default location).
bool search_table(INTEGER nzipcode, INTEGER idcity, ZipRecord& site, HeldZones& held, MissingZones missing) {
    DIR_BUILDPATH(kWeatherDirectory, "zipcodes.sce");
    const std::string path = built_path();
    // The table belongs to the weather directory: read, never created.
    std::FILE* f = unit_open(BLK0B.DISKPROJ, path.c_str(), "r");
    if (!f) {
        DBG_PRINT("error zipcode file invalid 1252");
        return false;
    }
    INTEGER kountcity = -1;
    bool previous_matched = false;
    std::string line;
    while (true) {
        if (!previous_matched) {
            missing.electric = IDNUM1 != 2;
            missing.gas = IDNUM1 != 2;
        }
        ZipRecord rec;
        bool read = false;
        while (!read) {
            if (!read_text_line(f, line)) return false;  // end of table: not found
            read = parse_zip_record(line, rec);         // an unreadable line is skipped
        }
        if (rec.electric_zone != 0) {
            missing.electric = false;
            held.electric_set = true;
            held.electric = rec.electric_zone;
        }
        if (rec.gas_zone != 0) {
            missing.gas = false;
            held.gas_set = true;
            held.gas = rec.gas_zone;
        }
        if (IDNUM1 == 2) {
            missing.electric = false;
            missing.gas = false;
        }
        previous_matched = rec.zip == nzipcode;
        if (rec.zip < nzipcode) continue;
        if (rec.zip > nzipcode) {
            DBG_PRINT("error kzipcode file invalid 1247 AADISK");
            return false;
        }
        ++kountcity;
        if (kountcity >= idcity || ZIPCODE <= 99.0f) {
            site = rec;
            return true;
        }
    }
}

// Zip code with its city digit; a climate-zone number carries none.
void store_zip_code(INTEGER idcity) {
    ZIPCODE = std::trunc(ZIPCODE);
    if (ZIPCODE < 1.0f || ZIPCODE > 19.9f) ZIPCODE += static_cast<REAL>(idcity) * 0.1f;
}

void finish_lookup() {
    if (CECZONE < 1) CECZONE = 9;
    NFLAG(84) = SLAT < kTropicLatitude;
    NFLAG(18) = true;
    DBG_PRINT("nflag(18)=T valid new zipcode force recalc 1506");
    unit_close(BLK0B.DISKPROJ);
}

// The city digit of ZIPCODE, the zip code `nzipcode` without it.
INTEGER city_digit(INTEGER nzipcode) {
    return std::clamp(int_toward_zero((static_cast<double>(ZIPCODE) - nzipcode + 0.02) * 10.0), 0, 9);
}

// The climate zone and rate zones of the site's line, for a run that keeps
// the site as its files give it. The results file carries a climate zone
// too, but the site is the zip code (or zone number) of the scheme: the
// zone it names is the one simulated on every run, whatever an earlier
// call or file left. The line's rate zones are saved nowhere and every
// load starts them again from the built-in ones, so without the line a
// non-residential scheme would be billed on the tariff of those instead of
// its site's. With `name_the_city` the line's city becomes the site's name
// too: the scheme's files keep the name of the site they were saved at,
// and the site may since have changed under them (scheme 2's run saves the
// site both schemes share, the default location a fallback put in force),
// so that scheme 1 would simulate one place under another's name. False
// when the table has no line of the site.
bool take_site_record(bool name_the_city = false) {
    const INTEGER nzipcode = int_toward_zero(ZIPCODE);
    if (nzipcode <= 0 || nzipcode > 99999) return false;
    ZipRecord site;
    HeldZones held;
    LOGICAL missing_electric = false, missing_gas = false;
    const bool found = search_table(nzipcode, city_digit(nzipcode), site, held, {missing_electric, missing_gas});
    unit_close(BLK0B.DISKPROJ);
    if (!found) return false;
    take_record_climate_zone(site);
    take_record_rate_zones(site, held);
    if (name_the_city) TITLE3 = site.city.view();
    DBG_INT("CECZONE of the site's zip-code line", CECZONE);
    DBG_INT("ErateZoneZ of the site's zip-code line", ERATEZONEZ);
    return true;
}

// A scheme whose site the table does not hold runs at the default
// location (its rate zones, latitude and city), which its save takes as
// its site. A scheme without any site takes the default location's zip
// code at once, as a move there. A zip code the table lacks is no move:
// the rates the user kept stay with the scheme, and only the site's own
// values (degree days, design temperatures) are derived afresh, as for a
// new zip code. Nothing an earlier call or a results file left names the
// climate in its place.
void default_location_as_site() {
    DBG_FLOAT("site not in the zip-code table: the default location is the site, zip code", ZIPCODE);
    const bool weather_file_site = int_toward_zero(ZIPCODE) < 0;
    if (int_toward_zero(ZIPCODE) == 0) keep_default_location_as_site();
    else NFLAG(18) = true;
    default_location(!weather_file_site);
}

}  // namespace

void take_default_location_rate_zones() {
    ERATEZONEZ = kDefaultResidentialElectricZone;
    GRATEZONEZ = kDefaultResidentialGasZone;
    if (!NFLAG(24)) {
        GRATEZONE = kDefaultResidentialGasZone;
        ERATEZONE = kDefaultResidentialElectricZone;
    } else {
        ERATEZONE = kDefaultNonresidentialElectricZone;
        GRATEZONE = kDefaultNonresidentialGasZone;
    }
}

void keep_default_location_as_site() {
    if (!has_scheme_column(IDNUM1)) return;
    STRATEGY(4, IDNUM1) = kDefaultLocationZipCode;
    if (IDNUM1 == 1 || IDNUM1 == 2) STRATEGY(4, 1) = STRATEGY(4, 2) = kDefaultLocationZipCode;
    mark_location_changed();
    DBG_INT("the default location is saved as the site of scheme", IDNUM1);
}

bool take_climate_zone_line_rate_zones(INTEGER zone) {
    if (zone < 1 || zone > 16) return false;
    ZipRecord line;
    HeldZones held;
    LOGICAL missing_electric = false, missing_gas = false;
    // A zone number is looked up as a site given by it: its first line.
    const bool found = search_table(zone, 0, line, held, {missing_electric, missing_gas});
    unit_close(BLK0B.DISKPROJ);
    if (!found) {
        DBG_INT("no line of the climate zone in the zip-code table, rate zones kept", zone);
        return false;
    }
    take_record_rate_zones(line, held);
    DBG_INT("ErateZoneZ of the climate zone's zip-code line", ERATEZONEZ);
    return true;
}

void zip_code_job(INTEGER& /*inout*/) {
    NFLAG(89) = false;
    if (!NFLAG(6)) {
        default_location();
        return;
    }
    // A site known by its weather file alone has no line in the table.
    if (!NFLAG(37)) return;
    // Only a changed location is looked up whole; an unchanged one keeps
    // what its files gave and takes its line's climate and rate zones.
    if (!NFLAG(81)) {
        if (!take_site_record(true)) default_location_as_site();
        return;
    }

    if (ITEMY == 40) {
        // Start of a run: the table is not read but for the climate and rate
        // zones; the city digit is dropped and the title kept.
        if (!take_site_record()) {
            default_location_as_site();
            return;
        }
        BLK33A.ZIPFIELD5 = 0;
        store_zip_code(0);
        finish_lookup();
        return;
    }

    const bool own_column = has_scheme_column(IDNUM1);
    if (IDNUM1 == 2) STRATEGY(4, 2) = STRATEGY(4, 1);  // scheme 2 shares the site of scheme 1
    INTEGER nzipcode = own_column ? int_toward_zero(STRATEGY(4, IDNUM1)) : int_toward_zero(ZIPCODE);
    if (ZIPCODE >= 1.0f && ZIPCODE <= 19.9f) ZIPCODE = std::trunc(ZIPCODE);
    if (own_column && int_toward_zero(ZIPCODE) == nzipcode) ZIPCODE = STRATEGY(4, IDNUM1);
    else nzipcode = int_toward_zero(ZIPCODE);
    const INTEGER idcity = city_digit(nzipcode);

    if (nzipcode < 0) {
        DBG_PRINT("use station.dat...........");
        default_location(false);
        return;
    }
    if (nzipcode == 0) {
        default_location_as_site();
        return;
    }
    if (nzipcode > 99999) {
        default_location();
        return;
    }
    NFLAG(18) = true;
    ZipRecord site;
    HeldZones held;
    if (!search_table(nzipcode, idcity, site, held, {NFLAG(65), NFLAG(66)})) {
        default_location();
        return;
    }
    take_site(site, held);
    store_zip_code(idcity);
    TITLE3 = site.city.view();
    finish_lookup();
}

}  // namespace mavo
