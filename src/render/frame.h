// The frame of the drawing area, with the plane's two axes, in colour 1.
#pragma once

void DrawFrame();
