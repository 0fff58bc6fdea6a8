// The main window: a fixed 826 x 705 window whose screens are panels laid over each other.
// The handlers carry the names of their controls; each one writes a fixed list of visibility
// flags and reads none.
#pragma once

#include <QPushButton>
#include <QWidget>

#include <memory>

#include "engine/calculation.h"

namespace zeitrad::ui {
class Furniture;
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
class Panel;
} // namespace zeitrad::ui

class TZeitrad : public QWidget {
    Q_OBJECT
public:
    static constexpr int clientWidth = 826;
    static constexpr int clientHeight = 705;

    explicit TZeitrad(QWidget* parent = nullptr);
    ~TZeitrad() override;

    // The pictures that the window shows as it opens (its icon and the start screen's), as
    // resources, for decoding ahead.
    static QStringList openingPictures();

    const zeitrad::Engine& engine() const { return engine_; }

    // Builds the screens that are hidden at start, if that has not happened yet. The window does
    // it by itself right after its first paint, and every handler makes sure of it first.
    void ensureScreens();

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

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void bind(const char* name, void (TZeitrad::*handler)());
    void bindLink(const char* name, void (TZeitrad::*handler)());
    // Hides every screen panel, the inner panels and the strips.
    void hideScreens();
    void showStripPage(int page);
    void openLink(const char* label);
    // The info or course screen while it covers the whole window, else null.
    zeitrad::ui::Panel* coveringScreen() const;

    zeitrad::Engine engine_;
    bool screensBuilt_ = false;
    bool buildQueued_ = false;
    std::unique_ptr<zeitrad::ui::Furniture> furniture_;
    QPushButton* button22_ = nullptr;
    zeitrad::ui::OverviewScreen* panel1_ = nullptr;
    zeitrad::ui::SampleOverview* panel16_ = nullptr;
    QList<QPushButton*> toolbar_;
    zeitrad::ui::StripPages* strips_ = nullptr;
    zeitrad::ui::DivisionsScreen* panel14_ = nullptr;
    zeitrad::ui::InputScreen* panel8_ = nullptr;
    zeitrad::ui::TextScreen* panel3_ = nullptr;
    zeitrad::ui::StartScreen* panel2_ = nullptr;
    zeitrad::ui::BookScreen* panel5_ = nullptr;
    zeitrad::ui::InfoScreen* panel7_ = nullptr;
    zeitrad::ui::CourseScreen* panel13_ = nullptr;
};
