// The clocks a birth time was read on: a time zone with its rules ("Europe/Berlin"), a fixed
// offset from UTC (UTC itself, "UTC+01:00", an AAF file's zone difference), or the mean solar time
// at the birth place's longitude (local mean time, "LMT").
#pragma once

#include <QString>

#include <optional>

namespace zeitrad::birth {

class Clocks {
public:
    enum class Kind { Zone, Offset, MeanTime };

    // A zone of the time zone database by its IANA id. Whether the system knows it is asked when
    // a moment is worked out, so that a birth kept with a zone unknown here is not lost.
    static Clocks zone(const QString& ianaId) { return Clocks(Kind::Zone, ianaId.trimmed(), 0); }
    // A fixed offset east of Greenwich, in seconds.
    static Clocks offset(int secondsEast) { return Clocks(Kind::Offset, {}, secondsEast); }
    static Clocks utc() { return offset(0); }
    // The mean time of the birth place's own longitude, which the birth gives.
    static Clocks meanTime() { return Clocks(Kind::MeanTime, {}, 0); }

    // The clocks of their stored form (text()): "UTC", "UTC+01:00", "UTC-05:30", "UTC+00:21:28",
    // "LMT", any other text as a zone id; "utc" and "lmt" in any case. None for an empty text.
    static std::optional<Clocks> fromText(const QString& text);

    Kind kind() const { return kind_; }
    bool isZone() const { return kind_ == Kind::Zone; }
    bool isOffset() const { return kind_ == Kind::Offset; }
    bool isMeanTime() const { return kind_ == Kind::MeanTime; }
    // The zone id; empty unless a zone.
    const QString& zoneId() const { return zoneId_; }
    // Seconds east of Greenwich; 0 unless a fixed offset.
    int offsetSeconds() const { return offsetSeconds_; }

    // Whether the moment of a local time can be worked out on these clocks: a zone only when the
    // system's time zone database has it.
    bool known() const;

    // The stored form, as the register and zeitrad-dasa's JSON give it: the zone id, "UTC",
    // "UTC+01:00" (seconds only where there are any), or "LMT".
    QString text() const;

    friend bool operator==(const Clocks&, const Clocks&) = default;

private:
    Clocks(Kind kind, QString zoneId, int offsetSeconds)
        : kind_(kind), zoneId_(std::move(zoneId)), offsetSeconds_(offsetSeconds) {}

    Kind kind_;
    QString zoneId_;
    int offsetSeconds_;
};

} // namespace zeitrad::birth
