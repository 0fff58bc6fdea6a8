// The register of births: kept in one file, found again by name and place, changed one birth at
// a time, filled from AAF files. The window and zeitrad-dasa see only this interface; the SQLite
// side lives in sqlregister/ (zeitrad_sqlregister, a static library for zeitrad-dasa, and the
// plugin "register" that the window loads on first use, so that nothing of Qt SQL loads at start).
#pragma once

#include <QList>
#include <QString>
#include <QtPlugin>

#include <functional>
#include <variant>

#include "birth/birth.h"
#include "birth/event.h"
#include "engine/refusal.h"

namespace zeitrad::birth {

using Done = std::monostate;

// How far a long piece of work has come: `done` of `total` steps. Returning false cancels it.
using Progress = std::function<bool(qsizetype done, qsizetype total)>;

// What an import did: how many births went in, and which were there already (by line).
struct ImportReport {
    int added = 0;
    QList<int> duplicateLines; // the line of each birth left out as already in the register
};

class Register {
public:
    virtual ~Register() = default;

    // Opens (or creates) the register file. A file from a newer Zeitrad opens read-only, with
    // readOnlyReason() saying so; a damaged or foreign file is refused and left as it is.
    virtual Refused<Done> open(const QString& path) = 0;
    virtual QString path() const = 0;
    virtual bool readOnly() const = 0;
    virtual QString readOnlyReason() const = 0;

    // Every birth, by name.
    virtual Refused<QList<Birth>> list() = 0;

    // Each change is one transaction. add() gives the birth's new number; it refuses a birth
    // already in the register (same name, date, time and place). remove() takes all the births
    // given or, when one cannot go, none; a number no longer in the register is passed over.
    virtual Refused<qint64> add(const Birth& birth) = 0;
    virtual Refused<Done> update(const Birth& birth) = 0;
    virtual Refused<Done> remove(const QList<qint64>& ids) = 0;
    // All the births in one transaction; those already in the register (same name, date, time
    // and place) are left out and reported with lines[i] (the line each came from). `progress`
    // hears of the births done now and then; cancelled by it, the import is refused and keeps
    // nothing.
    virtual Refused<ImportReport> import(const QList<Birth>& births, const QList<int>& lines,
                                         const Progress& progress = {}) = 0;

    // The events of one birth, by day. Each change is one transaction: addEvent() gives the new
    // event's number and refuses one for a birth no longer in the register; updateEvent()
    // changes day, time, text and weight; removeEvent() takes the events given. A birth's events
    // go with it when remove() takes the birth.
    virtual Refused<QList<Event>> events(qint64 birthId) = 0;
    virtual Refused<qint64> addEvent(const Event& event) = 0;
    virtual Refused<Done> updateEvent(const Event& event) = 0;
    virtual Refused<Done> removeEvents(const QList<qint64>& ids) = 0;
};

// ZEITRAD_REGISTER, or geburten.sqlite in zeitrad/ under $XDG_DATA_HOME (~/.local/share).
QString defaultRegisterPath();

} // namespace zeitrad::birth

#define ZeitradRegister_iid "org.zeitrad.Register/4"
Q_DECLARE_INTERFACE(zeitrad::birth::Register, ZeitradRegister_iid)
