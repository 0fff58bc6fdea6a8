// The register window (RegisterWindow, object name BirthRegister): a search field, the table of
// births and the buttons to open, edit, delete, import and export them. Not modal; "Öffnen" hands
// the birth to the window through openRequested.
#pragma once

#include <QWidget>

#include "birth/register.h"
#include "formats/aaf.h"

class QLineEdit;
class QPushButton;
class QTableView;

namespace zeitrad::registerwindow {

class BirthModel;

class RegisterWindow : public QWidget {
    Q_OBJECT
public:
    // The register stays the caller's; it is open already.
    RegisterWindow(birth::Register* reg, QWidget* parent = nullptr);

    // Reads the register anew (after a change elsewhere).
    void reload();
    // The births of the AAF file into the register, with a progress dialog that can cancel it;
    // the German report, or why nothing was imported.
    Refused<QString> importFile(const QString& fileName);
    // Several files (AAF or Maitreya's charts) in one transaction, the report file by file.
    Refused<QString> importFiles(const QStringList& fileNames);
    // Writes the selected births (or all when none is selected).
    Refused<birth::Done> exportFile(const QString& fileName, formats::AafEncoding encoding);

signals:
    void openRequested(const zeitrad::birth::Birth& birth);
    // An events window changed the events of that birth.
    void eventsChanged(qint64 birthId);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void openSelected();
    void editSelected();
    void deleteSelected();
    void showEvents();
    void chooseImport();
    void chooseExport();
    QList<birth::Birth> selectedBirths() const;
    void complain(const QString& message);

    birth::Register* register_;
    BirthModel* model_;
    QLineEdit* search_;
    QTableView* table_;
};

} // namespace zeitrad::registerwindow
