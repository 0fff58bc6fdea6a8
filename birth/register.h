// The register of births: kept in one file, found again by name and place, changed one birth at
// a time, filled from AAF files. The window and zeitrad-dasa see only this interface; the SQLite
// side lives in sqlregister/ (zeitrad_sqlregister, a static library for zeitrad-dasa, and the
// plugin "register" that the window loads on first use, so that nothing of Qt SQL loads at start).
#pragma once

#include <QList>
#include <QString>
#include <QtPlugin>

#include <variant>

#include "birth/birth.h"
#include "engine/refusal.h"

namespace zeitrad::birth {

using Done = std::monostate;

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
    // and place) are left out and reported with lines[i] (the line each came from).
    virtual Refused<ImportReport> import(const QList<Birth>& births, const QList<int>& lines) = 0;
};

// ZEITRAD_REGISTER, or geburten.sqlite in zeitrad/ under $XDG_DATA_HOME (~/.local/share).
QString defaultRegisterPath();

} // namespace zeitrad::birth

#define ZeitradRegister_iid "org.zeitrad.Register/3"
Q_DECLARE_INTERFACE(zeitrad::birth::Register, ZeitradRegister_iid)
