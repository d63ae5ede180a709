#include "QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>

namespace orvane
{

MessageAnswer QtMessageBoxes::show(const QString &text, const QString &title,
                                   MessageButtons buttons, MessageIcon icon)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case MessageIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    switch (buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    default:
        // Escape or closing the box: Cancel where there is one, otherwise the safe answer.
        return buttons == MessageButtons::YesNoCancel ? MessageAnswer::Cancel
               : buttons == MessageButtons::YesNo     ? MessageAnswer::No
                                                      : MessageAnswer::Ok;
    }
}

QString QtInputBox::ask(const QString &prompt, const QString &title, const QString &defaultAnswer)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(QApplication::activeWindow(), title, prompt,
                                                 QLineEdit::Normal, defaultAnswer, &ok);
    return ok ? answer : QString();
}

QString QtFileBoxes::openFile(const QString &title, const QString &filter, const QString &fileName)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, fileName, filter);
}

QString QtFileBoxes::saveFile(const QString &title, const QString &filter, const QString &fileName)
{
    // The caller asks its own overwrite question.
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), title, fileName, filter,
                                        nullptr, QFileDialog::DontConfirmOverwrite);
}

QColor QtColourBox::choose(const QColor &initial)
{
    return QColorDialog::getColor(initial, QApplication::activeWindow());
}

QtSettingsStore::QtSettingsStore(QString folder) : folder_(std::move(folder))
{
}

QString QtSettingsStore::fileFor(const QString &application) const
{
    const QString folder =
        folder_.isEmpty()
            ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                  QStringLiteral("/orvane")
            : folder_;
    return folder + u'/' + application + QStringLiteral(".conf");
}

QString QtSettingsStore::get(const QString &application, const QString &section, const QString &key,
                             const QString &defaultValue)
{
    QSettings settings(fileFor(application), QSettings::IniFormat);
    settings.beginGroup(section);
    return settings.value(key, defaultValue).toString();
}

void QtSettingsStore::save(const QString &application, const QString &section, const QString &key,
                           const QString &value)
{
    // Nothing to report: a setting that cannot be written keeps its old value.
    QSettings settings(fileFor(application), QSettings::IniFormat);
    settings.beginGroup(section);
    settings.setValue(key, value);
}

QString QtClipboardText::text()
{
    return QGuiApplication::clipboard()->text();
}

void QtClipboardText::setText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

} // namespace orvane
