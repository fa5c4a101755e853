// Compliance export: the two utility rates and the billing start date. The
// importer receives the same tier tables with every export, whatever tariff
// the scheme uses: they are single-precision tariff values written out with
// all their digits.
#include <string>

#include "front/trace.h"
#include "results/compliance/compliance_export.h"

namespace mavo::compliance {
namespace {

struct RateLine {
    bool demand;        // DemandCharge line (else EnergyCharge)
    const char* charge;
    const char* limit;
};

void write_block(ExportFiles& f, const char* season, const RateLine* lines, int count) {
    f.xml(11, std::string("<BlockCharge  Label=\"") + season + "\" >");
    for (int i = 0; i < count; ++i) {
        const RateLine& l = lines[i];
        f.xml(13, std::string(l.demand ? "<DemandCharge" : "<EnergyCharge") + "  Charge=\"" + l.charge +
                      "\"  Limit=\"" + l.limit + "\" />");
    }
    f.xml(9, "</BlockCharge >");
}

constexpr RateLine kElectricWinter[] = {
    {false, "0.10287000238895416", "581"},
    {false, "0.1168999969959259", "756"},
    {false, "0.18292999267578125", "9999"},
    {true, "0", "0"},
};
constexpr RateLine kElectricSummer[] = {
    {false, "0.10287000238895416", "317"},
    {false, "0.1168999969959259", "412"},
    {false, "0.18292999267578125", "9999"},
    {true, "0", "0"},
};
constexpr RateLine kGasWinter[] = {
    {false, "1.2435100078582764", "61"},
    {false, "1.4681799411773682", "999"},
    {true, "0", "0"},
};
constexpr RateLine kGasSummer[] = {
    {false, "1.2435100078582764", "15"},
    {false, "1.4681799411773682", "999"},
    {false, "1.4681799411773682", "0"},
    {true, "0", "0"},
};

template <std::size_t N>
void write_block(ExportFiles& f, const char* season, const RateLine (&lines)[N]) {
    write_block(f, season, lines, static_cast<int>(N));
}

}  // namespace

void write_utility_rates_and_billing_date(ExportFiles& f) {
    f.xml(7, "<UtilityRate  EnergyType=\"Electricity\"  MonthCharge=\"5\"  DemandCharge=\"0\"  MinMonthCharge=\"0\"  "
             "MinDemandCharge=\"0\"  Tax=\"0\"  CO2=\"0.805\" >");
    write_block(f, "Winter", kElectricWinter);
    write_block(f, "Summer", kElectricSummer);
    f.xml(5, "</UtilityRate >");
    f.xml(7, "<UtilityRate  EnergyType=\"Gas\"  Name=\"Gas PG&amp;E P\"  MonthCharge=\"0\"  DemandCharge=\"0\"  "
             "MinMonthCharge=\"0\"  MinDemandCharge=\"0\"  Tax=\"0\"  CO2=\"11.7\" >");
    write_block(f, "Winter", kGasWinter);
    write_block(f, "Summer", kGasSummer);
    f.xml(5, "</UtilityRate >");
    DBG_PRINT("KEEPXML input reached end, just before RESULT");
    f.xml(6, "<BillingStartDate  xmlns=\"\" >0001-01-01T00:00:00</BillingStartDate >");
}

}  // namespace mavo::compliance
