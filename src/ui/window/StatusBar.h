#pragma once

#include <QStatusBar>

class QLabel;
class QTimer;

namespace orvane
{

// The status bar `stb`: the message panel, then CAPS, NUM, INS and the time of day, which the
// bar keeps up to date itself. A double click anywhere on it is reported.
class StatusBar : public QStatusBar
{
    Q_OBJECT
public:
    explicit StatusBar(QWidget *parent = nullptr);

    QString message() const;
    void setMessage(const QString &text);
    QLabel *panel(int number) const; // 1..5
    // Beside panel 1's position tag: the selected field's storage, as the compiler lays it out.
    QString storage() const;
    void setStorage(const QString &text);

signals:
    void doubleClicked();
    // Panel 1 was set, even to the text it already shows.
    void messageChanged(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void refresh();

    QLabel *panels_[5] = {};
    QLabel *storage_ = nullptr;
    QTimer *clock_ = nullptr;
    bool insertMode_ = true;
};

} // namespace orvane
