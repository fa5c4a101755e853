// Code legends of the import instructions, one per code of the scheme's
// parameter column that the instructions repeat.
#pragma once
#include "results/compliance/compliance_export.h"

namespace mavo::compliance {

void legend_heating(ExportFiles& f);          // STRATEGY(18,k)
void legend_cooling(ExportFiles& f);          // STRATEGY(20,k)
void legend_roof(ExportFiles& f);             // STRATEGY(32,k)
void legend_radiant_barrier(ExportFiles& f);  // STRATEGY(35,k)
void legend_wall(ExportFiles& f);             // STRATEGY(31,k)
void legend_window(ExportFiles& f);           // window code of a line
void legend_shading(ExportFiles& f);          // STRATEGY(36,k)
void legend_basement_floor(ExportFiles& f);   // STRATEGY(33,k), basements
void legend_slab_floor(ExportFiles& f);       // STRATEGY(33,k), slabs
void legend_floor(ExportFiles& f);            // STRATEGY(33,k), all
void legend_distribution(ExportFiles& f);     // STRATEGY(24,k)

}  // namespace mavo::compliance
