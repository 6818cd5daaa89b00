// The painters of the fourteen sheets, one function per picture.
#pragma once
#include "sheet.h"

namespace art {

Sheet DrawKiller();
Sheet DrawSky();
Sheet DrawGrass();
Sheet DrawGround();
Sheet DrawFood();
Sheet DrawExit();
Sheet DrawKippo(bool facingRight);
Sheet DrawKippoRun(bool facingRight);
Sheet DrawFon();
Sheet DrawDigits();
Sheet DrawFont();
Sheet DrawHelmet();

// Mirrors every frame of `from` left to right into a sheet of index `index`, about the
// screen column the runner's frames turn around (see runner.cpp).
Sheet MirrorFrames(const Sheet& from, int index, int fromLeft, int toLeft);

}  // namespace art
