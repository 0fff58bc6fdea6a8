// The main window: a fixed 826 x 705 window whose screens are panels laid over each other.
// The handlers carry the names of their controls; each one writes a fixed list of visibility
// flags and reads none.
#pragma once

#include <QPushButton>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <optional>

#include "app/links.h"
#include "engine/calculation.h"

namespace zeitrad::app {
class Furniture;
}
namespace zeitrad::screens {
class StartScreen;
class OverviewScreen;
class SampleOverview;
class InputScreen;
class StripPages;
class TextScreen;
class BookScreen;
class InfoScreen;
class CourseScreen;
class DivisionsScreen;
} // namespace zeitrad::screens
namespace zeitrad::widgets {
class Label;
}
namespace zeitrad::mooncalculator {
class MoonDialog;
}
namespace zeitrad::periodlist {
class PeriodWindow;
struct BirthEvents;
} // namespace zeitrad::periodlist

class TZeitrad : public QWidget {
    Q_OBJECT
public:
    static constexpr int clientWidth = 826;
    static constexpr int clientHeight = 705;

    explicit TZeitrad(QWidget* parent = nullptr);
    ~TZeitrad() override;

    const zeitrad::Engine& engine() const { return engine_; }

    // Builds the screens that are hidden at start now, if that has not happened yet. The window
    // does it by itself right after its first paint, when it also takes its icon, and every
    // handler reaches the screens through the accessor that builds them.
    void ensureScreens();

    // The link labels built so far, each with the target it opens.
    const zeitrad::app::Links& links() const { return links_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // The handlers, with the names of their controls; the window connects them itself.
    void FormCreate();
    void Button4Click();  // "OK" on the start screen
    void Button13Click(); // "Berechnungsangaben"
    void Button3Click();  // "Text anzeigen"
    void Button5Click();  // "Deutung"
    void Button7Click();  // "Info"
    void Button14Click(); // "Amsa"
    void Button22Click(); // "Urtexte nach Maharishi Orvana"
    void Button18Click(); // "X" on the course screen
    void Panel13Click();  // the course screen's own background
    void Button21Click(); // "X" on the info screen
    void Button1Click();  // the calculation: "Antardasacolor" and the calculate button
    void Button2Click();  // "Mahadasamarkierung"
    void Button15Click(); // "1/3"
    void Button16Click(); // "2/3"
    void Button17Click(); // "3/3"
    void Button23Click(); // "Mond aus Geburtszeit …" on the input screen
    void Button24Click(); // "Liste": the period list of the last calculation
    void Button25Click(); // "Geburten": the register of births

    // The period list, open at the period of an overview cell (0: where it opens by itself).
    void openPeriodList(int cell);
    // The overview's own exports: to the printer, to a PNG file, to the clipboard.
    void printOverview();
    void saveOverviewImage();
    void copyOverview();

    // The link labels: each hands its target to the desktop.
    void Label251Click();
    void Label252Click();
    void Label415Click();
    void Label259Click();
    void Label421Click();
    void Label420Click();
    void Label429Click();
    void Label433Click();
    void Label431Click();
    void Label432Click();

    // The screens that are hidden at start.
    struct Screens {
        zeitrad::screens::OverviewScreen* panel1;
        zeitrad::screens::SampleOverview* panel16;
        zeitrad::screens::StripPages* strips;
        zeitrad::screens::DivisionsScreen* panel14;
        zeitrad::screens::InputScreen* panel8;
        zeitrad::screens::TextScreen* panel3;
        zeitrad::screens::BookScreen* panel5;
        zeitrad::screens::InfoScreen* panel7;
        zeitrad::screens::CourseScreen* panel13;
    };
    // The hidden screens, built on first use.
    const Screens& screens();
    Screens buildScreens();
    // Queued by the first paint: the window's icon and the screens hidden at start.
    void finishStart();

    // Hides every screen panel, the inner panels and the strips.
    void hideScreens();
    void showStripPage(int page);
    // Makes `label` a link to `target` that runs `handler` when clicked.
    void addLink(zeitrad::widgets::Label* label, const QString& target,
                 void (TZeitrad::*handler)());
    void openLink(const zeitrad::widgets::Label* label);
    // The "X" of the info or course screen while that screen covers the whole window, else null.
    QPushButton* coveringCloseButton() const;

    zeitrad::Engine engine_;
    bool startFinishing_ = false;
    std::unique_ptr<zeitrad::app::Furniture> furniture_;
    zeitrad::screens::StartScreen* panel2_ = nullptr;
    QPushButton* button22_ = nullptr;
    // The toolbar, shown by "OK".
    QPushButton* button1_ = nullptr;
    QPushButton* button2_ = nullptr;
    QPushButton* button3_ = nullptr;
    QPushButton* button5_ = nullptr;
    QPushButton* button7_ = nullptr;
    QPushButton* button13_ = nullptr;
    QPushButton* button14_ = nullptr;
    QPushButton* button15_ = nullptr;
    QPushButton* button16_ = nullptr;
    QPushButton* button17_ = nullptr;
    QPushButton* button24_ = nullptr;
    QPushButton* button25_ = nullptr;
    std::unique_ptr<Screens> screens_;
    zeitrad::app::Links links_;
    // The Moon calculator, made when first asked for.
    zeitrad::mooncalculator::MoonDialog* moonDialog_ = nullptr;
    // The last successful calculation, and the period list, made when first opened.
    std::optional<zeitrad::Result> lastResult_;
    // The name of the birth calculated last when it was opened from the register, empty for one
    // typed in; and the name that the next calculation takes (set only while a birth is opened).
    QString lastBirthName_, nextBirthName_;
    // Its events from the register, for the period list; the same for the next calculation.
    std::shared_ptr<const zeitrad::periodlist::BirthEvents> lastEvents_, nextEvents_;
    zeitrad::periodlist::PeriodWindow* periodWindow_ = nullptr;
    // The register of births (a plugin, loaded when first opened), its window, and the opening
    // of a birth from it (app/zeitrad.cpp). Kept out of this header, which the tests include
    // beside helpers of their own named "birth".
    struct Births;
    std::unique_ptr<Births> births_;
    // Where the Moon in the input screen came from (the Moon calculator's "Übernehmen" or a birth
    // of the register: its moment and ayanamsa), while the fields still hold it.
    struct MoonOrigin;
    std::unique_ptr<MoonOrigin> moonOrigin_;
    std::unique_ptr<MoonOrigin> lastOrigin_; // that of the last successful calculation
};
