#include "screens/sample.h"

#include "engine/tables.h"

namespace zeitrad::screens {

using namespace zeitrad::widgets;

namespace {

// File names of the pictures, one per birth lord in dasa order.
constexpr const char* pictureNames[planetCount + 1] = {
    "", "ketu", "sukra", "surya", "chandra", "mangal", "rahu", "guru", "sani", "buddha",
};

} // namespace

QString SampleOverview::pictureFor(int lord) {
    if (lord < 1 || lord > planetCount)
        lord = Ketu;
    return QString(":/sample-%1.jpg").arg(pictureNames[lord]);
}

SampleOverview::SampleOverview(QWidget* window)
    : Panel("Panel16", window, QRect(40, 80, 753, 561), colors::buttonFace) {
    image6_ = new Picture("Image6", this, QRect(-1, 0, 754, 561), pictureFor(Ketu));
    label419_ = new Label("Label419", this, QPoint(21, 83), "Label419", windowFont(),
                          colors::windowText, colors::white);
}

void SampleOverview::showFor(const Result& result) {
    image6_->setResource(pictureFor(result.birthLord));
    label419_->setText(QString::fromStdString(result.birthDateText()));
    show();
}

} // namespace zeitrad::screens
