#include "ui/shared/TextBoxes.h"

#include "editor/FindRules.h"
#include "platform/Platform.h"
#include "project/StartupSettings.h"

#include <QEvent>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace orvane
{

namespace
{

} // namespace

QString textFileErrorText(const QString &text, const TextFileResult &result)
{
    switch (result.status) {
    case TextFileStatus::NotRegular:
    case TextFileStatus::TooLarge:
    case TextFileStatus::NotText:
    case TextFileStatus::ReadOnly:
    case TextFileStatus::NotEncodable:
        return text + QStringLiteral(": ") + result.reason;
    default:
        return text;
    }
}

namespace
{

class CaretWatcher : public QObject
{
public:
    CaretWatcher(QPlainTextEdit *box, std::function<void(const QString &)> show)
        : QObject(box), box_(box), show_(std::move(show))
    {
        box->installEventFilter(this);
        box->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyRelease || event->type() == QEvent::MouseButtonRelease)
            show_(ShowCaretPosition(box_));
        return false;
    }

private:
    QPlainTextEdit *box_;
    std::function<void(const QString &)> show_;
};

} // namespace

QString plainText(const QPlainTextEdit *box)
{
    return box->document()->toRawText().replace(QChar::ParagraphSeparator, u'\n');
}

const QString &PlainTextCache::text(const QPlainTextEdit *box)
{
    const QTextDocument *document = box->document();
    if (document != document_) {
        QObject::disconnect(changed_);
        document_ = document;
        changed_ = QObject::connect(
            document, &QTextDocument::contentsChange,
            [this](int at, int removed, int added) { follow(at, removed, added); });
        valid_ = false;
    }
    if (!valid_) {
        text_ = plainText(box);
        valid_ = true;
    }
    return text_;
}

void PlainTextCache::follow(int at, int removed, int added)
{
    // An edit is copied into the kept text, so the next search after typing does not read the
    // whole document again. Whatever does not add up is read afresh.
    const int length = document_ ? document_->characterCount() - 1 : -1;
    if (!valid_ || at < 0 || at + removed > text_.size() || at + added > length) {
        valid_ = false;
        return;
    }
    QTextCursor cursor(const_cast<QTextDocument *>(document_.data()));
    cursor.setPosition(at);
    cursor.setPosition(at + added, QTextCursor::KeepAnchor);
    text_.replace(at, removed, cursor.selectedText().replace(QChar::ParagraphSeparator, u'\n'));
    valid_ = text_.size() == length;
}

QFont codeFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(9);
    return font;
}

bool LoadTextFile(const QString &path, QPlainTextEdit *box, TextForm &form, MessageBoxes &messages)
{
    box->clear();
    if (path.isEmpty())
        return false;
    DecodedText file;
    const TextFileResult result = readTextFile(path, file);
    if (!result.ok()) {
        messages.show(textFileErrorText(QStringLiteral("Error opening file ") + path, result),
                      QStringLiteral("Error"), MessageButtons::Ok, MessageIcon::Critical);
        return false;
    }
    // One call, so the box lays the text out once.
    box->setPlainText(toEditorText(file.text));
    form = file.form;
    return true;
}

bool SaveTextFile(const QString &path, const QPlainTextEdit *box, const TextForm &form,
                  MessageBoxes &messages)
{
    if (path.isEmpty())
        return false;
    const TextFileResult result = writeTextFile(path, toFileText(plainText(box), form), form);
    if (!result.ok())
        messages.show(textFileErrorText(QStringLiteral("Error saving file ") + path, result),
                      QStringLiteral("Error"), MessageButtons::Ok, MessageIcon::Critical);
    return result.ok();
}

QString ShowCaretPosition(const QPlainTextEdit *box)
{
    const QTextCursor cursor = box->textCursor();
    const int start = cursor.selectionStart();
    // The box does not wrap, so its blocks are the text's lines.
    const QTextBlock line = box->document()->findBlock(start);
    return caretStatusText(line.blockNumber(), start - line.position(),
                           cursor.selectionEnd() - start);
}

void watchCaret(QPlainTextEdit *box, std::function<void(const QString &)> show)
{
    new CaretWatcher(box, std::move(show));
}

QString lastAppendSetting(SettingsStore &settings, const QString &defaultValue)
{
    const SettingKey key = settingKey(Setting::LastAppend);
    return settings.get(settingApplication(Setting::LastAppend, QString()), key.section, key.key,
                        defaultValue);
}

void saveLastAppendSetting(SettingsStore &settings, const QString &path)
{
    const SettingKey key = settingKey(Setting::LastAppend);
    settings.save(settingApplication(Setting::LastAppend, QString()), key.section, key.key, path);
}

} // namespace orvane
