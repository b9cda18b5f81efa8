// PictureDrawing.h: the game's picture drawn on the plotting image.
#pragma once

#include "game/Picture.h"

class TMyImage2;

// Sets the image's view to the picture's and draws it: the backdrop of
// white, grid and axes, the path, the marked tails, the entry's band; then
// shows it at once.
void DrawPicture(TMyImage2& image, const Picture& picture);
