// One function per puzzle picture; each draws on a fresh 360 by 360 canvas.
#pragma once

#include "canvas.h"

namespace mediagen {

void sunsetLake(Canvas& c);
void nightVillage(Canvas& c);
void lighthouseCoast(Canvas& c);
void shapesComposition(Canvas& c);
void balloons(Canvas& c);
void autumnPark(Canvas& c);
void desert(Canvas& c);
void rosette(Canvas& c);
void reef(Canvas& c);
void winterCabin(Canvas& c);
void cityDusk(Canvas& c);
void outerSpace(Canvas& c);
void meadow(Canvas& c);
void stainedGlass(Canvas& c);
void island(Canvas& c);

}  // namespace mediagen
