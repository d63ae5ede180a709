// `orvane-cli check`: the generated code put to the compiler, its messages and its status.
#include "../common/Files.h"
#include "RunCli.h"

#include "model/FieldTree.h"
#include "project/ProjectFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace orvane::testing;

TEST(CheckCommand, PutsTheCompilersMessagesAtTheGeneratedCodesLinesAndEndsWithItsStatus)
{
    QTemporaryDir folder;
    // A stand-in compiler: one message on the wrapper's fifth line, the first of the code.
    const QString fake = folder.filePath(QStringLiteral("fakecobc"));
    writeBytes(fake, "#!/bin/sh\n"
                     "for last; do :; done\n"
                     "echo \"$last:5: error: bad item\"\n"
                     "echo \"copy.cpy:2: warning: elsewhere\"\n"
                     "exit 3\n");
    QFile::setPermissions(fake, QFile::permissions(fake) | QFileDevice::ExeOwner);
    const QString noProject = folder.filePath(QStringLiteral("none.qel"));
    orvane::FieldTree scratch; // the loader's own message is passed on
    const QString odd = folder.filePath(QStringLiteral("odd.qel"));
    orvane::FieldTree layout;
    layout.add(0, orvane::Relationship::Last, QStringLiteral("01 B."));
    layout.setTag(layout.add(0, orvane::Relationship::Last, QStringLiteral("01 C PIC X(4).")),
                  QStringLiteral("5:8"));
    ASSERT_TRUE(orvane::SaveNodes(layout, odd).ok());
    const QString noPicture =
        odd +
        ": warning: field 1, B: an elementary item (no subordinate items) without a PICTURE\n";

    const struct {
        const char *name;
        QStringList arguments;
        int status;
        QString err;
    } cases[] = {
        {"the layout's warnings first",
         {odd, "--cobc", folder.filePath("none")},
         127,
         noPicture + "orvane-cli: the GnuCOBOL compiler \"" + folder.filePath("none") +
             "\" was not found; install the package gnucobol\n"},
        // The compiler's messages at the code's own lines, and its status.
        {"exact positions",
         {odd, "--exact-positions", "--cobc", fake},
         3,
         noPicture + odd + ": warning: field 2, C: position tag 5:8 is not its storage 1:4\n" +
             odd + ":1: error: bad item\ncopy.cpy:2: warning: elsewhere\n"},
        {"no project",
         {noProject, "--cobc", fake},
         1,
         orvane::LoadNodes(scratch, noProject).message + "\n"},
        {"two projects",
         {odd, odd},
         2,
         "orvane-cli: check takes one project file (try orvane-cli --help)\n"},
    };
    // All it says goes to standard error.
    for (const auto &c : cases)
        EXPECT_EQ(runCli(QStringList{"check"} + c.arguments),
                  (Outcome{c.status, {}, c.err.toUtf8()}))
            << c.name;
}
