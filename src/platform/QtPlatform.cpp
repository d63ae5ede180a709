#include "QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

#include <cerrno>
#include <cstddef>
#include <cstring>

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace orvane
{

MessageAnswer QtMessageBoxes::show(const QString &text, const QString &title,
                                   MessageButtons buttons, MessageIcon icon)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    // File names may hold < and >; they are names, not markup.
    box.setTextFormat(Qt::PlainText);
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
    QInputDialog box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setInputMode(QInputDialog::TextInput);
    box.setLabelText(QString(prompt).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box.setTextValue(defaultAnswer);
    // A long prompt wraps at about 80 characters instead of widening the box past the screen.
    if (auto *label = box.findChild<QLabel *>()) {
        label->setWordWrap(true);
        label->setTextFormat(Qt::PlainText);
        label->setMaximumWidth(label->fontMetrics().averageCharWidth() * 80);
    }
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

QString QtFileBoxes::openFile(const QString &title, const QString &filter, const QString &fileName)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, fileName, filter);
}

QString QtFileBoxes::saveFile(const QString &title, const QString &filter, const QString &fileName)
{
    QFileDialog box(QApplication::activeWindow(), title, QString(), filter);
    box.setAcceptMode(QFileDialog::AcceptSave);
    box.setFileMode(QFileDialog::AnyFile);
    // The caller asks its own overwrite question.
    box.setOption(QFileDialog::DontConfirmOverwrite);
    if (!fileName.isEmpty()) {
        const QFileInfo info(fileName);
        if (info.isDir()) {
            box.setDirectory(fileName);
        } else {
            box.setDirectory(info.absolutePath());
            // A folder pattern only says where to start; "*.*" is no name to offer.
            if (!info.fileName().contains(u'*'))
                box.selectFile(info.fileName());
        }
    }
    // A name typed without an extension gets the extension of the chosen type of file; "All
    // Files" takes the name as typed.
    const auto suffixFor = [](const QString &nameFilter) {
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("\\(\\*\\.(\\w+)\\)")).match(nameFilter);
        return m.hasMatch() ? m.captured(1) : QString();
    };
    box.setDefaultSuffix(suffixFor(box.selectedNameFilter()));
    QObject::connect(&box, &QFileDialog::filterSelected, &box,
                     [&box, suffixFor](const QString &f) { box.setDefaultSuffix(suffixFor(f)); });
    if (box.exec() != QDialog::Accepted)
        return {};
    return box.selectedFiles().value(0);
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

bool QtShell::openAddress(const QString &address)
{
    return QDesktopServices::openUrl(QUrl(address));
}

QString QtShell::findProgram(const QString &name)
{
    return QStandardPaths::findExecutable(name);
}

bool QtShell::startProgram(const QString &path, const QStringList &arguments)
{
    return QProcess::startDetached(path, arguments);
}

namespace
{

// Owns a socket descriptor for the length of one probe.
class Socket
{
public:
    explicit Socket(int fd) : fd_(fd) {}
    ~Socket()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Socket(const Socket &) = delete;
    Socket &operator=(const Socket &) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

bool connectLocal(const QByteArray &path, bool abstract)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const qsizetype offset = abstract ? 1 : 0; // an abstract name starts with a zero byte
    if (path.isEmpty() || path.size() + offset >= qsizetype(sizeof(address.sun_path)))
        return false;
    std::memcpy(address.sun_path + offset, path.constData(), size_t(path.size()));
    const Socket socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (socket.fd() < 0)
        return false;
    const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + size_t(offset) +
                                  size_t(path.size()) + (abstract ? 0 : 1));
    return ::connect(socket.fd(), reinterpret_cast<const sockaddr *>(&address), length) == 0;
}

bool connectTcp(const QByteArray &host, int port, int timeoutMs)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    if (::getaddrinfo(host.constData(), QByteArray::number(port).constData(), &hints, &found) != 0)
        return false;
    bool answered = false;
    for (addrinfo *a = found; a && !answered; a = a->ai_next) {
        const Socket socket(
            ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, a->ai_protocol));
        if (socket.fd() < 0)
            continue;
        if (::connect(socket.fd(), a->ai_addr, a->ai_addrlen) == 0) {
            answered = true;
            break;
        }
        if (errno != EINPROGRESS)
            continue;
        pollfd wait{socket.fd(), POLLOUT, 0};
        if (::poll(&wait, 1, timeoutMs) != 1)
            continue;
        int error = 0;
        socklen_t size = sizeof error;
        answered =
            ::getsockopt(socket.fd(), SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
    }
    ::freeaddrinfo(found);
    return answered;
}

} // namespace

XDisplayAddress xDisplayAddress(const QByteArray &display)
{
    XDisplayAddress address;
    if (display.startsWith('/')) { // a socket path as it stands (launchd style)
        address.valid = true;
        address.socketPath = display;
        return address;
    }
    const qsizetype colon = display.lastIndexOf(':');
    if (colon < 0)
        return address;
    QByteArray number = display.mid(colon + 1);
    const qsizetype dot = number.indexOf('.');
    if (dot >= 0)
        number.truncate(dot);
    bool ok = false;
    const int n = number.toInt(&ok);
    if (!ok || n < 0 || number.startsWith('+') || number.startsWith('-'))
        return address;
    QByteArray host = display.left(colon);
    address.valid = true;
    if (host.isEmpty() || host == "unix" || host.endsWith("/unix")) {
        address.socketPath = "/tmp/.X11-unix/X" + QByteArray::number(n);
        return address;
    }
    if (host.startsWith('[') && host.endsWith(']'))
        host = host.mid(1, host.size() - 2);
    address.host = host;
    address.port = 6000 + n;
    return address;
}

DisplayEnvironment DisplayEnvironment::current(int argc, char **argv)
{
    DisplayEnvironment environment;
    environment.qpaPlatform = qgetenv("QT_QPA_PLATFORM");
    environment.display = qgetenv("DISPLAY");
    environment.waylandDisplay = qgetenv("WAYLAND_DISPLAY");
    environment.runtimeDir = qgetenv("XDG_RUNTIME_DIR");
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0)
            environment.platformArgument = true;
    return environment;
}

DisplayCheck checkDisplay(const DisplayEnvironment &environment,
                          const std::function<bool(const XDisplayAddress &)> &xAnswers,
                          const std::function<bool(const QByteArray &)> &waylandAnswers)
{
    // A platform chosen on purpose (offscreen for tests, vnc, wayland) is the user's call.
    if (environment.platformArgument)
        return DisplayCheck::Usable;
    const bool xcbOnly = environment.qpaPlatform.startsWith("xcb");
    if (!environment.qpaPlatform.isEmpty() && !xcbOnly)
        return DisplayCheck::Usable;
    const QByteArray &wayland = environment.waylandDisplay;
    if (!xcbOnly && !wayland.isEmpty()) {
        const QByteArray path =
            wayland.startsWith('/') ? wayland : environment.runtimeDir + '/' + wayland;
        if (waylandAnswers(path))
            return DisplayCheck::Usable;
    }
    if (!environment.display.isEmpty()) {
        const XDisplayAddress address = xDisplayAddress(environment.display);
        return address.valid && xAnswers(address) ? DisplayCheck::Usable
                                                  : DisplayCheck::Unreachable;
    }
    return !xcbOnly && !wayland.isEmpty() ? DisplayCheck::Unreachable : DisplayCheck::NotSet;
}

bool xDisplayAnswers(const XDisplayAddress &address)
{
    if (!address.valid)
        return false;
    if (!address.socketPath.isEmpty()) {
        // X servers on Linux listen in the abstract namespace too, which is all a container
        // without /tmp/.X11-unix may see.
        return connectLocal(address.socketPath, true) || connectLocal(address.socketPath, false);
    }
    return connectTcp(address.host, address.port, 1000);
}

bool waylandSocketAnswers(const QByteArray &path)
{
    return connectLocal(path, false);
}

} // namespace orvane
