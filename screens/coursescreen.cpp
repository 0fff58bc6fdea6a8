#include "screens/coursescreen.h"

#include "screens/contact.h"
#include "widgets/button.h"
#include "widgets/picture.h"

namespace zeitrad::screens {

using namespace zeitrad::widgets;

namespace {

struct AdvertLine {
    const char* name;
    int left, top;
    int points;
    const char* text;
};

// The course advert: a title over the picture's lower edge, then a column of lines down the
// left side; the last lines stay short so that they end before the links at the right.
constexpr AdvertLine advert[] = {
    {"Label416", 224, 368, 18, "Fernkurs Vedische Astrologie"},
    {"Label417", 88, 400, 14, "In einem Jahr zur sicheren Deutung des Horoskops:"},
    {"Label418", 88, 423, 12,
     "12 Lehrbände, jeden Monat einer, mit Übungen und Beispielhoroskopen"},
    {"Label422", 88, 446, 12, "Planeten, Zeichen, Häuser und die 27 Nakshatras"},
    {"Label423", 88, 469, 12, "Das Horoskop berechnen, von Hand und mit dem Computer"},
    {"Label424", 88, 492, 12, "Die Teilungshoroskope (Vargas) und ihre Deutung"},
    {"Label425", 88, 515, 12, "Vimsottari-Dasa und die anderen Periodensysteme"},
    {"Label426", 88, 538, 12, "Transite, Jahreshoroskop und Muhurta"},
    {"Label427", 88, 561, 12, "Yogas, Planetenstärken und Ashtakavarga"},
    {"Label428", 88, 584, 12, "Heilmittel: Mantras, Edelsteine, Yagyas"},
    {"Label430", 88, 607, 12, "Korrektur aller Übungen und Antwort auf Ihre Fragen"},
    {"Label434", 88, 630, 14, "Auf Wunsch: Wochenendseminare"},
};

} // namespace

CourseScreen::CourseScreen(QWidget* window)
    : Panel("Panel13", window, QRect(0, 0, 825, 705), colors::black) {
    new Picture("Image4", this, QRect(96, 8, 633, 497), ":/course.jpg");
    for (const AdvertLine& line : advert)
        new Label(line.name, this, QPoint(line.left, line.top), QString::fromUtf8(line.text),
                  tahoma(line.points), colors::yellow);

    const QFont link = tahoma(14, true);
    label431_ =
        new Label("Label431", this, QPoint(536, 600), "Anfrage und Bestellung", link, colors::lime);
    label431_->makeLink(Label::Cursor::Hand);
    label432_ =
        new Label("Label432", this, QPoint(544, 624), contact::publisherHost, link, colors::lime);
    label432_->makeLink(Label::Cursor::Arrow);

    button18_ = makeButton("Button18", this, QRect(800, 8, 17, 17), "X", tahoma(8, true));
}

} // namespace zeitrad::screens
