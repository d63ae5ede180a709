#pragma once

#include "../common/Files.h"
#include "../common/TaggedTree.h"
#include "ScriptedPlatform.h"
#include "ui/generator/EntryPanel.h"
#include "ui/generator/FieldTreeModel.h"
#include "ui/generator/FieldTreeView.h"
#include "ui/window/StatusBar.h"
#include "ui/window/frmQEL.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

namespace orvane::testing
{

// The messages several window tests expect, word for word as the user sees them.
inline const ShownMessage saveQuestion{QStringLiteral("Do you want to save the file?"),
                                       QStringLiteral("File not saved"),
                                       MessageButtons::YesNoCancel, MessageIcon::Question};

// A plain notice: the program's name as the title, OK, no icon.
inline ShownMessage plain(const QString &text)
{
    return {text, QStringLiteral("Orvane"), MessageButtons::Ok, MessageIcon::None};
}
// An error: OK and the critical icon.
inline ShownMessage critical(const QString &text, const QString &title = QStringLiteral("Error"))
{
    return {text, title, MessageButtons::Ok, MessageIcon::Critical};
}

// Builds the whole main window with scripted seams for each test, past its start-up timer.
class MainWindowTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { application(); }

    void SetUp() override
    {
        // Past the first run, unless a test clears this before it calls start().
        setSetting("firstrun", "firstrun", QStringLiteral("1"));
        if (startInSetUp)
            start();
    }

    // Builds, shows and loads the window, as the program does, with these arguments.
    void start(const QStringList &arguments = {})
    {
        window = std::make_unique<frmQEL>(platform.seams());
        window->show();
        ASSERT_TRUE(activate());
        window->Form_Load(arguments);
        window->Timer1_Timer();
    }

    // Makes the window active and waits for it: focus events, and so the select-all on
    // entering a box, need the active window. (The offscreen platform hands the activation
    // back to nobody when a popup list closes.) A platform that cannot activate windows is
    // asked once; from then on being shown must do.
    bool activate()
    {
        static bool activates = true;
        window->activateWindow();
        if (activates && !QTest::qWaitForWindowActive(window.get(), 2000))
            activates = false;
        return activates || QTest::qWaitForWindowExposed(window.get());
    }

    void TearDown() override
    {
        EXPECT_TRUE(platform.messages.answers.empty()) << "answers left unused";
        EXPECT_TRUE(platform.input.answers.empty()) << "input answers left unused";
        EXPECT_TRUE(platform.files.answers.empty()) << "file answers left unused";
        window.reset();
    }

    // A control of the main window, or of another window `in`, by its name.
    template <typename T> T *child(const char *name, QWidget *in = nullptr)
    {
        T *widget = (in ? in : window.get())->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLineEdit *box(const char *name) { return child<QLineEdit>(name); }
    void click(const char *button, QWidget *in = nullptr)
    {
        QTest::mouseClick(child<QPushButton>(button, in), Qt::LeftButton);
    }
    // Clicks a button whose file boxes answer `files` and message boxes `answers`, in turn.
    void click(const char *button, std::initializer_list<QString> files,
               std::initializer_list<MessageAnswer> answers = {}, QWidget *in = nullptr)
    {
        script(files, answers);
        click(button, in);
    }
    void script(std::initializer_list<QString> files, std::initializer_list<MessageAnswer> answers)
    {
        platform.files.answers.insert(platform.files.answers.end(), files);
        platform.messages.answers.insert(platform.messages.answers.end(), answers);
    }
    // The program's own settings, "<none>" for one never stored.
    QString setting(const char *section, const char *key)
    {
        return platform.settings.get(QStringLiteral("Orvane"), QString::fromLatin1(section),
                                     QString::fromLatin1(key), QStringLiteral("<none>"));
    }
    void setSetting(const char *section, const char *key, const QString &value)
    {
        platform.settings.save(QStringLiteral("Orvane"), QString::fromLatin1(section),
                               QString::fromLatin1(key), value);
    }
    QComboBox *combo(const char *name) { return child<QComboBox>(name); }
    QString preview() { return child<QLabel>("lblAddStringPreview")->text(); }
    FieldTree &tree() { return window->fields(); }
    FieldTreeView *view() { return window->trvFields(); }
    QString status() { return window->stb()->message(); }

    // A line edit, or a drop-down's own.
    static QLineEdit *lineEdit(QWidget *widget)
    {
        auto *edit = qobject_cast<QLineEdit *>(widget);
        return edit ? edit : qobject_cast<QComboBox *>(widget)->lineEdit();
    }

    // Replaces a box's text by typing, as a user would after selecting all.
    void type(QWidget *widget, const QString &text)
    {
        QLineEdit *edit = lineEdit(widget);
        // A select-all still queued from an earlier focus change must not land mid-typing.
        QCoreApplication::processEvents();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    // Describes a field by level, name and length and presses Add.
    void addField(const QString &level, const QString &name, const QString &length = {})
    {
        box("txtFieldLevel")->setText(level);
        box("txtFieldName")->setText(name);
        box("txtFieldLength")->setText(length);
        QTest::mouseClick(child<QPushButton>("cmdAdd"), Qt::LeftButton);
    }

    // Gives a control the focus and lets the focus change settle.
    void focus(QWidget *widget)
    {
        widget->setFocus();
        QCoreApplication::processEvents();
        EXPECT_TRUE(widget->hasFocus()) << widget->objectName().toStdString();
    }

    // Gives a box the focus and, once its select-all on entering has run, puts the caret at
    // `position` (-1: the end) with nothing selected.
    void placeCaret(QWidget *widget, int position)
    {
        QLineEdit *edit = lineEdit(widget);
        widget->setFocus();
        QCoreApplication::processEvents();
        edit->deselect();
        edit->setCursorPosition(position < 0 ? int(edit->text().size()) : position);
    }

    // Opens a drop-down's list, moves to `row` and chooses it with Enter, as by the keys.
    void pickFromList(QComboBox *box, int row)
    {
        box->showPopup();
        ASSERT_TRUE(box->view()->isVisible());
        box->view()->setCurrentIndex(box->model()->index(row, 0));
        QTest::keyClick(box->view(), Qt::Key_Return);
        EXPECT_FALSE(box->view()->isVisible());
    }

    // Adds fields given as "level name [length]", each as if typed and added.
    void addFields(std::initializer_list<const char *> fields)
    {
        for (const char *f : fields) {
            const QStringList parts = QString::fromLatin1(f).split(u' ');
            addField(parts.value(0), parts.value(1), parts.value(2));
        }
    }

    // Clears the modified marker, so a test sees whether what follows sets it.
    void markSaved() { window->setWindowTitle(QStringLiteral("Orvane []")); }

    void trigger(const char *action) { child<QAction>(action)->trigger(); }
    // Triggers an action whose file boxes answer `files` and message boxes `answers`, in turn.
    void trigger(const char *action, std::initializer_list<QString> files,
                 std::initializer_list<MessageAnswer> answers = {})
    {
        script(files, answers);
        trigger(action);
    }

    QPoint nodeCentre(int nodeIndex)
    {
        view()->expandAll();
        const QModelIndex index = view()->fieldModel()->modelIndex(nodeIndex);
        view()->scrollTo(index);
        return view()->visualRect(index).center();
    }

    void clickNode(int nodeIndex)
    {
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, nodeCentre(nodeIndex));
    }

    // Selects the field with this text, with the focus in the tree, as a click would leave it.
    void select(const QString &text)
    {
        view()->setFocus(Qt::OtherFocusReason);
        view()->selectNode(find(tree(), text));
        QCoreApplication::processEvents();
    }

    // Sends the drag events of a field dropped onto `to` carrying `payload` (the offscreen
    // platform runs no real drag: QDrag::exec returns at once).
    void dropAt(QPoint to, const QByteArray &payload)
    {
        QWidget *viewport = view()->viewport();
        QMimeData mime;
        mime.setData(QString::fromLatin1(FieldTreeView::mimeType()), payload);
        QDragEnterEvent enter(to, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &enter);
        QDragMoveEvent move(to, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        QDropEvent drop(QPointF(to), Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &drop);
    }

    // Presses on one field, drops it onto another and releases there.
    void drag(int from, int onto)
    {
        QTest::mousePress(view()->viewport(), Qt::LeftButton, {}, nodeCentre(from));
        dropAt(nodeCentre(onto), view()->dragPayload());
        QTest::mouseRelease(view()->viewport(), Qt::LeftButton, {}, nodeCentre(onto));
    }

    bool modified() { return window->windowTitle().endsWith(QLatin1Char('*')); }
    QString title() { return window->windowTitle(); }
    QString currentFile() { return window->dlgedit().fileName; }
    // A file in this test's own folder.
    QString path(const char *name) { return dir.filePath(QString::fromLatin1(name)); }

    ScriptedPlatform platform;
    std::unique_ptr<frmQEL> window;
    bool startInSetUp = true;
    QTemporaryDir dir;
};

} // namespace orvane::testing
