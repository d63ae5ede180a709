// `orvane-cli check`: the generated code put to the compiler, its messages and its status.
#include "Cli.h"

#include <QBuffer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

struct Outcome {
    int status;
    QString err;
};

Outcome check(const QStringList &arguments)
{
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    const int status = orvane::cli::run(QStringList{QStringLiteral("check")} + arguments, out, err);
    EXPECT_TRUE(out.data().isEmpty());
    return {status, QString::fromUtf8(err.data())};
}

const QString Customer = QStringLiteral(ORVANE_SOURCE_DIR "/examples/customer.qel");

} // namespace

TEST(CheckCommand, PutsTheCompilersMessagesAtTheGeneratedCodesLinesAndEndsWithItsStatus)
{
    QTemporaryDir folder;
    // A stand-in compiler: one message on the wrapper's fifth line, the first of the code.
    const QString fake = folder.filePath(QStringLiteral("fakecobc"));
    QFile script(fake);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\n"
                 "for last; do :; done\n"
                 "echo \"$last:5: error: bad item\"\n"
                 "echo \"copy.cpy:2: warning: elsewhere\"\n"
                 "exit 3\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);

    const struct {
        const char *name;
        QStringList arguments;
        int status;
        QString err;
    } cases[] = {
        {"messages and status",
         {Customer, "--cobc", fake},
         3,
         Customer + ":1: error: bad item\ncopy.cpy:2: warning: elsewhere\n"},
        {"no compiler",
         {Customer, "--cobc", folder.filePath("none")},
         127,
         "orvane-cli: the GnuCOBOL compiler \"" + folder.filePath("none") +
             "\" was not found; install the package gnucobol\n"},
        {"no project", {folder.filePath("none.qel"), "--cobc", fake}, 1, ""},
        {"two projects",
         {Customer, Customer},
         2,
         "orvane-cli: check takes one project file (try orvane-cli --help)\n"},
    };
    for (const auto &c : cases) {
        const Outcome outcome = check(c.arguments);
        EXPECT_EQ(outcome.status, c.status) << c.name;
        if (!c.err.isEmpty())
            EXPECT_EQ(outcome.err.toStdString(), c.err.toStdString()) << c.name;
        else
            EXPECT_FALSE(outcome.err.isEmpty()) << c.name;
    }
}

TEST(CheckCommand, GnuCobolTakesAnExampleProjectsCode)
{
    if (QStandardPaths::findExecutable(QStringLiteral("cobc")).isEmpty())
        GTEST_SKIP() << "cobc is not installed";
    const Outcome outcome = check({Customer});
    EXPECT_EQ(outcome.status, 0) << outcome.err.toStdString();
    EXPECT_EQ(outcome.err.toStdString(), "");
}
