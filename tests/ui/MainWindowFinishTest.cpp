// The main window holds up at its minimum size and keeps the status text on the selected field.
#include "MainWindowFixture.h"

#include <QAbstractButton>
#include <QDropEvent>
#include <QMimeData>
#include <QTextDocumentFragment>

namespace orvane::testing
{
namespace
{

// The part of a widget that its ancestors up to `top` leave on screen, in `top`'s coordinates.
QRect shownRect(const QWidget *widget, const QWidget *top)
{
    QRect shown(widget->mapTo(top, QPoint()), widget->size());
    for (const QWidget *a = widget->parentWidget(); a && a != top; a = a->parentWidget())
        shown &= QRect(a->mapTo(top, QPoint()), a->size());
    return shown & top->rect();
}

// The controls a user types into or clicks in the entry panel (a combo box's own line edit
// belongs to the combo box).
QList<QWidget *> entryControls(QWidget *panel)
{
    QList<QWidget *> controls;
    for (QWidget *w : panel->findChildren<QWidget *>()) {
        const bool control = qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w) ||
                             qobject_cast<QAbstractButton *>(w) || qobject_cast<QLabel *>(w);
        if (control && w->isVisibleTo(panel) && !qobject_cast<QComboBox *>(w->parentWidget()))
            controls.append(w);
    }
    return controls;
}

TEST_F(MainWindowTest, AtTheMinimumSizeEveryEntryControlIsWholeAndApart)
{
    for (const bool byPositions : {false, true}) {
        SCOPED_TRACE(byPositions ? "by positions" : "by length");
        window->entryPanel()->setRecordSizeByPositions(byPositions);
        box("txtFieldOccurs")->setText(QStringLiteral("3")); // the array rows too
        window->resize(1, 1);
        QCoreApplication::processEvents();
        ASSERT_EQ(window->size(), window->minimumSize());
        const QList<QWidget *> controls = entryControls(window->entryPanel());
        ASSERT_GT(controls.size(), 20);
        for (QWidget *c : controls) {
            const QString name = c->objectName();
            EXPECT_EQ(shownRect(c, window.get()),
                      QRect(c->mapTo(window.get(), QPoint()), c->size()))
                << name.toStdString() << " is cut off";
            EXPECT_GE(c->height(), c->minimumSizeHint().height()) << name.toStdString();
            EXPECT_GE(c->width(), qMin(c->minimumSizeHint().width(), 40)) << name.toStdString();
        }
        for (int i = 0; i < controls.size(); ++i)
            for (int j = i + 1; j < controls.size(); ++j) {
                const QRect a(controls[i]->mapTo(window.get(), QPoint()), controls[i]->size());
                const QRect b(controls[j]->mapTo(window.get(), QPoint()), controls[j]->size());
                EXPECT_FALSE(a.intersects(b))
                    << controls[i]->objectName().toStdString() << " overlaps "
                    << controls[j]->objectName().toStdString();
            }
        EXPECT_GE(view()->viewport()->height(), 3 * view()->fontMetrics().height())
            << "a few fields of the tree stay in sight";
    }
}

TEST_F(MainWindowTest, ThePreviewLineShowsTheWholeClauseInItsTooltip)
{
    box("txtFieldName")->setText(QStringLiteral("A-VERY-LONG-DATA-NAME-FOR-A-FIELD"));
    child<QComboBox>("cboFieldValue")->setEditText(QString(120, u'<'));
    auto *line = child<QLabel>("lblAddStringPreview");
    ASSERT_GT(line->fontMetrics().horizontalAdvance(line->text()), line->contentsRect().width());
    EXPECT_EQ(QTextDocumentFragment::fromHtml(line->toolTip()).toRawText(), line->text());
}

TEST_F(MainWindowTest, TheStatusFollowsAPositionsEditAndTheFieldARightClickSelects)
{
    addField(QStringLiteral("01"), QStringLiteral("A"), QStringLiteral("4"));
    addField(QStringLiteral("01"), QStringLiteral("B"), QStringLiteral("3"));
    clickNode(1);
    platform.input.answers = {QStringLiteral("3:9")};
    QTest::mouseDClick(window->stb()->panel(1), Qt::LeftButton);
    EXPECT_EQ(status(), QStringLiteral("Fields 3 To 9"));
    QTest::mouseClick(view()->viewport(), Qt::RightButton, {}, nodeCentre(2));
    EXPECT_EQ(view()->selectedNode(), 2);
    EXPECT_EQ(status(), QStringLiteral("Fields 5 To 7"));
}

TEST_F(MainWindowTest, AfterADropTheStatusAndFillerButtonsFollowTheDroppedField)
{
    addField(QStringLiteral("01"), QStringLiteral("A"), QStringLiteral("4"));
    addField(QStringLiteral("05"), QStringLiteral("B"), QStringLiteral("3"));
    addField(QStringLiteral("01"), QStringLiteral("C"), QStringLiteral("2"));
    clickNode(1); // A has a subitem and a sibling: both FILLER buttons on
    auto *subitems = child<QPushButton>("cmdAutoInsertFiller");
    auto *sameLevel = child<QPushButton>("autoInsertFillerForSameLevel");
    ASSERT_TRUE(subitems->isEnabled() && sameLevel->isEnabled());
    const QString tagOfC = tree().tag(3);
    const QPoint to = nodeCentre(1);
    QTest::mousePress(view()->viewport(), Qt::LeftButton, {}, nodeCentre(3));
    QMimeData mime;
    mime.setData(QString::fromLatin1(FieldTreeView::mimeType()), view()->dragPayload());
    QDragEnterEvent enter(to, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view()->viewport(), &enter);
    QDropEvent drop(QPointF(to), Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view()->viewport(), &drop);
    ASSERT_EQ(tree().parent(3), 1);
    EXPECT_EQ(status(), QStringLiteral("Fields %1 To %2").arg(TagFrom(tagOfC), TagTo(tagOfC)));
    EXPECT_FALSE(subitems->isEnabled()) << "C has no subitems";
    EXPECT_TRUE(sameLevel->isEnabled()) << "C is now the last of two";
}

} // namespace
} // namespace orvane::testing
