#include "ScriptedPlatform.h"

#include <gtest/gtest.h>

namespace orvane::testing
{

MessageAnswer ScriptedMessages::show(const QString &text, const QString &title,
                                     MessageButtons buttons, MessageIcon icon)
{
    shown.push_back({text, title, buttons, icon});
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected message box: " << text.toStdString() << " ["
                      << title.toStdString() << "]";
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

QString ScriptedInput::ask(const QString &prompt, const QString &title,
                           const QString &defaultAnswer)
{
    asked.push_back({prompt, title, defaultAnswer});
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected input box: " << title.toStdString();
        return {};
    }
    const QString answer = answers.front();
    answers.pop_front();
    return answer;
}

QString ScriptedFiles::answer(AskedFile request)
{
    asked.push_back(request);
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected " << (request.save ? "save" : "open")
                      << " box: " << request.title.toStdString();
        return {};
    }
    const QString answer = answers.front();
    answers.pop_front();
    return answer;
}

QString ScriptedFiles::openFile(const QString &title, const QString &filter,
                                const QString &fileName)
{
    return answer({false, title, filter, fileName});
}

QString ScriptedFiles::saveFile(const QString &title, const QString &filter,
                                const QString &fileName)
{
    return answer({true, title, filter, fileName});
}

QColor ScriptedColours::choose(const QColor &)
{
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected colour box";
        return {};
    }
    const QColor answer = answers.front();
    answers.pop_front();
    return answer;
}

QString MemorySettings::get(const QString &application, const QString &section, const QString &key,
                            const QString &defaultValue)
{
    const auto it = values.find(QStringList{application, section, key});
    return it == values.end() ? defaultValue : it->second;
}

void MemorySettings::save(const QString &application, const QString &section, const QString &key,
                          const QString &value)
{
    values[QStringList{application, section, key}] = value;
}

QApplication &testApplication()
{
    static int argc = 1;
    static char name[] = "ui_tests";
    static char *argv[] = {name, nullptr};
    static QApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty()
                                       ? QByteArray("offscreen")
                                       : qgetenv("QT_QPA_PLATFORM"));
        return new QApplication(argc, argv);
    }();
    return *app;
}

} // namespace orvane::testing
