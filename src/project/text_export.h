// Hourly results of the current scheme as a comma-separated text table
// ("scheme<k>.TXT"), and the two hooks that leave the path of a scheme file,
// marked for removal, for the host. Entry points for the host; no procedure
// of the kernel calls them.
#pragma once

namespace mavo {

void KEEP1TXT();
void ERASE1();
void ERASE2();

}  // namespace mavo
