// Import instructions up to the water heater, the closing section and the
// refusal of a run the importer cannot take (a twelve-day run, a run that
// simulated nothing).
#include <string>

#include "blocks/blocks.h"
#include "results/compliance/instructions.h"
#include "support/fortran_format.h"

namespace mavo::compliance {
namespace {

using ffmt::A;
using ffmt::F;
using ffmt::I;

void water_heater_legend(ExportFiles& f) {
    txt_lines(f, {
                     "      1=Gas Storage Tank",
                     "      2=Electric Storage Tank ",
                     "      3=Propane Storage Tank",
                     "      4=Oil Storage Tank",
                     "      5=Instantaneous In-Line Gas",
                     "      6=Instantaneous In-Line Electric",
                     "      7=Heat Pump Electric Water Heater",
                 });
}

}  // namespace

void notes_opening(ExportFiles& f, const ExportScheme& s, bool in_california) {
    txt_lines(f, {
                     "  CALIFORNIA ENERGY CODE COMPLIANCE:",
                     "",
                     "   1:  MAVO to EnergyPro Automatic File Conversion:",
                     "",
                     "   MAVO has turned the current scheme into an XML",
                     "   file formatted for direct input into EnergyPro,",
                     "   one of the compliance programs certified by the",
                     "   California Energy Commission. A copy of EnergyPro",
                     "   must be installed on this computer; trial and",
                     "   classroom copies are available from its vendor.",
                     "   ",
                     "   These step-by-step instructions are specific to each",
                     "   one of your MAVO schemes, this one is for your",
                     "   MAVO project and scheme:",
                 });
    f.txt("         Project Name:  \"" + A(TITLE1.view(), 24) + "\"  ");
    f.txt("         Scheme Number: \"" + I(s.k, 2) + "\"   ");
    f.txt("         Climate Zone Number: \"" + I(CECZONE, 2) + "\"   ");
    f.txt("         Scheme Name:   \"" + A(s.scheme_name.view(), 24) + "\"  ");
    f.txt("         City Name:     \"" + A(s.CITY.view(), 16) + "\"  ");
    txt_lines(f, {"   ", ""});
    if (!in_california) {
        txt_lines(f, {
                         "................. WARNING......................",
                         "This Scheme does not use one of the 16 \"official\" ",
                         "California CEC climate zones, so EnergyPro might not",
                         "apply.",
                         "   ",
                         "",
                     });
    }
    txt_lines(f, {
                     "   Open EnergyPro and Click on:",
                     "         File- Import- Title 24 XML,",
                     "   then go to the folder of your MAVO project (the",
                     "   project folder of the design program; its file",
                     "   master.dir lists the names of your nine schemes)",
                     "   and double-click on scheme?.xml, where ? is the",
                     "   number of this scheme.",
                     "   EnergyPro takes over almost everything, but a few",
                     "   items marked CAUTION below must be revised by hand.",
                     "   Expand the building tree on the left of the",
                     "   EnergyPro screen (click on each +) to see every item.",
                     "   An UNDEFINED Building means the import failed: try",
                     "   an earlier scheme, or scheme 1 or 2, the code-",
                     "   compliant designs MAVO builds for every project.",
                     "   Then run the Loads and the Performance calculation",
                     "   and last the Permit analysis.",
                     " ",
                     "",
                 });
}

void notes_run_details(ExportFiles& f) {
    txt_lines(f, {
                     "   3: RUN DETAILS    ",
                     " SoftwareName=\"EnergyPro\"  ",
                     " SoftwareVersion= was \"5.1.3.6\" now is 6.3.0.1",
                     "  ",
                     "  MAVO computes an hourly heat balance with internal",
                     "  thermal mass; its results differ slightly from the",
                     "  algorithm certified for EnergyPro.",
                     "  MAVO reports the actual Energy Use Intensity (site",
                     "  energy); compliance uses Time Dependent Valuation.",
                     "  EnergyPro shows the actual Energy Use Intensity on",
                     "  its utility (Energy Use and Cost) report.",
                     "  ",
                     "",
                 });
}

void notes_project(ExportFiles& f, const ExportScheme& s) {
    txt_lines(f, {
                     "   5: PROJECT DESIGN DATA:",
                     "  ",
                     "  In EnergyPro open the Project Design Data screen.",
                     "  Project Name and Plan Name are your scheme's name:",
                 });
    f.txt("     Your Scheme Name \"" + A(s.scheme_name.view(), 24) + "\" ");
    txt_lines(f, {
                     "  On the same screen check two values transferred",
                     "  from MAVO: the Construction Status (New, Existing",
                     "  or Addition) and the Front Orientation of the",
                     "  building, in degrees clockwise from north:",
                     "  ",
                 });
    f.txt("     \"" + A(s.NEWOLD.view(), 10) + "\" ");
    f.txt("     \"" + I(s.NFACES, 4) + "\" ");
    txt_lines(f, {
                     " ",
                     "  CAUTION: new and existing buildings are treated very",
                     "  differently by the code. Change the status only on",
                     "  MAVO's initial design screen; a remodel or addition",
                     "  with an earlier year built becomes existing.",
                     " ",
                     "  CAUTION: EnergyPro uses the official weather data of",
                     "  the CEC climate zone, MAVO the weather file of the",
                     "  site; compare the two:",
                 });
    f.txt("     Climate Zone: \"" + I(CECZONE, 3) + "\" ");
    f.txt("     City Name in MAVO: \"" + A(TITLE3.view(), 24) + "\" ");
    f.txt("     Corresponding City Name in EnergyPro: \"" + A(s.CITY.view(), 16) + "\"");
    txt_lines(f, {
                     "  ",
                     "  Change the location only in MAVO. To use the local",
                     "  utility rates, open Utility Rates in EnergyPro, then",
                     "  its library, and pick the electric utility of the",
                     "  site.",
                     " You can repeat the same process for the heating fuel",
                     " utility.",
                     "  ",
                     "",
                 });
}

void notes_building(ExportFiles& f, const ExportScheme& s) {
    txt_lines(f, {
                     "   ",
                     "   The Building screen of EnergyPro holds the name of",
                     "   the building and the direction its front faces:",
                 });
    f.txt("     Building Name: \"" + A(s.scheme_name.view(), 24) + "\" ");
    txt_lines(f, {
                     " ",
                     "   The front of a MAVO building usually faces south;",
                     "   the angle of the front from north is transferred:",
                 });
    f.txt("     Front Orientation =\"" + I(s.NFACES, 3) + "\" degrees from North");
    txt_lines(f, {
                     "  ",
                     "   Only building details listed in Joint Appendix 4",
                     "   (JA4) of the compliance manual are allowed; they",
                     "   are named JAIV- and a number, e.g. JAIV-4.2.1-A1.",
                     "   Thermal mass counts only for the mass credit.",
                     "   On the Residential tab check the box Quality",
                     "   Insulation Installation: MAVO assumes it.",
                     "   ACH50 is 2 times the SLA on MAVO's HVAC screen.",
                     " ",
                     "",
                 });
}

void notes_renewables(ExportFiles& f) {
    txt_lines(f, {
                     "RENEWABLES:",
                     "  EnergyPro shows the DC rating of a photovoltaic",
                     "  system on its Energy Cost screen; MAVO's value",
                     "  comes from its hourly simulation. A negative cost",
                     "  means the system produces more than the house uses.",
                     "  Compliance gives no credit for photovoltaics.",
                 });
    f.txt("    DCRating  =\"" + F(PVSYSPEAK, 6, 2) + "\"  if PV in the Energy Cost screen");
    txt_lines(f, {"  ", ""});
}

void notes_renewable_month(ExportFiles& f, INTEGER month) {
    f.txt("  19: RenewableMonthly ");
    f.txt("   Month=\"" + I(month, 2) + "\" ");
    f.txt("   PV Production kWh=\"" + F(PVKWH(month), 10, 2) + "\" ");
    f.txt("   Demand kWh       =\"" + F(PVDEMAND(month), 10, 2) + "\" ");
    f.txt("   Cost dollars     =\" " + F(PVCOST(month), 10, 2) + "\" ");
    f.txt(" ");
}

void notes_renewable_year(ExportFiles& f) {
    f.txt("  20: Renewable Annual Totals ");
    f.txt(" Sum of all 12 Months ");
    f.txt(" PV Production kWh=\"" + F(PVKWH(13), 10, 2) + "\" ");
    f.txt(" Demand kWh       =\"" + F(PVDEMAND(13), 10, 2) + "\" ");
    f.txt(" Cost dollars     =\" " + F(PVCOST(13), 10, 2) + "\" ");
    f.txt("");
}

void notes_water_heating(ExportFiles& f, const ExportScheme& s) {
    txt_lines(f, {
                     "31: DHW  Domestic Hot Water:",
                     " ",
                     "  EnergyPro shows a solar water heating system as the",
                     "  Solar Fraction of its Domestic Hot Water screen;",
                     "  it is 0.0 when there is none.",
                     "This value will always be  changed by MAVO:",
                 });
    f.txt("    Solar Fraction=\"" + F(s.SOLARFRACT, 9, 2) + "\" ");
    txt_lines(f, {
                     " ",
                     "  For the water heater itself (not solar) the",
                     "  multiplier must be 1. Import it from the EnergyPro",
                     "  library or enter it by hand with the values below.",
                     "  Electric water heaters may not meet the code.",
                 });
    f.txt("    MAVO says the Water Heater Type is \"" + I(WHTYPE, 3) + "\" where: ");
    water_heater_legend(f);
    f.txt(" ");
    f.txt("    DHWtype=\"" + A(s.DHWTYPE.view(), 14) + "\" ");
    f.txt("    Volume=\"" + F(SAVTANK(2), 8, 1) + "\" in gallons ");
    f.txt("    Input =\"" + F(SAINPUTRATE(2), 10, 0) + "\" in Btu/hr");
    f.txt("    Energy Factor=\"" + F(SEF(2), 9, 2) + "\" 0.0 to 1.0");
    f.txt("    Recovery Efficiency % =\"" + F(s.recovery_efficiency, 9, 2) + "\" ");
    f.txt("      (not required) External Tank Insulation=\"" + F(SDHWP8(2), 9, 0) + "\"");
    txt_lines(f, {"  ", ""});
}

void notes_normal_ending(ExportFiles& f) {
    txt_lines(f, {
                     " 415: NORMAL ENDING: Print Out Reports ",
                     "  ",
                     " Print the compliance reports from EnergyPro: the",
                     " performance form CF-1R tells whether the building",
                     " complies; the utility worksheet UTIL-1R shows the",
                     " actual site energy in kWh and therms (a therm is",
                     " about 100000 Btu).",
                     " When closing EnergyPro do not save the changes;",
                     " re-load the XML file MAVO generates instead.",
                     " ",
                     "",
                 });
}

void notes_refusal(ExportFiles& f, std::string_view reason) {
    const std::string reason_line = std::string(reason) + ",";
    txt_lines(f, {
                     "   ",
                     "   ",
                     "................. ERROR......................",
                     reason_line,
                     "so you can NOT use EnergyPro",
                     "   ",
                     "   ",
                     "",
                 });
}

}  // namespace mavo::compliance
