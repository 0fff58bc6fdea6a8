// The sample overview pictures, one per birth lord: the program's own overview for a birth whose
// Moon stands at the very start of one of that lord's nakshatras. For such a birth every age in
// the grid depends on the lord alone, so one picture serves every birth of that lord. The birth
// cell's date line is left empty: the screen writes the user's birth date over it.

#include "picture.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPainter>

#include <string>
#include <variant>

#include "app/zeitrad.h"
#include "engine/calculation.h"
#include "engine/tables.h"
#include "screens/sample.h"
#include "widgets/colors.h"
#include "widgets/label.h"

namespace zeitrad::picgen {

namespace {

// The picture is shown one pixel left of the overview's place, so its column x is the overview's
// column x - 1; it stops two rows short of the overview's bottom edge.
constexpr QSize sampleSize(754, 559);

void setField(TZeitrad& window, const char* name, int value) {
    window.findChild<QLineEdit*>(name)->setText(QString::number(value));
}

QImage drawSample(int lord) {
    TZeitrad window;
    window.show();
    window.ensureScreens();

    // The lord's first nakshatra starts at (lord - 1) x 13°20'; the sign takes the whole 30°
    // steps, the degree field the rest.
    const int arcMinutes = (lord - 1) * 800;
    const int sign = arcMinutes / 1800 + 1;
    const int within = arcMinutes - (sign - 1) * 1800;
    setField(window, "Edit1", within / 60);
    setField(window, "Edit2", within % 60);
    setField(window, "Edit3", 0);
    window.findChild<QAbstractButton*>(QString("RadioButton%1").arg(sign))->setChecked(true);
    window.findChild<QAbstractButton*>("Button1")->click();

    // The position must be a birth of this lord exactly on a nakshatra's start, and the window
    // must have calculated it: its engine then holds what an engine that calculated only this
    // position holds.
    BirthInput position;
    position.degrees = std::to_string(within / 60);
    position.minutes = std::to_string(within % 60);
    position.seconds = std::to_string(0);
    position.sign = sign;
    Engine expected;
    const Outcome outcome = expected.calculate(position);
    const auto* result = std::get_if<Result>(&outcome);
    auto* birthLine = window.findChild<widgets::Label*>("Label1");
    const std::string_view name = planetName[lord];
    if (result == nullptr || !result->onNakshatraStart || result->birthLord != lord ||
        !(window.engine() == expected) ||
        birthLine->text() != QLatin1String(name.data(), static_cast<qsizetype>(name.size()))) {
        qFatal("sample overview: no birth of planet %d at a nakshatra's start", lord);
    }

    auto* overview = window.findChild<QWidget*>("Panel1");
    window.findChild<widgets::Label*>("Label3")->setText(QString());
    const QImage shot = overview->grab().toImage();

    QImage image(sampleSize, QImage::Format_RGB32);
    image.fill(widgets::colors::buttonFace);
    QPainter painter(&image);
    painter.drawImage(QPoint(1, 0), shot);
    return image;
}

QString fileFor(int lord) {
    // ":/sample-ketu.jpg" -> "sample-ketu.jpg"
    return screens::SampleOverview::pictureFor(lord).mid(2);
}

const bool registered = [] {
    for (int lord = 1; lord <= planetCount; ++lord)
        registerPicture({fileFor(lord), sampleSize, [lord] { return drawSample(lord); }, 92});
    return true;
}();

} // namespace

} // namespace zeitrad::picgen
