// The television static over the reference picture at the start of a deal.
#pragma once

namespace quadrivolant {

// Covers the reference area with 44 by 44 random frames of the static image.
void drawOpeningStatic();

}  // namespace quadrivolant
