#include "cli/registerjobs.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <memory>

#include "birth/register.h"
#include "formats/aaf.h"
#include "formats/csv.h"
#include "formats/import.h"
#include "formats/json.h"
#include "formats/privatefile.h"
#include "sqlregister/sqlregister.h"

namespace zeitrad::cli {

namespace {

using birth::Birth;
using formats::jsonNumber;
using formats::jsonString;

std::string text(const QString& s) {
    return s.toStdString();
}

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

JobResult refused(const std::string& message) {
    return {1, {}, message + '\n'};
}

// The register, opened; none when it does not exist yet and only reading is asked for (nothing
// is created for that).
Refused<std::unique_ptr<sqlregister::SqlRegister>> openRegister(bool forWriting) {
    const QString path = birth::defaultRegisterPath();
    if (!forWriting && !QFileInfo::exists(path))
        return std::unique_ptr<sqlregister::SqlRegister>();
    auto opened = std::make_unique<sqlregister::SqlRegister>();
    const Refused<birth::Done> done = opened->open(path);
    if (const auto* refusal = std::get_if<Refusal>(&done))
        return *refusal;
    if (forWriting && opened->readOnly())
        return Refusal{text(opened->readOnlyReason())};
    return opened;
}

// Every birth of the register (none when there is no register yet).
Refused<QList<Birth>> registerBirths() {
    auto opened = openRegister(false);
    if (const auto* refusal = std::get_if<Refusal>(&opened))
        return *refusal;
    auto& reg = std::get<std::unique_ptr<sqlregister::SqlRegister>>(opened);
    if (!reg)
        return QList<Birth>();
    return reg->list();
}

// The clocks as the register keeps them; empty when not known.
QString clocksText(const Birth& b) {
    return b.clocks ? b.clocks->text() : QString();
}

// "Müller, Jürgen, 03.07.1985 14:30, München": how a list of births names each.
QString birthLine(const Birth& b) {
    return b.name() + ", " + b.date.toString("dd.MM.yyyy") + " " +
           (b.time ? b.time->toString("HH:mm") : QStringLiteral("Zeit unbekannt")) +
           (b.place.isEmpty() ? QString() : ", " + b.place);
}

std::string jsonOptional(const QString& s) {
    return s.isEmpty() ? std::string("null") : jsonString(text(s));
}

std::string jsonOptional(std::optional<double> v) {
    return v ? jsonNumber(*v) : std::string("null");
}

std::string jsonList(const QList<Birth>& births) {
    std::string out = "[";
    for (qsizetype i = 0; i < births.size(); ++i) {
        const Birth& b = births[i];
        out += i == 0 ? "\n" : ",\n";
        out += "  {\"surname\": " + jsonString(text(b.surname)) +
               ", \"firstName\": " + jsonOptional(b.firstName) +
               ", \"kind\": " + jsonString(birth::kindName(b.kind)) +
               ", \"date\": " + jsonString(text(b.date.toString(Qt::ISODate))) +
               ", \"time\": " + jsonOptional(birth::timeText(b.time)) +
               ", \"place\": " + jsonString(text(b.place)) +
               ", \"country\": " + jsonString(text(b.country)) +
               ", \"latitude\": " + jsonOptional(b.latitude) +
               ", \"longitude\": " + jsonOptional(b.longitude) +
               ", \"zone\": " + jsonString(text(clocksText(b))) + '}';
    }
    out += births.isEmpty() ? "]\n" : "\n]\n";
    return out;
}

QString decimal(std::optional<double> v) {
    return v ? QString::number(*v, 'f', 6).replace(u'.', u',') : QString();
}

std::string csvList(const QList<Birth>& births) {
    std::string out = formats::csvRow({"Nachname", "Vorname", "Art", "Datum", "Uhrzeit", "Ort",
                                       "Land", "Breite", "Länge", "Zone"});
    for (const Birth& b : births)
        out += formats::csvRow({text(b.surname), text(b.firstName), birth::kindName(b.kind),
                                text(b.date.toString(Qt::ISODate)), text(birth::timeText(b.time)),
                                text(b.place), text(b.country), text(decimal(b.latitude)),
                                text(decimal(b.longitude)), text(clocksText(b))});
    return out;
}

// One birth a line, the columns aligned: name, date, time, place and country, clocks.
std::string textList(const QList<Birth>& births) {
    if (births.isEmpty())
        return "Das Geburtenregister ist leer.\n";
    qsizetype nameWidth = 0, placeWidth = 0;
    auto where = [](const Birth& b) {
        return b.country.isEmpty() ? b.place : b.place + " (" + b.country + ")";
    };
    for (const Birth& b : births) {
        nameWidth = std::max(nameWidth, b.name().size());
        placeWidth = std::max(placeWidth, where(b).size());
    }
    QString out;
    for (const Birth& b : births) {
        const QString clocks = b.clocks && b.clocks->isMeanTime() && b.longitude
                                   ? "Ortszeit bei " + birth::Place::longitudeText(*b.longitude)
                                   : clocksText(b);
        out += b.name().leftJustified(nameWidth + 2) + b.date.toString("dd.MM.yyyy") + "  " +
               (b.time ? b.time->toString("HH:mm:ss") : QStringLiteral("--:--:--")) + "  " +
               where(b).leftJustified(placeWidth + 2) + clocks;
        while (out.endsWith(u' '))
            out.chop(1);
        out += '\n';
    }
    return text(out);
}

} // namespace

JobResult importJob(const std::string& file, birth::Atlas* atlas) {
    // The file first: a file that cannot be read leaves the register as it was (or not made).
    const Refused<QByteArray> bytes = formats::readBounded(QString::fromStdString(file));
    if (const auto* refusal = std::get_if<Refusal>(&bytes))
        return refused(refusal->message);
    auto opened = openRegister(true);
    if (const auto* refusal = std::get_if<Refusal>(&opened))
        return refused(refusal->message);
    auto& reg = *std::get<std::unique_ptr<sqlregister::SqlRegister>>(opened);
    const Refused<formats::Imported> imported =
        formats::importBytes(reg, std::get<QByteArray>(bytes), [atlas] { return atlas; });
    if (const auto* refusal = std::get_if<Refusal>(&imported))
        return refused(refusal->message);
    const formats::Imported& done = std::get<formats::Imported>(imported);
    return {done.skipped.isEmpty() ? 0 : 1, {}, text(formats::importReportText(done)) + '\n'};
}

JobResult importJob(const std::vector<std::string>& files, birth::Atlas* atlas) {
    if (files.size() == 1)
        return importJob(files.front(), atlas);
    QStringList paths;
    for (const std::string& file : files)
        paths << QString::fromStdString(file);
    // None of the files can be read: the register stays as it was (or is not made).
    if (std::none_of(paths.begin(), paths.end(), [](const QString& p) {
            return QFileInfo(p).isFile() && QFileInfo(p).isReadable();
        }))
        return refused(text("Keine der Dateien lässt sich lesen; es wurde nichts aufgenommen."));
    auto opened = openRegister(true);
    if (const auto* refusal = std::get_if<Refusal>(&opened))
        return refused(refusal->message);
    auto& reg = *std::get<std::unique_ptr<sqlregister::SqlRegister>>(opened);
    const Refused<QList<formats::FileImported>> imported =
        formats::importFiles(reg, paths, [atlas] { return atlas; });
    if (const auto* refusal = std::get_if<Refusal>(&imported))
        return refused(refusal->message);
    const QList<formats::FileImported>& done = std::get<QList<formats::FileImported>>(imported);
    const bool whole = std::all_of(done.begin(), done.end(), [](const formats::FileImported& f) {
        return f.unread.isEmpty() && f.skipped.isEmpty();
    });
    return {whole ? 0 : 1, {}, text(formats::importReportText(done)) + '\n'};
}

JobResult exportJob(const std::string& file, bool windows1252) {
    // Without a register there is nothing to export, and an empty file must not take the place
    // of one the user already has.
    auto opened = openRegister(false);
    if (const auto* refusal = std::get_if<Refusal>(&opened))
        return refused(refusal->message);
    const auto& reg = std::get<std::unique_ptr<sqlregister::SqlRegister>>(opened);
    if (!reg)
        return refused(text("Es gibt kein Geburtenregister unter „" +
                            shown(birth::defaultRegisterPath()) +
                            "“; es wurde nichts geschrieben."));
    const Refused<QList<Birth>> births = reg->list();
    if (const auto* refusal = std::get_if<Refusal>(&births))
        return refused(refusal->message);
    const Refused<birth::Done> saved = formats::saveAaf(
        QString::fromStdString(file), std::get<QList<Birth>>(births),
        windows1252 ? formats::AafEncoding::Windows1252 : formats::AafEncoding::Utf8);
    if (const auto* refusal = std::get_if<Refusal>(&saved))
        return refused(refusal->message);
    return {};
}

JobResult listJob(Format format) {
    const Refused<QList<Birth>> births = registerBirths();
    if (const auto* refusal = std::get_if<Refusal>(&births))
        return refused(refusal->message);
    const QList<Birth>& all = std::get<QList<Birth>>(births);
    switch (format) {
    case Format::json:
        return {0, jsonList(all), {}};
    case Format::csv:
        return {0, csvList(all), {}};
    case Format::text:
        break;
    }
    return {0, textList(all), {}};
}

Refused<Birth> registeredBirth(const std::string& name) {
    const Refused<QList<Birth>> births = registerBirths();
    if (const auto* refusal = std::get_if<Refusal>(&births))
        return *refusal;
    const QString typed = QString::fromStdString(name).trimmed();
    const QList<Birth> found = birth::birthsNamed(std::get<QList<Birth>>(births), typed);
    if (found.size() == 1)
        return found.first();
    if (found.isEmpty())
        return Refusal{text("Im Geburtenregister „" + shown(birth::defaultRegisterPath()) +
                            "“ steht keine Geburt namens „" + typed + "“.")};
    QString message = QStringLiteral("„%1“ passt auf %2 Geburten des Registers; bitte den Namen "
                                     "genauer angeben:")
                          .arg(typed)
                          .arg(found.size());
    for (const Birth& b : found)
        message += "\n  " + birthLine(b);
    return Refusal{text(message)};
}

Refused<QList<birth::Event>> registeredEvents(qint64 birthId) {
    auto opened = openRegister(false);
    if (const auto* refusal = std::get_if<Refusal>(&opened))
        return *refusal;
    auto& reg = std::get<std::unique_ptr<sqlregister::SqlRegister>>(opened);
    if (!reg)
        return QList<birth::Event>();
    return reg->events(birthId);
}

} // namespace zeitrad::cli
