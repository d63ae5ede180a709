#include "ui/window/StatusBar.h"

#include "platform/LockKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QTime>
#include <QTimer>

namespace orvane
{

StatusBar::StatusBar(QWidget *parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("stb"));
    setSizeGripEnabled(true);
    for (int i = 0; i < 5; ++i) {
        panels_[i] = new QLabel(this);
        panels_[i]->setObjectName(QStringLiteral("stbPanel%1").arg(i + 1));
        panels_[i]->setFrameShape(QFrame::StyledPanel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        panels_[i]->installEventFilter(this);
    }
    panels_[0]->setToolTip(QStringLiteral("Double Click To Edit"));
    addWidget(panels_[0], 1);
    storage_ = new QLabel(this);
    storage_->setObjectName(QStringLiteral("stbStorage"));
    storage_->setFrameShape(QFrame::StyledPanel);
    storage_->setFrameShadow(QFrame::Sunken);
    storage_->setToolTip(
        QStringLiteral("Storage: the bytes the compiler gives the selected field"));
    storage_->installEventFilter(this);
    addWidget(storage_);
    const int narrow = fontMetrics().horizontalAdvance(QStringLiteral(" CAPS "));
    for (int i = 1; i < 4; ++i) {
        panels_[i]->setMinimumWidth(narrow);
        panels_[i]->setAlignment(Qt::AlignCenter);
        addPermanentWidget(panels_[i]);
    }
    addPermanentWidget(panels_[4]);
    // The Insert key is seen wherever it is pressed in the program.
    qApp->installEventFilter(this);
    clock_ = new QTimer(this);
    clock_->setInterval(1000);
    connect(clock_, &QTimer::timeout, this, &StatusBar::refresh);
    clock_->start();
    refresh();
}

QString StatusBar::message() const
{
    return panels_[0]->text();
}

void StatusBar::setMessage(const QString &text)
{
    panels_[0]->setText(text);
    emit messageChanged(text);
}

QString StatusBar::storage() const
{
    return storage_->text();
}

void StatusBar::setStorage(const QString &text)
{
    storage_->setText(text);
}

QLabel *StatusBar::panel(int number) const
{
    return number >= 1 && number <= 5 ? panels_[number - 1] : nullptr;
}

void StatusBar::refresh()
{
    const LockKeyState locks = readLockKeys();
    panels_[1]->setText(locks.capsLock ? QStringLiteral("CAPS") : QString());
    panels_[2]->setText(locks.numLock ? QStringLiteral("NUM") : QString());
    panels_[3]->setText(insertMode_ ? QStringLiteral("INS") : QString());
    panels_[4]->setText(QLocale().toString(QTime::currentTime(), QLocale::ShortFormat));
}

bool StatusBar::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Insert && watched->isWidgetType() &&
        static_cast<QWidget *>(watched)->hasFocus()) {
        insertMode_ = !insertMode_;
        refresh();
    }
    // Lock keys change the lights at once, not only at the next tick of the clock.
    if (event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock)
            refresh();
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (QLabel *p : {panels_[0], storage_, panels_[1], panels_[2], panels_[3], panels_[4]}) {
            if (watched == p) {
                emit doubleClicked();
                return true;
            }
        }
    }
    return QStatusBar::eventFilter(watched, event);
}

void StatusBar::mouseDoubleClickEvent(QMouseEvent *event)
{
    QStatusBar::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

} // namespace orvane
