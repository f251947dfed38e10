#pragma once
// The colours of the post list and the graphs on the screen: the program's own light colours
// on a light palette, colours that follow the palette when it is dark. Pictures saved or
// copied keep the light colours.
#include <QColor>

class QImage;
class QPalette;

namespace lorvanel {

// Whether the palette's text background is dark (a dark desktop theme).
bool isDarkPalette(const QPalette& palette);

// The post list's colours: background, post number, thread title, board name, name, text.
struct PostListColours {
    QColor background;
    QColor number;
    QColor title;
    QColor board;
    QColor name;
    QColor text;
};
PostListColours postListColours(const QPalette& palette);

// Recolours a picture drawn in the light colours for the palette: on a dark palette every
// grey pixel, white and black included, moves from the white-to-black scale onto the
// palette's background-to-text scale (so the plot's white becomes the background and its
// black the text), and coloured pixels stay; on a light palette nothing changes.
void recolourForPalette(QImage& image, const QPalette& palette);

} // namespace lorvanel
