// The program's one message box and Qt's own dialogs, in German. A message box says its text as
// plain text (a name read from a file is never taken for markup) and has German buttons; Qt's
// German translation is loaded when the first dialog opens, not at start. Tests answer the next
// box or file dialog through a hook instead of looking for the active modal widget.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

#include "engine/refusal.h"

class QAbstractButton;
class QMessageBox;
class QProgressDialog;
class QWidget;

class QDialog;
class QDialogButtonBox;

namespace zeitrad::widgets {

// Loads Qt's German translation (Debian's qt6-translations-l10n) the first time it is asked for,
// so that Qt's dialogs, context menus and buttons speak German; later calls do nothing.
void speakGerman();
// Whether it has been loaded.
bool speaksGerman();

class MessageBox {
public:
    enum class Kind { Information, Warning, Error, Question };

    // A message with one button, "OK".
    static void tell(QWidget* parent, Kind kind, const QString& text,
                     const QString& title = QStringLiteral("Zeitrad"),
                     const QString& objectName = {});
    static void warn(QWidget* parent, const QString& text) { tell(parent, Kind::Warning, text); }
    static void refuse(QWidget* parent, const QString& text) { tell(parent, Kind::Error, text); }
    // A refusal's German message, as a warning.
    static void warn(QWidget* parent, const Refusal& refusal) {
        warn(parent, QString::fromStdString(refusal.message));
    }

    // A question offering `choices` and "Abbrechen" (the default and Escape): the index of the
    // choice taken, or -1.
    static int ask(QWidget* parent, const QString& title, const QString& text,
                   const QStringList& choices, const QString& objectName = {});

    // For tests: the next box is not shown but handed, as it would show, to `answer`, which
    // returns the button it clicks (nullptr: closed without one, as by Escape). An empty function
    // takes back an answer not yet used.
    using Answer = std::function<QAbstractButton*(QMessageBox& box)>;
    static void answerNext(Answer answer);
};

// The progress of a long piece of work, in a window-modal dialog shown from about half a second
// on, with "Abbrechen"; while it shows, the window's events go on.
class ProgressDialog {
public:
    ProgressDialog(QWidget* parent, const QString& title, const QString& label);
    ~ProgressDialog();
    // How far the work has come (done of total); false once the user cancelled it.
    bool step(qsizetype done, qsizetype total);

    // For tests: the next progress dialog is cancelled at its `steps`-th step, as by "Abbrechen".
    static void cancelNext(int steps);

private:
    std::unique_ptr<QProgressDialog> dialog_;
    int steps_ = 0;
    int cancelAt_ = 0; // 0: only the user cancels
};

// The OK and "Abbrechen" buttons of a dialog of the program's own, in German: "Abbrechen" rejects
// the dialog; what OK does (check, then accept) is the caller's, through `accepted`.
QDialogButtonBox* okAndCancel(QDialog* dialog);

// Qt's file dialogs in German. Each gives the empty name (or none) when the user cancels.
class FileDialog {
public:
    static QString open(QWidget* parent, const QString& caption, const QString& filter);
    static QStringList openSeveral(QWidget* parent, const QString& caption, const QString& filter);
    // `chosenFilter` (if given) holds the filter to start with and gets the one chosen.
    static QString save(QWidget* parent, const QString& caption, const QString& suggested,
                        const QString& filter, QString* chosenFilter = nullptr);

    // For tests: from now on no file dialog is shown; `answer` gives the files chosen (none:
    // cancelled) for the dialog's caption, and for a save it may set the filter. An empty
    // function shows the dialogs again.
    using Answer = std::function<QStringList(const QString& caption, QString* filter)>;
    static void answerWith(Answer answer);
};

} // namespace zeitrad::widgets
