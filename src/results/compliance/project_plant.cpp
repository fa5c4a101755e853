// Compliance export: run details, project, building, appliances, lighting,
// the plant's renewables and the water heater. Most attributes are constants
// the importer expects; the others come from the scheme's column, the
// building blocks, the summary column and the solar-system record.
#include <algorithm>
#include <string>
#include <string_view>

#include "blocks/blocks.h"
#include "front/trace.h"
#include "results/compliance/compliance_export.h"
#include "results/compliance/instructions.h"
#include "support/fortran_format.h"

namespace mavo::compliance {
namespace {

using ffmt::A;

// The host's code page (Windows-1252) for bytes 0x80 to 0x9F, as Unicode
// code points (Unicode Consortium mapping table CP1252.TXT). The five bytes
// the code page leaves unassigned are taken as the C1 control characters of
// the same number, so every byte has a character. Bytes 0xA0 to 0xFF are
// the Latin-1 characters of the same number.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

char32_t cp1252_code_point(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kCp1252High[byte - 0x80];
    return byte;
}

// C0 and C1 control characters and DEL: nothing a typed name means to show,
// and XML forbids most of them outright.
bool is_control(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

void append_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// A name the user typed, in its fixed field, as XML attribute text. The
// host stores it in its single-byte code page and the document declares
// UTF-8, so each character is converted; a control character is dropped
// (the name keeps its field width, padded with blanks on the right as it
// is stored); the markup characters become their entity references, so a
// scheme called "Smith & Sons" does not make the document unreadable.
std::string xml_name(std::string_view text, int w) {
    std::string kept;
    kept.reserve(text.size());
    for (const char byte : text)
        if (!is_control(cp1252_code_point(static_cast<unsigned char>(byte)))) kept += byte;
    kept.resize(static_cast<std::size_t>(w), ' ');
    std::string out;
    out.reserve(kept.size() + 8);
    for (const char byte : kept) {
        switch (byte) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: append_utf8(out, cp1252_code_point(static_cast<unsigned char>(byte)));
        }
    }
    return out;
}

// Water-heater type codes (BLK5A WHTYPE).
constexpr INTEGER kElectricStorage = 2;
constexpr INTEGER kElectricInstantaneous = 6;
constexpr INTEGER kHeatPumpWaterHeater = 7;

bool is_slab_on_grade(REAL floor_code) {
    return floor_code == 6.0f || floor_code == 7.0f || floor_code == -6.0f || floor_code == -7.0f;
}

// Share of the water-heating energy met by the solar system, percent. The
// water heater's own fuel (or electricity) is what its auxiliary heater
// used after the solar contribution, so the whole load is the displaced
// amount plus that: displaced / (displaced + auxiliary), 100 when the sun
// covers it all; none without displaced energy.
REAL solar_fraction_pct(INTEGER k) {
    const auto share_pct = [](REAL displaced, REAL auxiliary) {
        return 100.0f * displaced / (displaced + std::max(auxiliary, 0.0f));
    };
    REAL fraction = 0.0f;
    if (SUMARY(64, k) > 0.0f) fraction = share_pct(SUMARY(64, k), SUMARY(65, k));
    if (SUMARY(74, k) > 0.0f) fraction = share_pct(SUMARY(74, k), SUMARY(75, k));
    return fraction;
}

// Recovery efficiency as a fraction from the stored percentage, held within
// the importer's accepted range. Written with two decimals: a whole-number
// field would give the importer 1 (100 %) for a 0.78 heater and 0 for the
// 0.4 floor.
REAL recovery_efficiency_fraction(REAL thermal_efficiency_pct) {
    REAL r = thermal_efficiency_pct / 100.0f;
    if (r < 0.4f) r = 0.4f;
    if (r > 10.0f) r = 10.0f;
    return r;
}

void write_lighting(ExportFiles& f) {
    struct Luminaire {
        const char* element;
        const char* type;
        const char* location;
        const char* quantity;
        const char* control;
    };
    constexpr Luminaire kLuminaires[6] = {
        {"IntLuminaire", "Incandescent", "Living", "4", "Dimmer"},
        {"IntLuminaire", "HighEfficacy", "Kitchen", "3", "Switch"},
        {"IntLuminaire", "Incandescent", "Bedroom", "5", "Dimmer"},
        {"ExtLuminaire", "Incandescent", "Outdoor", "1", "Sensor"},
        {"ExtLuminaire", "Incandescent", "FrontEntry", "2", "Sensor"},
        {"ExtLuminaire", "HighEfficacy", "Garage", "3", "Switch"},
    };
    for (const Luminaire& l : kLuminaires) {
        f.xml(9, std::string("<") + l.element + "  Type=\"" + l.type + "\"  Location=\"" + l.location +
                     "\"  Quantity=\"" + l.quantity + "\"  Control=\"" + l.control + "\" />");
    }
}

}  // namespace

void write_run_details_and_project(ExportFiles& f, const ExportScheme& s) {
    f.xml(5, "<RunDetails  SoftwareName=\"EnergyPro\"  SoftwareVersion=\"6.3.0.0\"  Compliance2015=\"false\"  xmlns=\"\" />");
    DBG_PRINT("after Format 3 line 158");
    notes_run_details(f);
    DBG_PRINT("after Format 1003 line 167");
    f.xml(5, "<Loan  InterestRate=\"6\"  Term=\"30\"  TaxBracket=\"30\"  xmlns=\"\" />");
    DBG_PRINT("after Format 4 line 220");
    f.xml_unchecked(7, "<Project  ProjectType=\"New\"  ConstructionStatus=" + A(s.NEWOLD.view(), 10) +
                           "  CAZone=\"" + f.I(CECZONE, 4) +
                           "\"  Country=\"UNITED STATES\"  State=\"California\"  City=" + A(s.CITY.view(), 16) +
                           "  PlanName=\"" + xml_name(s.scheme_name.view(), 24) + "\"  ProjectName=\"" +
                           xml_name(s.scheme_name.view(), 24) + "\"  xmlns=\"\" >");
    DBG_PRINT("after Format 5");
    notes_project(f, s);
    f.xml_unchecked(9, "<ProjectTitle  Address=\"1234 Streetname Avenue\"  City=\"Your Town\"  State=\"CA\"  "
                       "Zip=\" 90000\"  Company=\" \"  Name=\"" +
                           xml_name(TITLE1.view(), 24) + "\"  Phone=\" \"  Fax=\" \"  Email=\" \" />");
    DBG_PRINT("after Format 6");
    f.xml(9, "<DocumentationAuthorTitle  Company=\"Your Name and Title\" />");
    DBG_PRINT("after Format 7");
    f.xml(5, "</Project>");
    DBG_PRINT("after Format 8 line 346");
}

void write_building_and_lighting(ExportFiles& f, ExportScheme& s) {
    // A slab on grade is the footprint; other floors have no conditioned slab.
    s.SLABAREA = is_slab_on_grade(STRATEGY(33, s.k)) ? RAX : 0.0f;
    DBG_FLOAT("FIX SlabArea calculation 280", s.SLABAREA);
    const FString<20> BUILDINGTYPE = "\"SingleFamily\"";
    f.xml(7, "<Building  BuildingType=" + A(BUILDINGTYPE.view(), 20) + " ConditionedFloorArea=\"" + f.F(AREAT, 9, 0) +
                 "\"  NumberOfDwellingUnits=\"1\"  Stories=\"" + f.I(s.stories, 3) +
                 "\"  HighMassBuilding=\"false\"  ConditionedSlabArea=\"" + f.F(s.SLABAREA, 10, 2) +
                 "\"  FrontOrientation=\"" + f.I(s.NFACES, 3) + "\"  QualityInsulation=\"true\"  xmlns=\"\" >");
    DBG_INT("Nfaces at 192", s.NFACES);
    notes_building(f, s);
    DBG_FLOAT("FuelType 0,1,or 10=gas 460 NOT USED", FUELTYPE);
    DBG_PRINT("QII = true but did not transfer to EnergyPro");
    f.xml(9, "<Appliance  WasherLocation=\"Conditioned\"  DryerType=\"Gas\"  RangeType=\"GasNoPilot\"  "
             "garageRefrigeratorkWh=\"0\"  DishwasherEF=\"0.42\"  InsideRefrigeratorkWh=\"800\"  WellPump=\"true\"  "
             "SewerGrinderPump=\"false\"  PoolType=\"Solar\"  SpaType=\"Gas\"  DryerLocation=\"Unconditioned\" />");
    write_lighting(f);
}

void write_renewables(ExportFiles& f, const ExportScheme&) {
    f.xml(11, "<Plant >");
    f.xml(13, "<Renewables  DCRating=\"" + f.F(PVSYSPEAK, 10, 2) + "\" />");
    DBG_FLOAT("PVsysPeak=DCRating see EnergyCost", PVSYSPEAK);
    notes_renewables(f);
    for (INTEGER m = 1; m <= 12; ++m) {
        f.xml(13, "<RenewableMonthly  Month=\"" + f.I(m, 2) + "\"  Cost=\"" + f.F(PVCOST(m), 10, 0) + "\"  Demand=\"" +
                      f.F(PVDEMAND(m), 10, 2) + "\"  Energy=\" " + f.F(PVKWH(m), 10, 0) + "\" />");
        notes_renewable_month(f, m);
    }
    notes_renewable_year(f);
}

void write_water_heating(ExportFiles& f, ExportScheme& s) {
    s.SOLARFRACT = solar_fraction_pct(s.k);
    DBG_FLOAT("SolarFract calced at 793", s.SOLARFRACT);
    s.DHWTYPE = WHTYPE == kHeatPumpWaterHeater ? "\"HeatPump\"" : "\"GasFired\"";
    if (WHTYPE == kElectricStorage || WHTYPE >= kElectricInstantaneous)
        DBG_INT("ERROR Check if WHtype is Electric", WHTYPE);
    DBG_PRINT(s.DHWTYPE.view());
    s.recovery_efficiency = recovery_efficiency_fraction(STHERMEFF(2));
    f.xml(13, "<WaterHeating  ConstructionStatus=" + A(s.NEWOLD.view(), 10) + "  EnergyFactor=\"" + f.F(SEF(2), 9, 2) +
                  "\"  SolarFraction=\"" + f.F(s.SOLARFRACT, 9, 2) + "\"  ExternalTankInsulation=\"" +
                  f.F(SDHWP8(2), 9, 0) + "\"  RatedInput=\"" + f.F(SAINPUTRATE(2), 10, 0) + "\"  RecoveryEfficiency=\"" +
                  f.F(s.recovery_efficiency, 9, 2) + "\"  StandbyLoss=\"0\"  TankSize=\"" + f.F(SAVTANK(2), 8, 1) +
                  "\"  MFCentral=\"false\"  RecircControl=\"RecircD\"  PumpQuantity=\"0\"  PumpHP=\"0\"  "
                  "PremimumMotor=\"false\"  PipingOutsideFt=\"0\"  PipingUnderGroundFt=\"0\"  PipingPlenumFt=\"0\"  "
                  "ExtraHalfInchPipeInsulation=\"false\"  PipingDiameterFt=\"0.5\"  InsulationThickness=\"0.5\"  "
                  "DistributionType=\"Standard\"  DHWType=" +
                  A(s.DHWTYPE.view(), 14) + "  Quantity=\"" + f.I(1, 2) + "\"  QualityInsulation=\"true\" />");
    DBG_FLOAT("SolarFract 825", s.SOLARFRACT);
    notes_water_heating(f, s);
    DBG_FLOAT("sEF(2) EnergyFactor 856", SEF(2));
}

}  // namespace mavo::compliance
