#pragma once

#include "editor/TextFile.h"

#include <QPointer>
#include <QString>
#include <QTextDocument>

#include <functional>

class QFont;
class QObject;
class QPlainTextEdit;

namespace orvane
{

class MessageBoxes;
class SettingsStore;

template <typename W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// The box's text with LF line ends and every other character as it stands. (The box's own
// toPlainText() turns non-breaking spaces into blanks, which would change a file on saving.)
QString plainText(const QPlainTextEdit *box);

// The text of one box at a time for searching, kept up to date with the box's edits: reading
// a large document costs more than searching it.
class PlainTextCache
{
public:
    PlainTextCache() = default;
    ~PlainTextCache() { QObject::disconnect(changed_); }
    PlainTextCache(const PlainTextCache &) = delete;
    PlainTextCache &operator=(const PlainTextCache &) = delete;

    const QString &text(const QPlainTextEdit *box);

private:
    void follow(int at, int removed, int added);

    QPointer<const QTextDocument> document_;
    QMetaObject::Connection changed_;
    QString text_;
    bool valid_ = false;
};

// The system's fixed-width font at 9 points, for source text.
QFont codeFont();

// Replaces the box's text with the whole file, line ends shown as the box shows them; `form`
// learns how the file stores its text. The box is emptied first, also when reading fails, and
// a failure is reported to the user ("Error opening file ...").
bool LoadTextFile(const QString &path, QPlainTextEdit *box, TextForm &form, MessageBoxes &messages);
// Writes the box's text to the file in the given form, replacing the file in one step; a
// failure is reported to the user ("Error saving file ...") and leaves the file as it was.
bool SaveTextFile(const QString &path, const QPlainTextEdit *box, const TextForm &form,
                  MessageBoxes &messages);

// The message for a failed read or write: refusals are the program's own decision, so their
// reason is given; system errors keep the plain text.
QString textFileErrorText(const QString &text, const TextFileResult &result);

// "Line: 3  Col: 1  Sel: 0" for the caret, or the start of the selection, of the box.
QString ShowCaretPosition(const QPlainTextEdit *box);
// Calls `show` with the box's caret status whenever a key or a mouse button is released in it.
void watchCaret(QPlainTextEdit *box, std::function<void(const QString &)> show);

// The last file generated code was appended to, which the source file boxes start from.
QString lastAppendSetting(SettingsStore &settings, const QString &defaultValue);
void saveLastAppendSetting(SettingsStore &settings, const QString &path);

} // namespace orvane
