#include "ui/dialogs/frmAbout.h"

#include "ui/shared/AppIcon.h"
#include "platform/Platform.h"
#include "project/StartupSettings.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane
{

namespace
{

// A label that acts like a link: a click, or Enter or Space while it has the focus.
class LinkLabel : public QLabel
{
public:
    LinkLabel(const QString &text, std::function<void()> activate, QWidget *parent)
        : QLabel(text, parent), activate_(std::move(activate))
    {
        setTextFormat(Qt::PlainText);
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::StrongFocus);
        QFont f = font();
        f.setUnderline(true);
        setFont(f);
        QPalette p = palette();
        p.setColor(QPalette::WindowText, p.color(QPalette::Link));
        setPalette(p);
        setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    }

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            activate_();
        QLabel::mouseReleaseEvent(event);
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
            event->key() == Qt::Key_Space) {
            activate_();
            return;
        }
        QLabel::keyPressEvent(event);
    }

private:
    std::function<void()> activate_;
};

template <typename W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

frmAbout::frmAbout(MessageBoxes &messages, Shell &shell, QWidget *parent)
    : QDialog(parent), messages_(messages), shell_(shell)
{
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);

    picIcon_ = named(new QLabel(this), "picIcon");
    picIcon_->setPixmap(appIcon().pixmap(64, 64));
    picIcon_->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    lblTitle_ = named(new QLabel(this), "lblTitle");
    QFont big = lblTitle_->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    lblTitle_->setFont(big);
    lblVersion_ = named(new QLabel(this), "lblVersion");
    lblDescription_ = named(
        new QLabel(QStringLiteral("Please send comments, suggestions or bug reports to:"), this),
        "lblDescription");
    lblemail_ = named(new LinkLabel(
                          emailAddress(), [this] { lblemail_Click(); }, this),
                      "lblemail");
    lblemail_->setToolTip(QStringLiteral("mailto:") + emailAddress());
    lblcheckforupdates_ = named(
        new LinkLabel(
            QStringLiteral("Check for Updates"), [this] { lblcheckforupdates_Click(); }, this),
        "lblcheckforupdates");
    lblcheckforupdates_->setToolTip(homepage());
    lblDisclaimer_ = named(
        new QLabel(QStringLiteral("Warning: this program is provided as it is, without warranty "
                                  "of any kind. Check the code it generates before you rely on "
                                  "it."),
                   this),
        "lblDisclaimer");
    lblDisclaimer_->setWordWrap(true);
    cmdOK_ = named(new QPushButton(QStringLiteral("OK"), this), "cmdOK");
    cmdOK_->setDefault(true);
    cmdSysInfo_ = named(new QPushButton(QStringLiteral("&System Info..."), this), "cmdSysInfo");

    auto *text = new QVBoxLayout;
    text->addWidget(lblTitle_);
    text->addWidget(lblVersion_);
    text->addSpacing(fontMetrics().height());
    text->addWidget(lblDescription_);
    text->addWidget(lblemail_);
    text->addWidget(lblcheckforupdates_);
    text->addStretch(1);
    auto *top = new QHBoxLayout;
    top->addWidget(picIcon_);
    top->addLayout(text, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdSysInfo_);
    buttons->addStretch(1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(lblDisclaimer_, 1);
    bottom->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(fontMetrics().height());
    layout->addLayout(bottom);
    // The notice wraps instead of widening the box past a small screen.
    setMinimumWidth(fontMetrics().averageCharWidth() * 60);

    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo_, &QPushButton::clicked, this, &frmAbout::StartSysInfo);

    setWindowTitle(QStringLiteral("About ") + ApplicationTitle);
    lblVersion_->setText(QStringLiteral("Version " ORVANE_VERSION));
    lblTitle_->setText(ApplicationTitle);
}

const QStringList &frmAbout::sysInfoPrograms()
{
    // KDE's Info Center, the GTK system profiler (new and old name), Xfce's about window.
    static const QStringList programs{QStringLiteral("kinfocenter"), QStringLiteral("hardinfo2"),
                                      QStringLiteral("hardinfo"), QStringLiteral("xfce4-about")};
    return programs;
}

QString frmAbout::findSysInfoProgram(const std::function<QString(const QString &)> &find)
{
    for (const QString &name : sysInfoPrograms()) {
        const QString path = find(name);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

QString frmAbout::homepage()
{
    return QStringLiteral(ORVANE_HOMEPAGE);
}

QString frmAbout::emailAddress()
{
    return QStringLiteral(ORVANE_CONTACT_EMAIL);
}

void frmAbout::StartSysInfo()
{
    const QString program =
        findSysInfoProgram([this](const QString &name) { return shell_.findProgram(name); });
    if (program.isEmpty() || !shell_.startProgram(program, {}))
        messages_.show(QStringLiteral("System Information Is Unavailable At This Time"),
                       ApplicationTitle, MessageButtons::Ok, MessageIcon::None);
}

void frmAbout::ShellAddress(const QString &address)
{
    shell_.openAddress(address);
}

void frmAbout::lblemail_Click()
{
    ShellAddress(QStringLiteral("mailto:") + lblemail_->text());
}

void frmAbout::lblcheckforupdates_Click()
{
    ShellAddress(homepage());
}

} // namespace orvane
