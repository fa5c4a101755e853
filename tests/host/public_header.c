/* The public header compiles as C and describes the exported blocks with
   the layout the kernel uses. */
#include <stddef.h>

#include "mavokernel.h"

_Static_assert(sizeof(MAVO_BLK10) == 96, "BLK10: one byte per run flag");
_Static_assert(sizeof(MAVO_BLK16) == 6152, "BLK16 size");
_Static_assert(offsetof(MAVO_BLK16, SUMARYX) == 80 * 19 * 4, "SUMARYX after SUMARY");
_Static_assert(sizeof(MAVO_BLK20) == 244, "BLK20 size");
_Static_assert(offsetof(MAVO_BLK20, HEATLOSS) == 7 * 4, "HEATLOSS at word 8");
_Static_assert(sizeof(MAVO_BLK25) == 352, "BLK25 size");
_Static_assert(offsetof(MAVO_BLK25, COMPMAX) == 51 * 4, "COMPMAX at word 52");
_Static_assert(sizeof(MAVO_BLK27A) == 258, "BLK27A size");
_Static_assert(offsetof(MAVO_BLK27A, TEXTLINE) == 8, "the name runs on from MATNAME into TEXTLINE");
_Static_assert(sizeof(MAVO_BLK44A) == 3624, "BLK44A size");
_Static_assert(offsetof(MAVO_BLK44A, GS_SCHEMEIDS) == 888 * 4, "scheme ids at word 889");
_Static_assert(sizeof(MAVO_BLK44B) == 2404, "BLK44B size");
_Static_assert(offsetof(MAVO_BLK44B, GS_CHARTSET) == 600 * 4, "chart set at word 601");

int main(void) { return 0; }
