// Results, costs and report files.
#pragma once

namespace mavo {

void BARHR();
void KEEPXML();
void KEEPCCL();
void KEEPCSV();

}  // namespace mavo
