#include "app/zeitrad.h"

#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include "app/appearance.h"
#include "app/furniture.h"
#include "app/links.h"
#include "app/startscreen.h"
#include "screens/bookscreen.h"
#include "screens/coursescreen.h"
#include "screens/divisions.h"
#include "screens/infoscreen.h"
#include "screens/input.h"
#include "screens/overview.h"
#include "screens/sample.h"
#include "screens/strips.h"
#include "screens/textscreen.h"

using namespace zeitrad::ui;

namespace {

struct ToolbarButton {
    const char* name;
    int left, width;
    const char* caption;
};

// The toolbar in stacking order; "Amsa" comes later, above the strips.
constexpr ToolbarButton toolbarButtons[] = {
    {"Button17", 584, 25, "3/3"},
    {"Button16", 552, 25, "2/3"},
    {"Button15", 520, 25, "1/3"},
    {"Button7", 704, 33, "Info"},
    {"Button1", 416, 97, "Antardasacolor"},
    {"Button2", 296, 115, "Mahadasamarkierung"},
    {"Button3", 136, 75, "Text anzeigen"},
    {"Button5", 216, 75, "Deutung"},
    {"Button13", 16, 113, "Berechnungsangaben"},
};

QPushButton* toolbarButton(QWidget* window, const ToolbarButton& b) {
    QPushButton* button = makeButton(b.name, window, QRect(b.left, 8, b.width, 25), b.caption);
    button->hide();
    return button;
}

const QString iconPicture = ":/icon.png";

} // namespace

QStringList TZeitrad::openingPictures() {
    return QStringList{iconPicture} + StartScreen::pictures();
}

TZeitrad::TZeitrad(QWidget* parent) : QWidget(parent) {
    applyAppearance();
    setObjectName("Zeitrad");
    setWindowTitle("Zeitrad");
    setWindowIcon(QPixmap::fromImage(loadPicture(iconPicture)));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(windowFont());
    setAttribute(Qt::WA_AlwaysShowToolTips);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colors::purple);
    setPalette(pal);
    setAutoFillBackground(true);
    setFixedSize(clientWidth, clientHeight);

    // What the user sees at start: the furniture (graphic items, lowest of all), the buttons on
    // the window and the start screen. The other screens are hidden at start; they are built
    // right after the first paint (or when a handler first needs them), so that the window
    // opens without waiting for them.
    furniture_ = std::make_unique<Furniture>(this);
    button22_ =
        makeButton("Button22", this, QRect(304, 568, 185, 25), "Urtexte nach Maharishi Orvana");
    for (const ToolbarButton& b : toolbarButtons)
        toolbar_.append(toolbarButton(this, b));
    toolbar_.append(toolbarButton(this, {"Button14", 616, 33, "Amsa"}));
    panel2_ = new StartScreen(this);

    bind("Button4", &TZeitrad::Button4Click);
    bind("Button13", &TZeitrad::Button13Click);
    bind("Button3", &TZeitrad::Button3Click);
    bind("Button5", &TZeitrad::Button5Click);
    bind("Button7", &TZeitrad::Button7Click);
    bind("Button14", &TZeitrad::Button14Click);
    bind("Button22", &TZeitrad::Button22Click);
    bind("Button1", &TZeitrad::Button1Click);
    bind("Button2", &TZeitrad::Button2Click);
    bind("Button15", &TZeitrad::Button15Click);
    bind("Button16", &TZeitrad::Button16Click);
    bind("Button17", &TZeitrad::Button17Click);
    bindLink("Label251", &TZeitrad::Label251Click);
    bindLink("Label252", &TZeitrad::Label252Click);
    bindLink("Label415", &TZeitrad::Label415Click);

    // Centred on the screen at start.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - QPoint(clientWidth / 2, clientHeight / 2));
    }
    FormCreate();
}

TZeitrad::~TZeitrad() = default;

void TZeitrad::FormCreate() {}

void TZeitrad::bind(const char* name, void (TZeitrad::*handler)()) {
    if (auto* button = findChild<QPushButton*>(name))
        connect(button, &QPushButton::clicked, this, handler);
}

void TZeitrad::bindLink(const char* name, void (TZeitrad::*handler)()) {
    if (auto* label = findChild<Label*>(name))
        connect(label, &Label::clicked, this, handler);
}

void TZeitrad::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!screensBuilt_ && !buildQueued_) {
        buildQueued_ = true;
        QTimer::singleShot(0, this, &TZeitrad::ensureScreens);
    }
}

void TZeitrad::ensureScreens() {
    if (screensBuilt_)
        return;
    screensBuilt_ = true;

    panel1_ = new OverviewScreen(this);
    panel16_ = new SampleOverview(this);
    strips_ = new StripPages(this);
    panel14_ = new DivisionsScreen(this);
    panel8_ = new InputScreen(this);
    panel3_ = new TextScreen(this);
    panel5_ = new BookScreen(this);
    panel7_ = new InfoScreen(this);
    panel13_ = new CourseScreen(this);
    for (QWidget* screen : {static_cast<QWidget*>(panel1_), static_cast<QWidget*>(panel16_),
                            static_cast<QWidget*>(panel14_), static_cast<QWidget*>(panel8_),
                            static_cast<QWidget*>(panel3_), static_cast<QWidget*>(panel5_),
                            static_cast<QWidget*>(panel7_), static_cast<QWidget*>(panel13_)})
        screen->hide();
    strips_->setVisible(false);

    // The window's children in stacking order, lowest first (the furniture stays below them
    // all): a later one covers an earlier one where they overlap.
    QList<QWidget*> order = {button22_, panel1_, panel16_};
    for (qsizetype i = 0; i + 1 < toolbar_.size(); ++i)
        order.append(toolbar_[i]);
    for (int i = 0; i < 4; ++i)
        order.append(strips_->strip(i));
    order += QList<QWidget*>{toolbar_.last(), panel14_, panel8_, panel3_,
                             panel2_,         panel5_,  panel7_, panel13_};
    for (QWidget* child : order)
        child->raise();

    furniture_->addLabels(button22_);

    bind("Button12", &TZeitrad::Button1Click);
    bind("Button18", &TZeitrad::Button18Click);
    bind("Button21", &TZeitrad::Button21Click);
    connect(panel13_, &Panel::clicked, this, &TZeitrad::Panel13Click);
    bindLink("Label259", &TZeitrad::Label259Click);
    bindLink("Label421", &TZeitrad::Label421Click);
    bindLink("Label420", &TZeitrad::Label420Click);
    bindLink("Label429", &TZeitrad::Label429Click);
    bindLink("Label433", &TZeitrad::Label433Click);
    bindLink("Label431", &TZeitrad::Label431Click);
    bindLink("Label432", &TZeitrad::Label432Click);
}

void TZeitrad::hideScreens() {
    panel2_->hide();
    panel8_->hide();
    panel1_->hide();
    panel16_->hide();
    strips_->setVisible(false);
    panel3_->hide();
    panel3_->innerPanel()->hide();
    panel5_->hide();
    panel5_->innerPanel()->hide();
    panel7_->hide();
    panel13_->hide();
    panel14_->hide();
}

void TZeitrad::Button4Click() {
    ensureScreens();
    panel16_->hide();
    panel2_->hide();
    button22_->show();
    for (const char* name : {"Button14", "Button13", "Button15", "Button16", "Button17", "Button3",
                             "Button5", "Button2", "Button1", "Button7"})
        findChild<QPushButton*>(name)->show();
}

void TZeitrad::Button13Click() {
    ensureScreens();
    hideScreens();
    panel8_->show();
    furniture_->legendStrip()->show();
}

void TZeitrad::Button3Click() {
    ensureScreens();
    hideScreens();
    panel3_->show();
}

void TZeitrad::Button5Click() {
    ensureScreens();
    hideScreens();
    panel13_->show();
    if (auto* close = panel13_->findChild<QPushButton*>("Button18"))
        close->setFocus();
}

void TZeitrad::Button7Click() {
    ensureScreens();
    // The input screen stays as it was, so that closing the info screen returns to it.
    const bool inputVisible = panel8_->isVisible();
    hideScreens();
    panel8_->setVisible(inputVisible);
    panel7_->show();
    if (auto* close = panel7_->findChild<QPushButton*>("Button21"))
        close->setFocus();
}

void TZeitrad::Button14Click() {
    ensureScreens();
    hideScreens();
    panel14_->show();
    furniture_->legendStrip()->hide();
}

void TZeitrad::Button22Click() {
    ensureScreens();
    panel5_->show();
}

void TZeitrad::Button18Click() {
    ensureScreens();
    panel13_->hide();
}

void TZeitrad::Panel13Click() {
    ensureScreens();
    panel13_->hide();
}

void TZeitrad::Button21Click() {
    ensureScreens();
    panel7_->hide();
}

void TZeitrad::Button1Click() {
    ensureScreens();
    const zeitrad::Outcome outcome = engine_.calculate(panel8_->input());
    if (const auto* refusal = std::get_if<zeitrad::Refusal>(&outcome)) {
        // A refused input changes nothing: the input screen stays with what the user typed.
        QMessageBox box(QMessageBox::Critical, "Zeitrad", QString::fromStdString(refusal->message),
                        QMessageBox::Ok, this);
        box.exec();
        return;
    }
    const auto& result = std::get<zeitrad::Result>(outcome);

    // The sample overview picture keeps its visibility; every other screen gives way.
    const bool sampleVisible = panel16_->isVisible();
    hideScreens();
    panel16_->setVisible(sampleVisible);
    panel1_->show();
    for (Label* label : furniture_->legendLabels())
        label->show();

    furniture_->nakshatraLabel()->setText(QString::fromStdString(result.nakshatraName));
    panel1_->fill(result);
    if (result.onNakshatraStart)
        panel16_->showFor(result);
}

void TZeitrad::Button2Click() {
    ensureScreens();
    panel5_->hide();
    panel1_->markMahadasas();
}

void TZeitrad::showStripPage(int page) {
    ensureScreens();
    hideScreens();
    furniture_->legendStrip()->hide();
    strips_->setVisible(true);
    strips_->setPage(page);
}

void TZeitrad::Button15Click() {
    showStripPage(1);
}
void TZeitrad::Button16Click() {
    showStripPage(2);
}
void TZeitrad::Button17Click() {
    showStripPage(3);
}

void TZeitrad::openLink(const char* label) {
    openTarget(linkTarget(label));
}

void TZeitrad::Label251Click() {
    openLink("Label251");
}
void TZeitrad::Label252Click() {
    openLink("Label252");
}
void TZeitrad::Label415Click() {
    openLink("Label415");
}
void TZeitrad::Label259Click() {
    openLink("Label259");
}
void TZeitrad::Label421Click() {
    openLink("Label421");
}
void TZeitrad::Label420Click() {
    openLink("Label420");
}
void TZeitrad::Label429Click() {
    openLink("Label429");
}
void TZeitrad::Label433Click() {
    openLink("Label433");
}
void TZeitrad::Label431Click() {
    openLink("Label431");
}
void TZeitrad::Label432Click() {
    openLink("Label432");
}

Panel* TZeitrad::coveringScreen() const {
    if (!screensBuilt_)
        return nullptr;
    if (panel13_->isVisible())
        return panel13_;
    if (panel7_->isVisible())
        return panel7_;
    return nullptr;
}

void TZeitrad::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && screensBuilt_) {
        if (panel13_->isVisible()) {
            Button18Click();
            return;
        }
        if (panel7_->isVisible()) {
            Button21Click();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

bool TZeitrad::focusNextPrevChild(bool next) {
    // While the info or course screen covers the window, the keyboard stays on that screen.
    if (Panel* cover = coveringScreen()) {
        if (auto* close = cover->findChild<QPushButton*>())
            close->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

void TZeitrad::changeEvent(QEvent* event) {
    // The window keeps its size, but may be maximised: the controls keep their places and the
    // added area shows the purple background.
    if (event->type() == QEvent::WindowStateChange) {
        if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
            setMinimumSize(clientWidth, clientHeight);
            setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        } else {
            setFixedSize(clientWidth, clientHeight);
        }
    }
    QWidget::changeEvent(event);
}
