#include "app/zeitrad.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QPixmap>
#include <QScreen>
#include <QSettings>
#include <QTimer>

#include <utility>

#include "app/appearance.h"
#include "app/furniture.h"
#include "app/links.h"
#include "birth/register.h"
#include "birth/road.h"
#include "engine/input.h"
#include "formats/privatefile.h"
#include "mooncalculator/moondialog.h"
#include "periodlist/periodexport.h"
#include "periodlist/periodwindow.h"
#include "pluginloader/pluginloader.h"
#include "registerwindow/registerwindow.h"
#include "screens/bookscreen.h"
#include "screens/coursescreen.h"
#include "screens/divisions.h"
#include "screens/infoscreen.h"
#include "screens/input.h"
#include "screens/overview.h"
#include "screens/sample.h"
#include "screens/startscreen.h"
#include "screens/strips.h"
#include "screens/textscreen.h"
#include "widgets/button.h"
#include "widgets/dialogs.h"
#include "widgets/pictureloader.h"

using namespace zeitrad::app;
using namespace zeitrad::mooncalculator;
using namespace zeitrad::periodlist;
using namespace zeitrad::screens;
using namespace zeitrad::widgets;

namespace {

const QString iconPicture = ":/icon.png";

} // namespace

TZeitrad::TZeitrad(QWidget* parent) : QWidget(parent) {
    applyAppearance();
    setObjectName("Zeitrad");
    setWindowTitle("Zeitrad");
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
    connect(button22_, &QPushButton::clicked, this, &TZeitrad::Button22Click);

    // The member pointer through an alias, which clang-format 14 and 19 lay out alike.
    using ButtonSlot = QPushButton* TZeitrad::*;
    struct ToolbarButton {
        const char* name;
        int left, width;
        const char* caption;
        ButtonSlot button;
        void (TZeitrad::*handler)();
    };
    // The toolbar in stacking order; "Amsa" comes last, above the strips.
    const ToolbarButton toolbar[] = {
        {"Button17", 584, 25, "3/3", &TZeitrad::button17_, &TZeitrad::Button17Click},
        {"Button16", 552, 25, "2/3", &TZeitrad::button16_, &TZeitrad::Button16Click},
        {"Button15", 520, 25, "1/3", &TZeitrad::button15_, &TZeitrad::Button15Click},
        {"Button7", 704, 33, "Info", &TZeitrad::button7_, &TZeitrad::Button7Click},
        {"Button24", 656, 41, "Liste", &TZeitrad::button24_, &TZeitrad::Button24Click},
        {"Button25", 744, 65, "Geburten", &TZeitrad::button25_, &TZeitrad::Button25Click},
        {"Button1", 416, 97, "Antardasacolor", &TZeitrad::button1_, &TZeitrad::Button1Click},
        {"Button2", 296, 115, "Mahadasamarkierung", &TZeitrad::button2_, &TZeitrad::Button2Click},
        {"Button3", 136, 75, "Text anzeigen", &TZeitrad::button3_, &TZeitrad::Button3Click},
        {"Button5", 216, 75, "Deutung", &TZeitrad::button5_, &TZeitrad::Button5Click},
        {"Button13", 16, 113, "Berechnungsangaben", &TZeitrad::button13_, &TZeitrad::Button13Click},
        {"Button14", 616, 33, "Amsa", &TZeitrad::button14_, &TZeitrad::Button14Click},
    };
    for (const ToolbarButton& b : toolbar) {
        QPushButton* button = makeButton(b.name, this, QRect(b.left, 8, b.width, 25), b.caption);
        button->hide();
        connect(button, &QPushButton::clicked, this, b.handler);
        this->*b.button = button;
    }
    // The period list needs a calculation.
    button24_->setEnabled(false);
    button24_->setToolTip(QStringLiteral("Erst berechnen"));

    panel2_ = new StartScreen(this);
    connect(panel2_->okButton(), &QPushButton::clicked, this, &TZeitrad::Button4Click);
    const LinkTargets& to = linkTargets();
    addLink(panel2_->siteLink(), to.site, &TZeitrad::Label251Click);
    addLink(panel2_->nameLink(), to.mail, &TZeitrad::Label252Click);
    addLink(panel2_->mailLink(), to.mail, &TZeitrad::Label415Click);

    // Centred on the screen at start.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - QPoint(clientWidth / 2, clientHeight / 2));
    }
    FormCreate();
}

struct TZeitrad::MoonOrigin {
    std::optional<zeitrad::astronomy::MoonOrigin> origin;
};

TZeitrad::~TZeitrad() = default;

// The window's creation hook. The constructor has built everything the window shows at start,
// and nothing else needs doing when the window is created.
void TZeitrad::FormCreate() {}

void TZeitrad::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!startFinishing_) {
        startFinishing_ = true;
        QTimer::singleShot(0, this, &TZeitrad::finishStart);
    }
}

// The icon comes after the first paint: reading a PNG makes Qt look through all its image
// plugins, and the desktop shows the icon no sooner than the window anyway.
void TZeitrad::finishStart() {
    setWindowIcon(QPixmap::fromImage(loadPicture(iconPicture)));
    screens();
}

void TZeitrad::ensureScreens() {
    screens();
}

const TZeitrad::Screens& TZeitrad::screens() {
    if (!screens_)
        screens_ = std::make_unique<Screens>(buildScreens());
    return *screens_;
}

TZeitrad::Screens TZeitrad::buildScreens() {
    const Screens s{
        .panel1 = new OverviewScreen(this),
        .panel16 = new SampleOverview(this),
        .strips = new StripPages(this),
        .panel14 = new DivisionsScreen(this),
        .panel8 = new InputScreen(this),
        .panel3 = new TextScreen(this),
        .panel5 = new BookScreen(this),
        .panel7 = new InfoScreen(this),
        .panel13 = new CourseScreen(this),
    };
    for (QWidget* screen : std::initializer_list<QWidget*>{s.panel1, s.panel16, s.panel14, s.panel8,
                                                           s.panel3, s.panel5, s.panel7, s.panel13})
        screen->hide();
    s.strips->setVisible(false);

    // The window's children in stacking order, lowest first (the furniture stays below them
    // all): a later one covers an earlier one where they overlap.
    QList<QWidget*> order = {button22_, s.panel1, s.panel16, button17_, button16_,
                             button15_, button7_, button24_, button25_, button1_,
                             button2_,  button3_, button5_,  button13_};
    for (int i = 0; i < 4; ++i)
        order.append(s.strips->strip(i));
    order += QList<QWidget*>{button14_, s.panel14, s.panel8, s.panel3,
                             panel2_,   s.panel5,  s.panel7, s.panel13};
    for (QWidget* child : order)
        child->raise();

    furniture_->addLabels(button22_);

    // The fields of the birth opened last, as it left them (nothing when none was ever opened).
    const QStringList last = QSettings().value(QStringLiteral("Geburten/zuletzt")).toStringList();
    // Seven numbers (a tropical position), or eight, the last saying whether it is tropical.
    if (last.size() == 7 || last.size() == 8) {
        int f[8] = {0, 0, 0, 0, 0, 0, 0, 1};
        bool ok = true;
        for (qsizetype i = 0; i < last.size() && ok; ++i)
            f[i] = last[i].toInt(&ok);
        if (ok && f[3] >= 1 && f[3] <= 12) {
            const auto text = [&f](int i) { return std::to_string(f[i]); };
            s.panel8->enter(
                {text(0), text(1), text(2), text(4), text(5), text(6), f[3], f[7] != 0});
        }
    }

    connect(s.panel8->calculateButton(), &QPushButton::clicked, this, &TZeitrad::Button1Click);
    connect(s.panel8->moonButton(), &QPushButton::clicked, this, &TZeitrad::Button23Click);
    connect(s.panel1, &OverviewScreen::periodListRequested, this, &TZeitrad::openPeriodList);
    connect(s.panel1, &OverviewScreen::printRequested, this, &TZeitrad::printOverview);
    connect(s.panel1, &OverviewScreen::saveImageRequested, this, &TZeitrad::saveOverviewImage);
    connect(s.panel1, &OverviewScreen::copyRequested, this, &TZeitrad::copyOverview);
    connect(s.panel13->closeButton(), &QPushButton::clicked, this, &TZeitrad::Button18Click);
    connect(s.panel7->closeButton(), &QPushButton::clicked, this, &TZeitrad::Button21Click);
    connect(s.panel13, &Panel::clicked, this, &TZeitrad::Panel13Click);
    // The web address shown on the info and course screens starts a mail, like its neighbours.
    const LinkTargets& to = linkTargets();
    addLink(s.panel7->siteLink(), to.mail, &TZeitrad::Label259Click);
    addLink(s.panel7->secondSiteLink(), to.secondSite, &TZeitrad::Label421Click);
    addLink(s.panel7->mailLink(), to.mail, &TZeitrad::Label420Click);
    addLink(s.panel5->orderLink(), to.order, &TZeitrad::Label429Click);
    addLink(s.panel5->titlesLink(), to.titles, &TZeitrad::Label433Click);
    addLink(s.panel13->orderLink(), to.mail, &TZeitrad::Label431Click);
    addLink(s.panel13->siteLink(), to.mail, &TZeitrad::Label432Click);
    return s;
}

void TZeitrad::hideScreens() {
    const Screens& s = screens();
    panel2_->hide();
    s.panel8->hide();
    s.panel1->hide();
    s.panel16->hide();
    s.strips->setVisible(false);
    s.panel3->hide();
    s.panel3->innerPanel()->hide();
    s.panel5->hide();
    s.panel5->innerPanel()->hide();
    s.panel7->hide();
    s.panel13->hide();
    s.panel14->hide();
}

void TZeitrad::Button4Click() {
    screens().panel16->hide();
    panel2_->hide();
    button22_->show();
    for (QPushButton* button : {button14_, button13_, button15_, button16_, button17_, button3_,
                                button5_, button2_, button1_, button7_, button24_, button25_})
        button->show();
}

void TZeitrad::Button13Click() {
    hideScreens();
    screens().panel8->show();
    furniture_->legendStrip()->show();
}

void TZeitrad::Button3Click() {
    hideScreens();
    screens().panel3->show();
}

void TZeitrad::Button5Click() {
    const Screens& s = screens();
    hideScreens();
    s.panel13->show();
    s.panel13->closeButton()->setFocus();
}

void TZeitrad::Button7Click() {
    const Screens& s = screens();
    // The input screen stays as it was, so that closing the info screen returns to it.
    const bool inputVisible = s.panel8->isVisible();
    hideScreens();
    s.panel8->setVisible(inputVisible);
    s.panel7->show();
    s.panel7->closeButton()->setFocus();
}

void TZeitrad::Button14Click() {
    hideScreens();
    screens().panel14->show();
    furniture_->legendStrip()->hide();
}

void TZeitrad::Button22Click() {
    screens().panel5->show();
}

void TZeitrad::Button18Click() {
    screens().panel13->hide();
}

void TZeitrad::Panel13Click() {
    screens().panel13->hide();
}

void TZeitrad::Button21Click() {
    screens().panel7->hide();
}

void TZeitrad::Button1Click() {
    const Screens& s = screens();
    // Only the calculation of a birth opened from the register has its name.
    const QString birthName = std::exchange(nextBirthName_, {});
    auto events = std::exchange(nextEvents_, {});
    const zeitrad::Outcome outcome = engine_.calculate(s.panel8->input());
    if (const auto* refusal = std::get_if<zeitrad::Refusal>(&outcome)) {
        // A refused input changes nothing: the input screen stays with what the user typed.
        MessageBox::refuse(this, QString::fromStdString(refusal->message));
        return;
    }
    const auto& result = std::get<zeitrad::Result>(outcome);

    // The sample overview picture keeps its visibility; every other screen gives way.
    const bool sampleVisible = s.panel16->isVisible();
    hideScreens();
    s.panel16->setVisible(sampleVisible);
    s.panel1->show();
    for (Label* label : furniture_->legendLabels())
        label->show();

    furniture_->nakshatraLabel()->setText(QString::fromStdString(result.nakshatraName));
    s.panel1->fill(result);
    if (result.onNakshatraStart)
        s.panel16->showFor(result);

    lastResult_ = result;
    lastBirthName_ = birthName;
    lastEvents_ = events;
    // The Moon's origin while the fields still hold what it gave; else what the fields tell.
    const zeitrad::BirthInput input = s.panel8->input();
    lastOrigin_ = std::make_unique<MoonOrigin>();
    lastOrigin_->origin = moonOrigin_ && moonOrigin_->origin && moonOrigin_->origin->fields == input
                              ? moonOrigin_->origin
                              : zeitrad::birth::originOfTyped(input);
    button24_->setEnabled(true);
    button24_->setToolTip({});
    if (periodWindow_ && periodWindow_->isVisible()) {
        periodWindow_->setEvents(events);
        periodWindow_->showResult(result, birthName, lastOrigin_->origin);
    }
}

void TZeitrad::Button24Click() {
    if (!lastResult_)
        return;
    const std::optional<zeitrad::astronomy::MoonOrigin> origin =
        lastOrigin_ ? lastOrigin_->origin : std::nullopt;
    if (!periodWindow_) {
        periodWindow_ = new PeriodWindow(this);
        periodWindow_->setEvents(lastEvents_);
        periodWindow_->showResult(*lastResult_, lastBirthName_, origin);
    } else if (!periodWindow_->isVisible()) {
        periodWindow_->setEvents(lastEvents_);
        periodWindow_->showResult(*lastResult_, lastBirthName_, origin);
    }
    periodWindow_->show();
    periodWindow_->raise();
    periodWindow_->activateWindow();
}

struct TZeitrad::Births {
    zeitrad::birth::Register* reg = nullptr;
    zeitrad::registerwindow::RegisterWindow* window = nullptr;
    // The birth opened last: the Moon calculator shows it and saves changes to it.
    std::optional<zeitrad::birth::Birth> opened;

    // The register, its plugin loaded and its file opened on first use; the register window
    // and the Moon calculator both work on it. Refused with the German reason.
    zeitrad::Refused<zeitrad::birth::Register*> openRegister();

    // A birth from the register: its Moon into the input screen's fields, then the calculation,
    // as "Übernehmen" in the Moon calculator and the calculate button do. Remembered, so that
    // its fields are filled again at the next start.
    static void open(TZeitrad& w, const zeitrad::birth::Birth& birth);
};

void TZeitrad::Button25Click() {
    using namespace zeitrad::birth;
    if (!births_)
        births_ = std::make_unique<Births>();
    if (!births_->window) {
        const zeitrad::Refused<Register*> reg = births_->openRegister();
        if (const auto* r = std::get_if<zeitrad::Refusal>(&reg))
            return MessageBox::warn(this, *r);
        births_->window =
            new zeitrad::registerwindow::RegisterWindow(std::get<Register*>(reg), this);
        connect(births_->window, &zeitrad::registerwindow::RegisterWindow::openRequested, this,
                [this](const Birth& birth) { Births::open(*this, birth); });
        // The period list of the birth whose events changed follows them.
        connect(births_->window, &zeitrad::registerwindow::RegisterWindow::eventsChanged, this,
                [this](qint64 id) {
                    if (lastBirthName_.isEmpty() || !births_->opened || births_->opened->id != id)
                        return;
                    const auto events = births_->reg->events(id);
                    const auto* kept = std::get_if<QList<Event>>(&events);
                    lastEvents_ =
                        kept && !kept->isEmpty()
                            ? std::make_shared<const zeitrad::periodlist::BirthEvents>(
                                  zeitrad::periodlist::BirthEvents{*births_->opened, *kept})
                            : nullptr;
                    if (periodWindow_ && periodWindow_->isVisible() && lastResult_) {
                        periodWindow_->setEvents(lastEvents_);
                        periodWindow_->showResult(*lastResult_, lastBirthName_,
                                                  lastOrigin_ ? lastOrigin_->origin : std::nullopt);
                    }
                });
    } else {
        births_->window->reload();
    }
    births_->window->show();
    births_->window->raise();
    births_->window->activateWindow();
}

zeitrad::Refused<zeitrad::birth::Register*> TZeitrad::Births::openRegister() {
    using namespace zeitrad::birth;
    if (reg)
        return reg;
    const zeitrad::Refused<Register*> loaded =
        zeitrad::pluginloader::plugin<Register>(QStringLiteral("register"));
    if (std::holds_alternative<zeitrad::Refusal>(loaded))
        return loaded;
    const zeitrad::Refused<Done> opened = std::get<Register*>(loaded)->open(defaultRegisterPath());
    if (const auto* r = std::get_if<zeitrad::Refusal>(&opened))
        return *r;
    return reg = std::get<Register*>(loaded);
}

void TZeitrad::Births::open(TZeitrad& w, const zeitrad::birth::Birth& birth) {
    auto refuse = [&w](const QString& why) { MessageBox::warn(&w, why); };
    const auto moon = zeitrad::birth::moonOf(birth);
    if (const auto* r = std::get_if<zeitrad::Refusal>(&moon))
        return refuse(QString::fromStdString(r->message));
    const zeitrad::birth::BirthMoon& found = std::get<zeitrad::birth::BirthMoon>(moon);
    const zeitrad::BirthInput& fields = found.reading.fields;
    w.screens().panel8->enter(fields);
    w.moonOrigin_ = std::make_unique<MoonOrigin>();
    w.moonOrigin_->origin = zeitrad::birth::originOf(found);
    // The fields as "Öffnen" filled them; the eighth says whether the position is tropical.
    QStringList remembered = {QString::number(birth.date.day()),
                              QString::number(birth.date.month()),
                              QString::number(birth.date.year()), QString::number(fields.sign)};
    for (const std::string& n : {fields.degrees, fields.minutes, fields.seconds})
        remembered << QString::fromStdString(n);
    remembered << QString::number(fields.tropical ? 1 : 0);
    QSettings settings;
    settings.setValue(QStringLiteral("Geburten/zuletzt"), remembered);
    const auto saved = zeitrad::formats::syncPrivately(settings);
    if (const auto* r = std::get_if<zeitrad::Refusal>(&saved))
        refuse(QString::fromStdString(r->message)); // reported; the birth opens all the same
    w.nextBirthName_ = birth.name();
    // Its events for the period list; a register that cannot tell them leaves the list without.
    w.nextEvents_.reset();
    if (w.births_->reg) {
        const auto events = w.births_->reg->events(birth.id);
        if (const auto* kept = std::get_if<QList<zeitrad::birth::Event>>(&events);
            kept && !kept->isEmpty())
            w.nextEvents_ = std::make_shared<const zeitrad::periodlist::BirthEvents>(
                zeitrad::periodlist::BirthEvents{birth, *kept});
    }
    w.births_->opened = birth;
    if (w.moonDialog_)
        w.moonDialog_->setOpenedBirth(birth);
    w.Button1Click();
}

void TZeitrad::openPeriodList(int cell) {
    Button24Click();
    if (periodWindow_)
        periodWindow_->showCell(cell);
}

void TZeitrad::printOverview() {
    const QImage picture = screens().panel1->grab().toImage();
    printWithDialog(this, [&picture](QPagedPaintDevice& printer) { printImage(printer, picture); });
}

void TZeitrad::saveOverviewImage() {
    const QImage picture = screens().panel1->grab().toImage();
    exportToFile(this, QStringLiteral("Übersicht als Bild speichern"),
                 QStringLiteral("Übersicht.png"), QStringLiteral("PNG-Bilder (*.png)"),
                 [&picture](const QString& path) { return savePng(path, picture); });
}

void TZeitrad::copyOverview() {
    QGuiApplication::clipboard()->setImage(screens().panel1->grab().toImage());
}

void TZeitrad::Button2Click() {
    const Screens& s = screens();
    s.panel5->hide();
    s.panel1->markMahadasas();
}

void TZeitrad::showStripPage(int page) {
    const Screens& s = screens();
    hideScreens();
    furniture_->legendStrip()->hide();
    s.strips->setVisible(true);
    s.strips->setPage(page);
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

void TZeitrad::Button23Click() {
    InputScreen* input = screens().panel8;
    if (!moonDialog_) {
        moonDialog_ = new MoonDialog(this, [this] {
            if (!births_)
                births_ = std::make_unique<Births>();
            return births_->openRegister();
        });
        connect(moonDialog_, &MoonDialog::applied, input, &InputScreen::enter);
        connect(moonDialog_, &MoonDialog::appliedMoon, this,
                [this](const zeitrad::birth::BirthMoon& moon) {
                    moonOrigin_ = std::make_unique<MoonOrigin>();
                    moonOrigin_->origin = zeitrad::birth::originOf(moon);
                });
        connect(moonDialog_, &MoonDialog::saved, this, [this] {
            if (births_ && births_->window)
                births_->window->reload();
        });
        if (births_ && births_->opened)
            moonDialog_->setOpenedBirth(*births_->opened);
    }
    // The dialog starts from the birth date typed so far, when it is a date.
    const zeitrad::BirthInput typed = input->input();
    const auto day = zeitrad::toInteger(typed.day);
    const auto month = zeitrad::toInteger(typed.month);
    const auto year = zeitrad::toInteger(typed.year);
    std::optional<QDate> date;
    if (day && month && year)
        date = QDate(*year, *month, *day);
    moonDialog_->presetDate(date);
    moonDialog_->open();
}

void TZeitrad::addLink(Label* label, const QString& target, void (TZeitrad::*handler)()) {
    links_.insert(label, target);
    connect(label, &Label::clicked, this, handler);
}

void TZeitrad::openLink(const Label* label) {
    openTarget(links_.value(label));
}

void TZeitrad::Label251Click() {
    openLink(panel2_->siteLink());
}
void TZeitrad::Label252Click() {
    openLink(panel2_->nameLink());
}
void TZeitrad::Label415Click() {
    openLink(panel2_->mailLink());
}
void TZeitrad::Label259Click() {
    openLink(screens().panel7->siteLink());
}
void TZeitrad::Label421Click() {
    openLink(screens().panel7->secondSiteLink());
}
void TZeitrad::Label420Click() {
    openLink(screens().panel7->mailLink());
}
void TZeitrad::Label429Click() {
    openLink(screens().panel5->orderLink());
}
void TZeitrad::Label433Click() {
    openLink(screens().panel5->titlesLink());
}
void TZeitrad::Label431Click() {
    openLink(screens().panel13->orderLink());
}
void TZeitrad::Label432Click() {
    openLink(screens().panel13->siteLink());
}

QPushButton* TZeitrad::coveringCloseButton() const {
    if (!screens_)
        return nullptr;
    if (screens_->panel13->isVisible())
        return screens_->panel13->closeButton();
    if (screens_->panel7->isVisible())
        return screens_->panel7->closeButton();
    return nullptr;
}

void TZeitrad::keyPressEvent(QKeyEvent* event) {
    // Escape closes the info or course screen while it covers the window, as its "X" does.
    if (event->key() == Qt::Key_Escape) {
        if (QPushButton* close = coveringCloseButton()) {
            close->click();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

bool TZeitrad::focusNextPrevChild(bool next) {
    // While the info or course screen covers the window, the keyboard stays on its "X".
    if (QPushButton* close = coveringCloseButton()) {
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
