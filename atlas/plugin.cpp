// The atlas as the plugin "atlas": libgeonames, GLib and GIO are mapped only when a user first
// types a birth place.
#include "atlas/geonamesatlas.h"

#include <QObject>

namespace zeitrad::atlas {

class AtlasPlugin : public QObject, public birth::Atlas {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ZeitradAtlas_iid)
    Q_INTERFACES(zeitrad::birth::Atlas)

public:
    QList<birth::Place> find(const QString& typed, int limit) override {
        return atlas_.find(typed, limit);
    }
    std::optional<birth::Place> exact(const QString& name, const QString& qualifier) override {
        return atlas_.exact(name, qualifier);
    }

private:
    GeonamesAtlas atlas_;
};

} // namespace zeitrad::atlas

#include "plugin.moc"
