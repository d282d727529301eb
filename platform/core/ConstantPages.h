#pragma once

namespace dd {

// Hands the memory pages that lie wholly inside [begin, end) back to the system, for constant
// data read once, such as large literals: touched again, they are read anew from the program
// file. Where the system offers no such request, it does nothing.
void ReleaseConstantPages(const void* begin, const void* end);

} // namespace dd
