// The picture generator's registry. Every picture of the program is drawn by one function in a
// source file of its own, which registers it here with its file name and exact pixel size:
//
//     const bool registered = registerPicture({"yantra.jpg", {400, 300}, drawYantra});
//
// picgen then draws, checks and writes every registered picture (or the ones named on its
// command line), choosing the file format from the file name's suffix.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

namespace zeitrad::picgen {

struct Picture {
    QString file;                 // file name under assets/, e.g. "yantra.jpg"
    QSize size;                   // the exact pixel size the screens expect
    std::function<QImage()> draw; // draws the picture at that size
    int jpegQuality = 92;         // used for .jpg files only
};

// Adds a picture to the registry; returns true so that it can initialise a namespace-scope
// constant in the picture's own source file.
bool registerPicture(Picture picture);

// Every registered picture, ordered by file name.
std::vector<Picture> registeredPictures();

// The name picgen lists and accepts on its command line: the file name without its suffix.
QString pictureName(const Picture& picture);

} // namespace zeitrad::picgen
