#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QLabel;
class QPushButton;

namespace orvane
{

class MessageBoxes;
class Shell;

// The about box: title, version, where to send feedback, the maker's web page and a button
// that starts the desktop's system information program.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    frmAbout(MessageBoxes &messages, Shell &shell, QWidget *parent = nullptr);

    // The programs that show the system's information, in the order they are looked for.
    static const QStringList &sysInfoPrograms();
    // The first of them that `find` (a PATH lookup) knows, as its full path; empty for none.
    static QString findSysInfoProgram(const std::function<QString(const QString &)> &find);

    static QString homepage();
    static QString emailAddress();

    void StartSysInfo();
    // Hands an address to the desktop; a failure says nothing, like a dead link.
    void ShellAddress(const QString &address);

    void lblemail_Click();
    void lblcheckforupdates_Click();

private:
    MessageBoxes &messages_;
    Shell &shell_;

    QLabel *picIcon_ = nullptr;
    QLabel *lblTitle_ = nullptr;
    QLabel *lblVersion_ = nullptr;
    QLabel *lblDescription_ = nullptr;
    QLabel *lblemail_ = nullptr;
    QLabel *lblcheckforupdates_ = nullptr;
    QLabel *lblDisclaimer_ = nullptr;
    QPushButton *cmdOK_ = nullptr;
    QPushButton *cmdSysInfo_ = nullptr;
};

} // namespace orvane
