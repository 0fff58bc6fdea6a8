// The register of births in one SQLite file, through Qt SQL. One connection per instance; two
// instances (or two programs) on the same file both see every change: WAL, a busy timeout and
// each change one immediate transaction.
#pragma once

#include <QString>

#include "birth/register.h"

namespace zeitrad::sqlregister {

class SqlRegister : public birth::Register {
public:
    SqlRegister();
    ~SqlRegister() override;
    SqlRegister(const SqlRegister&) = delete;
    SqlRegister& operator=(const SqlRegister&) = delete;

    // The schema this program writes (PRAGMA user_version) and the mark of its files
    // (PRAGMA application_id).
    static constexpr int schemaVersion = 3;
    static constexpr quint32 applicationId = 0x5A524742; // "ZRGB"

    Refused<birth::Done> open(const QString& path) override;
    QString path() const override { return path_; }
    bool readOnly() const override { return readOnly_; }
    QString readOnlyReason() const override { return readOnlyReason_; }

    Refused<QList<birth::Birth>> list() override;
    Refused<qint64> add(const birth::Birth& birth) override;
    Refused<birth::Done> update(const birth::Birth& birth) override;
    Refused<birth::Done> remove(const QList<qint64>& ids) override;
    Refused<birth::ImportReport> import(const QList<birth::Birth>& births, const QList<int>& lines,
                                        const birth::Progress& progress = {}) override;
    Refused<QList<birth::Event>> events(qint64 birthId) override;
    Refused<qint64> addEvent(const birth::Event& event) override;
    Refused<birth::Done> updateEvent(const birth::Event& event) override;
    Refused<birth::Done> removeEvents(const QList<qint64>& ids) override;

    // Closes the file (open() does it first, the destructor too).
    void close();

private:
    std::optional<Refusal> writable() const;
    // One change: refused on a register that cannot be written; else `work(db)` inside one
    // transaction, committed when it gives a value.
    template <typename T, typename Work> Refused<T> change(Work work);

    QString connection_;
    QString path_;
    bool open_ = false;
    bool readOnly_ = false;
    QString readOnlyReason_;
};

} // namespace zeitrad::sqlregister
