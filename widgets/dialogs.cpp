#include "widgets/dialogs.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTranslator>

#include <algorithm>
#include <optional>
#include <utility>

namespace zeitrad::widgets {

namespace {

bool german = false;
std::optional<MessageBox::Answer> nextAnswer;
FileDialog::Answer fileAnswer;
int cancelProgressAt = 0;

QMessageBox::Icon iconOf(MessageBox::Kind kind) {
    switch (kind) {
    case MessageBox::Kind::Information:
        return QMessageBox::Information;
    case MessageBox::Kind::Warning:
        return QMessageBox::Warning;
    case MessageBox::Kind::Error:
        return QMessageBox::Critical;
    case MessageBox::Kind::Question:
        break;
    }
    return QMessageBox::Question;
}

// Shows the box, or hands it to the test's answer; the button clicked, or nullptr.
QAbstractButton* run(QMessageBox& box) {
    if (nextAnswer) {
        const MessageBox::Answer answer = std::exchange(nextAnswer, std::nullopt).value();
        return answer(box);
    }
    box.exec();
    return box.clickedButton();
}

} // namespace

void speakGerman() {
    if (german)
        return;
    german = true;
    // Owned by the application, which keeps it until the program ends.
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator; // without Debian's translations Qt's dialogs stay English
}

bool speaksGerman() {
    return german;
}

void MessageBox::tell(QWidget* parent, Kind kind, const QString& text, const QString& title,
                      const QString& objectName) {
    speakGerman();
    QMessageBox box(iconOf(kind), title, text, QMessageBox::Ok, parent);
    box.setObjectName(objectName);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    run(box);
}

int MessageBox::ask(QWidget* parent, const QString& title, const QString& text,
                    const QStringList& choices, const QString& objectName) {
    speakGerman();
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    box.setObjectName(objectName);
    box.setTextFormat(Qt::PlainText);
    QList<QAbstractButton*> offered;
    for (const QString& choice : choices)
        offered.append(box.addButton(choice, QMessageBox::AcceptRole));
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    cancel->setText(QStringLiteral("Abbrechen"));
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    return int(offered.indexOf(run(box)));
}

void MessageBox::answerNext(Answer answer) {
    if (answer)
        nextAnswer = std::move(answer);
    else
        nextAnswer.reset();
}

ProgressDialog::ProgressDialog(QWidget* parent, const QString& title, const QString& label)
    : dialog_(
          std::make_unique<QProgressDialog>(label, QStringLiteral("Abbrechen"), 0, 1000, parent)),
      cancelAt_(std::exchange(cancelProgressAt, 0)) {
    speakGerman();
    dialog_->setObjectName(QStringLiteral("ProgressDialog"));
    dialog_->setWindowTitle(title);
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(500);
    dialog_->setAutoReset(false);
}

ProgressDialog::~ProgressDialog() = default;

bool ProgressDialog::step(qsizetype done, qsizetype total) {
    if (++steps_ == cancelAt_)
        dialog_->cancel();
    // Before it shows (in the first half second) the dialog keeps the window's events waiting;
    // once shown, each step lets them through.
    dialog_->setMaximum(int(std::max<qsizetype>(total, 1)));
    dialog_->setValue(int(std::min(done, total)));
    return !dialog_->wasCanceled();
}

void ProgressDialog::cancelNext(int steps) {
    cancelProgressAt = steps;
}

QString FileDialog::open(QWidget* parent, const QString& caption, const QString& filter) {
    return openSeveral(parent, caption, filter).value(0);
}

QStringList FileDialog::openSeveral(QWidget* parent, const QString& caption,
                                    const QString& filter) {
    speakGerman();
    if (fileAnswer)
        return fileAnswer(caption, nullptr);
    return QFileDialog::getOpenFileNames(parent, caption, {}, filter);
}

QString FileDialog::save(QWidget* parent, const QString& caption, const QString& suggested,
                         const QString& filter, QString* chosenFilter) {
    speakGerman();
    if (fileAnswer)
        return fileAnswer(caption, chosenFilter).value(0);
    return QFileDialog::getSaveFileName(parent, caption, suggested, filter, chosenFilter);
}

void FileDialog::answerWith(Answer answer) {
    fileAnswer = std::move(answer);
}

QDialogButtonBox* okAndCancel(QDialog* dialog) {
    speakGerman();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace zeitrad::widgets
