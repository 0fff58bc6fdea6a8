#include "mooncalculator/placefield.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QLabel>
#include <QStringListModel>

#include "pluginloader/pluginloader.h"

namespace zeitrad::mooncalculator {

using birth::Place;

namespace {

constexpr int listed = 10;    // towns in the list at most
constexpr int typedLeast = 2; // characters typed before the list opens

bool isReturn(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

PlaceField::PlaceField(QWidget* parent, birth::Atlas* atlas) : QLineEdit(parent), atlas_(atlas) {
    setObjectName(QStringLiteral("MoonPlace"));
    setPlaceholderText(QStringLiteral("Ort, z. B. München"));
    queries_.setMaxThreadCount(1);
    model_ = new QStringListModel(this);
    completer_ = new QCompleter(model_, this);
    completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer_->setMaxVisibleItems(listed);
    completer_->setWidget(this);
    // After the completer's own filter, so that this one sees the keys first.
    completer_->popup()->installEventFilter(this);
    connect(completer_, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            [this](const QModelIndex& index) {
                if (index.row() >= 0 && index.row() < matches_.size())
                    take(matches_[index.row()]);
            });
    connect(this, &QLineEdit::textEdited, this, &PlaceField::ask);
}

PlaceField::~PlaceField() {
    queries_.waitForDone();
}

birth::Atlas* PlaceField::atlas() {
    if (!atlas_ && atlasProblem_.isEmpty()) {
        const Refused<birth::Atlas*> loaded =
            pluginloader::plugin<birth::Atlas>(QStringLiteral("atlas"));
        if (const auto* refusal = std::get_if<Refusal>(&loaded))
            atlasProblem_ = QString::fromStdString(refusal->message);
        else
            atlas_ = std::get<birth::Atlas*>(loaded);
    }
    return atlas_;
}

void PlaceField::ask(const QString& typed) {
    const int generation = ++generation_;
    if (typed.trimmed().size() < typedLeast || !atlas()) {
        fill(generation, {});
        return;
    }
    birth::Atlas* atlas = atlas_;
    queries_.start([this, atlas, typed, generation] {
        const QList<Place> found = atlas->find(typed, listed);
        // Posted to the field; ~PlaceField waits for this thread, and the posted call is dropped
        // with the field.
        QMetaObject::invokeMethod(
            this, [this, generation, found] { fill(generation, found); }, Qt::QueuedConnection);
    });
}

void PlaceField::fill(int generation, const QList<Place>& found) {
    if (generation != generation_)
        return; // typed on since
    matches_ = found;
    QStringList labels;
    for (const Place& place : found)
        labels << place.label();
    model_->setStringList(labels);
    if (labels.isEmpty() || !hasFocus())
        completer_->popup()->hide();
    else
        completer_->complete();
    emit matchesShown();
}

void PlaceField::take(const Place& place) {
    ++generation_; // a query still running is no longer wanted
    completer_->popup()->hide();
    taken_ = place;
    setText(place.label());
    emit placeTaken(place);
}

void PlaceField::takeFirst() {
    const QString typed = text();
    if (taken_ && typed == taken_->label())
        return;
    if (typed.trimmed().isEmpty())
        return;
    // The list may not have come back yet: asked here and now (microseconds, once the atlas is
    // built).
    const QList<Place> found = atlas() ? atlas_->find(typed, 1) : QList<Place>();
    if (found.isEmpty()) {
        emit refused(unknownPlaceMessage());
        return;
    }
    take(found.first());
}

std::optional<Place> PlaceField::place() const {
    if (taken_ && text() == taken_->label())
        return taken_;
    return std::nullopt;
}

void PlaceField::setPlace(const Place& place) {
    taken_ = place;
    setText(place.label());
}

std::optional<Place> PlaceField::takeTyped() {
    if (auto known = place())
        return known;
    const QString typed = text().trimmed();
    if (typed.isEmpty() || !atlas())
        return std::nullopt;
    // "Ort" or "Ort, Land" / "Ort, Land, Staat": the name and the last qualifier.
    const QStringList parts = typed.split(QLatin1Char(','), Qt::SkipEmptyParts);
    std::optional<Place> found = atlas_->exact(
        parts.first().trimmed(), parts.size() > 1 ? parts.last().trimmed() : QString());
    if (found)
        take(*found);
    return found;
}

std::optional<Refusal> PlaceField::unknownPlace() {
    if (text().trimmed().isEmpty() || takeTyped())
        return std::nullopt;
    return Refusal{unknownPlaceMessage().toStdString()};
}

QString PlaceField::unknownPlaceMessage() const {
    QString message = QStringLiteral("Den Ort „%1“ kennt der Ortsatlas nicht. Wählen Sie den "
                                     "nächstgelegenen größeren Ort oder geben Sie Zeitzone und "
                                     "geographische Länge selbst an.")
                          .arg(text().trimmed());
    if (!atlasProblem_.isEmpty())
        message += QLatin1Char(' ') + atlasProblem_;
    return message;
}

void PlaceField::keyPressEvent(QKeyEvent* event) {
    if (isReturn(event)) {
        takeFirst();
        event->accept(); // the dialog's default button stays where it is
        return;
    }
    QLineEdit::keyPressEvent(event);
}

bool PlaceField::eventFilter(QObject* watched, QEvent* event) {
    if (watched == completer_->popup() && event->type() == QEvent::KeyPress &&
        isReturn(static_cast<QKeyEvent*>(event))) {
        const QModelIndex current = completer_->popup()->currentIndex();
        if (current.isValid() && current.row() < matches_.size())
            take(matches_[current.row()]);
        else
            takeFirst();
        return true;
    }
    return QLineEdit::eventFilter(watched, event);
}

QLabel* coordinatesLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("MoonCoordinates"));
    return label;
}

} // namespace zeitrad::mooncalculator
