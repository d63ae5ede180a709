#include "platform/QtPlatform.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace orvane;

TEST(QtSettingsStore, KeepsValuesPerApplicationInTheUsersConfigFolderOrOneGiven)
{
    QTemporaryDir config;
    ASSERT_TRUE(config.isValid());
    const QByteArray before = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());

    QtSettingsStore store;
    EXPECT_EQ(store.get("Orvane", "history", "lastusedfile", "none"), "none");
    store.save("Orvane", "history", "lastusedfile", "/home/u/my projects/cust.qel");
    store.save("Orvane", "init", "resizebylength", "False");
    store.save("orvane", "OPT", "fillercolor", "255");

    // Another store, as on the next start, finds them where the user's config lives.
    QtSettingsStore next;
    EXPECT_EQ(next.get("Orvane", "history", "lastusedfile", "none"),
              "/home/u/my projects/cust.qel");
    EXPECT_EQ(next.get("Orvane", "init", "resizebylength", ""), "False");
    EXPECT_EQ(next.get("orvane", "OPT", "fillercolor", ""), "255");
    EXPECT_EQ(next.get("Orvane", "OPT", "fillercolor", "0"), "0"); // per application name
    EXPECT_TRUE(QFile::exists(config.path() + "/orvane/Orvane.conf"));
    EXPECT_TRUE(QFile::exists(config.path() + "/orvane/orvane.conf"));

    // A folder given is used as it is.
    const QString folder = config.path() + "/given";
    QtSettingsStore given(folder);
    EXPECT_EQ(given.fileFor("Orvane"), folder + "/Orvane.conf");
    given.save("Orvane", "firstrun", "firstrun", "1");
    EXPECT_EQ(QtSettingsStore(folder).get("Orvane", "firstrun", "firstrun", ""), "1");
    EXPECT_EQ(next.get("Orvane", "firstrun", "firstrun", ""), "");

    if (before.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", before);
}
