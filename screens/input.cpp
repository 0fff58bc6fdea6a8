#include "screens/input.h"

#include "engine/names.h"
#include "widgets/button.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QPainter>
#include <QRadioButton>

namespace zeitrad::screens {

using namespace zeitrad::widgets;

namespace {

// The screen's larger texts are sized in pixels, not points.
QFont tahomaPixels(int pixels, bool bold = false) {
    QFont font("Tahoma");
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// accessibleName says what the field holds, for a screen reader: the captions on screen stand
// for a whole group of fields.
QLineEdit* makeEdit(const char* name, QWidget* parent, const QRect& geometry, int maxLength,
                    const QString& accessibleName) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setAccessibleName(accessibleName);
    edit->setGeometry(geometry);
    edit->setMaxLength(maxLength);
    return edit;
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::WindowText, colour);
    pal.setColor(QPalette::Text, colour);
    pal.setColor(QPalette::ButtonText, colour);
    widget->setPalette(pal);
}

// The twelve signs in sign order, four lines of three, coloured by their element: fire, earth,
// air, water, and round again.
const QColor* const elementColour[4] = {&colors::red, &colors::lime, &colors::yellow,
                                        &colors::aqua};
constexpr int signColumnLeft[3] = {136, 224, 288};
constexpr int signColumnWidth[3] = {113, 113, 73};
constexpr int signLineTop[4] = {104, 128, 152, 176};

// A group frame in the classic look: an etched rectangle with the caption set into its top edge
// on the parent's colour. A box too low for its caption shows only the top line of the frame.
class GroupFrame : public QGroupBox {
public:
    GroupFrame(const char* name, const QString& caption, QWidget* parent, const QRect& geometry)
        : QGroupBox(caption, parent) {
        setObjectName(name);
        setGeometry(geometry);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QFontMetrics metrics(font());
        const bool roomForCaption = height() > metrics.height();
        const int top = roomForCaption ? metrics.height() / 2 : 0;
        const QRect frame = rect().adjusted(0, top, -1, -1);
        p.setPen(colors::buttonShadow);
        p.drawRect(frame.adjusted(0, 0, -1, -1));
        if (frame.height() > 1) {
            p.setPen(colors::buttonHighlight);
            p.drawRect(frame.adjusted(1, 1, 0, 0));
        }
        if (roomForCaption && !title().isEmpty()) {
            const QRect caption(8, 0, metrics.horizontalAdvance(title()), metrics.height());
            p.fillRect(caption, parentWidget()->palette().color(QPalette::Window));
            p.setPen(palette().color(QPalette::WindowText));
            p.setFont(font());
            p.drawText(caption, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, title());
        }
    }
};

std::string text(const QLineEdit* edit) {
    return edit->text().toStdString();
}

} // namespace

InputScreen::InputScreen(QWidget* window)
    : Panel("Panel8", window, QRect(176, 224, 489, 257), colors::fuchsia) {
    new Label("Label257", this, QPoint(16, 10), "Geburtsdatum:", tahomaPixels(19), colors::purple);
    edit4_ = makeEdit("Edit4", this, QRect(146, 11, 25, 21), 2, "Geburtstag");
    edit5_ = makeEdit("Edit5", this, QRect(175, 11, 25, 21), 2, "Geburtsmonat");
    edit6_ = makeEdit("Edit6", this, QRect(204, 11, 42, 21), 4, "Geburtsjahr");
    new Label("Label262", this, QPoint(266, 16), "TT.MM.JJJJ");
    new Label("Label256", this, QPoint(120, 56), "Mondposition:", tahomaPixels(19, true),
              colors::yellow);
    edit1_ = makeEdit("Edit1", this, QRect(260, 56, 29, 21), 2, "Mond: Grad im Zeichen");
    edit2_ = makeEdit("Edit2", this, QRect(289, 56, 29, 21), 2, "Mond: Bogenminuten");
    edit3_ = makeEdit("Edit3", this, QRect(316, 56, 29, 21), 2, "Mond: Bogensekunden");

    checkBox1_ = new QCheckBox("GG.MM.SS - tropisch", this);
    checkBox1_->setObjectName("CheckBox1");
    checkBox1_->setGeometry(352, 56, 121, 17);
    checkBox1_->setAccessibleName("Mondposition tropisch (GG.MM.SS)");

    // The group frame only frames the sign buttons; they lie on the panel itself.
    auto* frame = new GroupFrame("RadioGroup1", "In welchem Zeichen steht der Mond?", this,
                                 QRect(88, 80, 281, 129));
    frame->setFont(tahomaPixels(16));
    setTextColour(frame, colors::white);

    // A one-pixel strip left over from an empty group; it has no function.
    new GroupFrame("RadioGroup2", "RadioGroup2", this, QRect(64, 112, 65, 1));

    signs_ = new QButtonGroup(this);
    signs_->setExclusive(true);
    QRadioButton* signButtons[12] = {};
    for (int i = 0; i < 12; ++i) {
        const std::string_view name = signName[i + 1];
        auto* button = new QRadioButton(
            QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())), this);
        button->setObjectName(QString("RadioButton%1").arg(i + 1));
        button->setAccessibleName("Mond in " + button->text());
        button->setGeometry(signColumnLeft[i % 3], signLineTop[i / 3], signColumnWidth[i % 3], 17);
        setTextColour(button, *elementColour[i % 4]);
        signs_->addButton(button, i + 1);
        signButtons[i] = button;
    }

    button12_ = makeButton("Button12", this, QRect(125, 221, 201, 25),
                           "Vimsottari Dasa Übesicht berechnen");
    // In the free corner right of the calculate button.
    button23_ = makeButton("Button23", this, QRect(338, 221, 141, 25), "Mond aus Geburtszeit …");

    // Tab order: the sign buttons from the second on, the date, the position, the first sign,
    // the calculate button, the tropical option and the Moon calculator.
    for (int i = 1; i < 12; ++i)
        tabOrder_.append(signButtons[i]);
    tabOrder_ << edit4_ << edit5_ << edit6_ << edit1_ << edit2_ << edit3_ << signButtons[0]
              << button12_ << checkBox1_ << button23_;
    for (qsizetype i = 0; i + 1 < tabOrder_.size(); ++i)
        setTabOrder(tabOrder_[i], tabOrder_[i + 1]);
}

bool InputScreen::focusNextPrevChild(bool next) {
    // Qt's own focus chain passes over the unchosen buttons of an exclusive group, so the screen
    // walks its order itself and leaves the chain only at its ends.
    const qsizetype at = tabOrder_.indexOf(focusWidget());
    const qsizetype to = next ? at + 1 : at - 1;
    if (at >= 0 && to >= 0 && to < tabOrder_.size()) {
        tabOrder_[to]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    return Panel::focusNextPrevChild(next);
}

void InputScreen::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        button12_->click();
        return;
    }
    Panel::keyPressEvent(event);
}

void InputScreen::enter(const BirthInput& in) {
    edit4_->setText(QString::fromStdString(in.day));
    edit5_->setText(QString::fromStdString(in.month));
    edit6_->setText(QString::fromStdString(in.year));
    edit1_->setText(QString::fromStdString(in.degrees));
    edit2_->setText(QString::fromStdString(in.minutes));
    edit3_->setText(QString::fromStdString(in.seconds));
    if (QAbstractButton* button = signs_->button(in.sign))
        button->setChecked(true);
    checkBox1_->setChecked(in.tropical);
}

BirthInput InputScreen::input() const {
    BirthInput in;
    in.day = text(edit4_);
    in.month = text(edit5_);
    in.year = text(edit6_);
    in.degrees = text(edit1_);
    in.minutes = text(edit2_);
    in.seconds = text(edit3_);
    const int checked = signs_->checkedId();
    in.sign = checked > 0 ? checked : 0;
    in.tropical = checkBox1_->isChecked();
    return in;
}

} // namespace zeitrad::screens
