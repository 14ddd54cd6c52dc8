// The transform outlines: a bracket figure around each map's two rows of
// coefficients, in the colour of the map's points, (7 - I) * 2.
#pragma once

void DrawTransformOutlines();
