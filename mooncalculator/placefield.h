// The birth place field ("Geburtsort", objectName MoonPlace): from two typed characters on, a list
// of the atlas's towns ("München, Bayern, Deutschland", most populous first, at most ten). Return
// takes the first (or the one picked with the arrow keys), a click the one clicked; either way
// the field shows the place's label and says placeTaken(). The atlas is the plugin "atlas",
// loaded when the user first types; its queries run in a thread of the field's own, so that the
// list never holds up typing.
#pragma once

#include <QLineEdit>
#include <QList>
#include <QThreadPool>

#include <optional>

#include "birth/atlas.h"
#include "engine/refusal.h"

class QCompleter;
class QLabel;
class QStringListModel;

namespace zeitrad::mooncalculator {

class PlaceField : public QLineEdit {
    Q_OBJECT
public:
    // The atlas is loaded on first use unless one is given (tests).
    explicit PlaceField(QWidget* parent = nullptr, birth::Atlas* atlas = nullptr);
    ~PlaceField() override;

    // The place taken, while the field still shows its label.
    std::optional<birth::Place> place() const;
    // Shows a place taken earlier (remembered from the last opening); says nothing.
    void setPlace(const birth::Place& place);

    // What "Übernehmen" asks first: the place the text names. The place taken, or else the town
    // the text names exactly ("Ravensburg", "Frankfurt am Main, Deutschland"), which is then
    // taken; no value when the text names no known place (or is empty).
    std::optional<birth::Place> takeTyped();
    // Refused when the text is not empty and names no place of the atlas (a town it names exactly
    // is taken).
    std::optional<Refusal> unknownPlace();

    // The towns now in the list, first to last.
    QList<birth::Place> matches() const { return matches_; }

signals:
    void placeTaken(const zeitrad::birth::Place& place);
    // Return on a text that names no known place: the German message; nothing changed.
    void refused(const QString& message);
    // The list was filled for the text as typed (tests wait for it).
    void matchesShown();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The German message for a text that names no known place.
    QString unknownPlaceMessage() const;
    birth::Atlas* atlas();
    void ask(const QString& typed);
    void fill(int generation, const QList<birth::Place>& found);
    void take(const birth::Place& place);
    void takeFirst();

    birth::Atlas* atlas_ = nullptr;
    QString atlasProblem_;
    QCompleter* completer_ = nullptr;
    QStringListModel* model_ = nullptr;
    QList<birth::Place> matches_;
    std::optional<birth::Place> taken_;
    int generation_ = 0; // of the last text asked about
    QThreadPool queries_;
};

// The label under the place (objectName MoonCoordinates): "48° 08′ N, 11° 35′ O", empty before a
// place is taken.
QLabel* coordinatesLabel(QWidget* parent);

} // namespace zeitrad::mooncalculator
